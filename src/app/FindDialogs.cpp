#include "app/FindDialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <initializer_list>

#include "qt/Codepage1252.h"
#include "qt/RegexMatcher.h"

namespace {

QLineEdit* AddField(QGridLayout* fields, int row, const QString& caption, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  auto* label = new QLabel(caption, parent);
  label->setBuddy(edit);
  fields->addWidget(label, row, 0);
  fields->addWidget(edit, row, 1);
  return edit;
}

QPushButton* AddButton(QVBoxLayout* buttons, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);
  buttons->addWidget(button);
  return button;
}

// Tab moves through Widgets in the order given.
void ChainTabOrder(std::initializer_list<QWidget*> widgets) {
  QWidget* previous = nullptr;
  for (QWidget* widget : widgets) {
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

}  // namespace

TFindDialog::TFindDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Find"));
  setModal(false);
  auto* columns = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  FFields = new QGridLayout;
  left->addLayout(FFields);
  FindEdit = AddField(FFields, 0, QStringLiteral("Fi&nd what:"), this);
  FindEdit->setMinimumWidth(180);
  MatchCaseBox = new QCheckBox(QStringLiteral("Match &case"), this);
  left->addWidget(MatchCaseBox);
  WholeWordBox = new QCheckBox(QStringLiteral("Whole &word"), this);
  left->addWidget(WholeWordBox);
  WrapAroundBox = new QCheckBox(QStringLiteral("Wrap ar&ound"), this);
  left->addWidget(WrapAroundBox);
  RegexBox = new QCheckBox(QStringLiteral("Regular e&xpression"), this);
  left->addWidget(RegexBox);
  ErrorLabel = new QLabel(this);
  ErrorLabel->setWordWrap(true);
  ErrorLabel->setStyleSheet(QStringLiteral("color: #b00020"));
  ErrorLabel->hide();
  left->addWidget(ErrorLabel);
  left->addStretch();
  columns->addLayout(left);
  FButtons = new QVBoxLayout;
  columns->addLayout(FButtons);
  FindNextButton = AddButton(FButtons, QStringLiteral("&Find Next"), this);
  FindNextButton->setDefault(true);
  CancelButton = AddButton(FButtons, QStringLiteral("Cancel"), this);
  FButtons->addStretch();
  connect(FindNextButton, &QPushButton::clicked, this, &TFindDialog::FindNextClicked);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(FindEdit, &QLineEdit::textChanged, this, &TFindDialog::EnableSearchButtons);
  connect(FindEdit, &QLineEdit::textChanged, this, &TFindDialog::Recompile);
  for (QCheckBox* box : {MatchCaseBox, WholeWordBox, RegexBox})
    connect(box, &QCheckBox::toggled, this, &TFindDialog::Recompile);
  connect(WrapAroundBox, &QCheckBox::toggled, this, &TFindDialog::SearchChanged);
  EnableSearchButtons();
  // Down the fields, then down the buttons, as they are laid out.
  ChainTabOrder({FindEdit, MatchCaseBox, WholeWordBox, WrapAroundBox, RegexBox, FindNextButton,
                 CancelButton});
}

void TFindDialog::Execute() {
  show();
  raise();
  activateWindow();
  FindEdit->setFocus();
  FindEdit->selectAll();
}

std::string TFindDialog::FindText() const {
  return Codepage1252::FromQString(FindEdit->text(), '\0');
}

editorsearch::TSearchOptions TFindDialog::Options() const {
  editorsearch::TSearchOptions options{FindText(), MatchCaseBox->isChecked(),
                                       WholeWordBox->isChecked(), WrapAroundBox->isChecked()};
  options.RegularExpression = RegexBox->isChecked();
  if (options.RegularExpression) options.Matcher = FMatcher;
  return options;
}

QString TFindDialog::PatternError() const {
  return FPatternError;
}

void TFindDialog::Recompile() {
  FMatcher = nullptr;
  FPatternError.clear();
  if (RegexBox->isChecked() && !FindEdit->text().isEmpty()) {
    TPatternError error;
    FMatcher = CompileRegex(FindEdit->text(), MatchCaseBox->isChecked(), WholeWordBox->isChecked(),
                            &error);
    if (!FMatcher) {
      FPatternError = QStringLiteral("Position %1: %2").arg(error.Offset + 1).arg(error.Message);
    }
  }
  ErrorLabel->setText(FPatternError);
  ErrorLabel->setVisible(!FPatternError.isEmpty());
  emit SearchChanged();
}

void TFindDialog::EnableSearchButtons() {
  const bool any = !FindEdit->text().isEmpty();
  for (QPushButton* button : findChildren<QPushButton*>()) {
    if (button != CancelButton) button->setEnabled(any);
  }
}

TReplaceDialog::TReplaceDialog(QWidget* parent) : TFindDialog(parent) {
  setWindowTitle(QStringLiteral("Replace"));
  ReplaceEdit = AddField(FFields, 1, QStringLiteral("Re&place with:"), this);
  // Replace and Replace All go between Find Next and Cancel.
  ReplaceButton = new QPushButton(QStringLiteral("&Replace"), this);
  ReplaceAllButton = new QPushButton(QStringLiteral("Replace &All"), this);
  for (QPushButton* button : {ReplaceAllButton, ReplaceButton}) {
    button->setAutoDefault(false);
    FButtons->insertWidget(1, button);
  }
  ChainTabOrder({FindEdit, ReplaceEdit, MatchCaseBox, WholeWordBox, WrapAroundBox, RegexBox,
                 FindNextButton, ReplaceButton, ReplaceAllButton, CancelButton});
  connect(ReplaceButton, &QPushButton::clicked, this, &TReplaceDialog::ReplaceClicked);
  connect(ReplaceAllButton, &QPushButton::clicked, this, &TReplaceDialog::ReplaceAllClicked);
  EnableSearchButtons();
}

std::string TReplaceDialog::ReplaceText() const {
  return Codepage1252::FromQString(ReplaceEdit->text(), '?');
}
