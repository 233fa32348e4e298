#include "app/PreferencesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/Zoom.h"

namespace {

QComboBox* ChoiceBox(const QStringList& names, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->addItems(names);
  return box;
}

// The installed fixed-pitch families, with the default's name (which the system resolves
// to an installed font) and the current choice among them.
QStringList FixedPitchFamilies(const QString& current) {
  QStringList families;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isFixedPitch(family) && !QFontDatabase::isPrivateFamily(family))
      families.append(family);
  }
  for (const QString& name : {TPreferences().FontFamily, current}) {
    if (!families.contains(name)) families.append(name);
  }
  families.sort(Qt::CaseInsensitive);
  return families;
}

}  // namespace

TPreferencesDialog::TPreferencesDialog(const TPreferences& current, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Preferences"));
  FontBox = ChoiceBox(FixedPitchFamilies(current.FontFamily), this);
  SizeBox = new QSpinBox(this);
  SizeBox->setRange(ValidFontHeight(0), ValidFontHeight(1000));
  SizeBox->setSuffix(QStringLiteral(" px"));
  TabStopsEdit = new QLineEdit(this);
  TabStopsEdit->setValidator(new TTabStopsValidator(TabStopsEdit));
  TabStopsEdit->setToolTip(QStringLiteral("Columns from 1, each further right, as in \"3 5\""));
  ColourBox = ChoiceBox(
      {ColourSchemeName(TColourScheme::Classic), ColourSchemeName(TColourScheme::Dark)}, this);
  KeysBox =
      ChoiceBox({KeySchemeName(TKeyScheme::Classic), KeySchemeName(TKeyScheme::Desktop)}, this);
  LineEndsBox = ChoiceBox({QStringLiteral("CR LF"), QStringLiteral("As the file has them")}, this);
  ReopenBox = new QCheckBox(QStringLiteral("&Reopen the last session at start"), this);
  TabbedBox = new QCheckBox(QStringLiteral("Ta&bbed documents"), this);
  WrapBox = new QCheckBox(QStringLiteral("Searches &wrap around"), this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Font:"), FontBox);
  form->addRow(QStringLiteral("&Size:"), SizeBox);
  form->addRow(QStringLiteral("&Tab stops:"), TabStopsEdit);
  form->addRow(QStringLiteral("&Colours:"), ColourBox);
  form->addRow(QStringLiteral("&Keys:"), KeysBox);
  form->addRow(QStringLiteral("&Line ends on save:"), LineEndsBox);
  form->addRow(ReopenBox);
  form->addRow(TabbedBox);
  form->addRow(WrapBox);

  Buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
  connect(Buttons, &QDialogButtonBox::accepted, this, [this] {
    emit Applied(Chosen());
    accept();
  });
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(Buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
          [this] { emit Applied(Chosen()); });
  connect(TabStopsEdit, &QLineEdit::textChanged, this, &TPreferencesDialog::UpdateButtons);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(Buttons);
  Show(current);
}

void TPreferencesDialog::Show(const TPreferences& p) {
  FontBox->setCurrentText(p.FontFamily);
  SizeBox->setValue(p.FontHeight);
  TabStopsEdit->setText(p.TabStops);
  ColourBox->setCurrentIndex(static_cast<int>(p.ColourScheme));
  KeysBox->setCurrentIndex(static_cast<int>(p.KeyScheme));
  LineEndsBox->setCurrentIndex(static_cast<int>(p.LineEnds));
  ReopenBox->setChecked(p.ReopenLastSession);
  TabbedBox->setChecked(p.TabbedDocuments);
  WrapBox->setChecked(p.WrapSearches);
  UpdateButtons();
}

TPreferences TPreferencesDialog::Chosen() const {
  TPreferences p;
  p.FontFamily = FontBox->currentText();
  p.FontHeight = SizeBox->value();
  p.TabStops = TabStopsEdit->text().simplified();
  p.ColourScheme = static_cast<TColourScheme>(ColourBox->currentIndex());
  p.KeyScheme = static_cast<TKeyScheme>(KeysBox->currentIndex());
  p.LineEnds = static_cast<TLineEnds>(LineEndsBox->currentIndex());
  p.ReopenLastSession = ReopenBox->isChecked();
  p.TabbedDocuments = TabbedBox->isChecked();
  p.WrapSearches = WrapBox->isChecked();
  return p;
}

void TPreferencesDialog::UpdateButtons() {
  const bool valid = ValidTabStops(TabStopsEdit->text());
  Buttons->button(QDialogButtonBox::Ok)->setEnabled(valid);
  Buttons->button(QDialogButtonBox::Apply)->setEnabled(valid);
}
