#include "app/OpenScriptsSearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ChildForm.h"
#include "editor/EditorStrings.h"
#include "highlight/RAHLEditor.h"
#include "qt/Codepage1252.h"
#include "qt/EditorWidget.h"
#include "qt/RegexMatcher.h"

namespace {

enum TColumn { colDocument, colLine, colText, kColumns };
constexpr int kMarkFromRole = Qt::UserRole + 1;
constexpr int kMarkLengthRole = Qt::UserRole + 2;
// More rows than anyone reads; the summary says when the list stops there.
constexpr int kMostHits = 100000;
// The soft yellow of the occurrences marked in the editor.
const QColor kMarkColor(0xFF, 0xF0, 0xA0);

QString DocumentName(const TChildForm& window) {
  return window.FileName().isEmpty() ? QStringLiteral("Unnamed file")
                                     : QFileInfo(window.FileName()).fileName();
}

// The Text column with the occurrence on the editor's soft background.
class TMarkedTextDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const QRect area =
        style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(3, 0, -3, 0);
    const int from = std::clamp(index.data(kMarkFromRole).toInt(), 0, int(text.size()));
    const int length = std::clamp(index.data(kMarkLengthRole).toInt(), 0, int(text.size()) - from);
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    const QColor ink =
        selected ? opt.palette.highlightedText().color() : opt.palette.text().color();
    const QFontMetrics metrics(opt.font);
    painter->save();
    painter->setClipRect(area);
    painter->setFont(opt.font);
    int x = area.left();
    const QString parts[3] = {text.left(from), text.mid(from, length), text.mid(from + length)};
    for (int i = 0; i < 3; ++i) {
      const int width = metrics.horizontalAdvance(parts[i]);
      const QRect cell(x, area.top(), width, area.height());
      if (i == 1 && !selected) painter->fillRect(cell, kMarkColor);
      painter->setPen(i == 1 && !selected ? QColor(Qt::black) : ink);
      painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, parts[i]);
      x += width;
    }
    painter->restore();
  }
};

}  // namespace

std::vector<TScriptHit> FindInScripts(const QList<TChildForm*>& windows,
                                      const editorsearch::TSearchOptions& options, int limit) {
  std::vector<TScriptHit> hits;
  for (TChildForm* window : windows) {
    const TEditorStrings& lines = window->Editor1().Lines();
    const QString name = DocumentName(*window);
    editorsearch::ForEachOccurrence(
        lines, options, 0, 0, lines.Count(), [&](const editorsearch::TOccurrence& o) {
          if (static_cast<int>(hits.size()) >= limit) return false;
          const std::string_view line = lines.View(o.Line);
          // Leading blanks are not shown; the mark moves with the text.
          const size_t indent = std::min(line.find_first_not_of(' '), line.size());
          const int from = std::max(o.Col - static_cast<int>(indent), 0);
          const int to = o.EndLine == o.Line ? o.EndCol - static_cast<int>(indent)
                                             : static_cast<int>(line.size() - indent);
          hits.push_back({window, name, o,
                          Codepage1252::ToQString(std::string(line.substr(indent))), from,
                          std::max(to - from, 0)});
          return true;
        });
  }
  return hits;
}

void TScriptHitModel::SetHits(std::vector<TScriptHit> hits) {
  beginResetModel();
  FHits = std::move(hits);
  endResetModel();
}

int TScriptHitModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(FHits.size());
}

int TScriptHitModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant TScriptHitModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(FHits.size())) return {};
  const TScriptHit& hit = FHits[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case colDocument:
        return hit.Document;
      case colLine:
        return hit.Place.Line + 1;
      default:
        return hit.Text;
    }
  }
  if (role == Qt::ToolTipRole && index.column() == colDocument && hit.Window)
    return hit.Window->FileName();
  if (role == Qt::TextAlignmentRole && index.column() == colLine)
    return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role == kMarkFromRole) return hit.MarkFrom;
  if (role == kMarkLengthRole) return hit.MarkLength;
  return {};
}

QVariant TScriptHitModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kTitles[kColumns] = {"Document", "Line", "Text"};
  return QString::fromLatin1(kTitles[section]);
}

TOpenScriptsPanel::TOpenScriptsPanel(TWindows windows, QWidget* parent)
    : QDockWidget(QStringLiteral("Find in Open Scripts"), parent), FWindows(std::move(windows)) {
  setObjectName(QStringLiteral("FindInOpenScripts"));
  auto* body = new QWidget(this);
  auto* rows = new QVBoxLayout(body);
  rows->setContentsMargins(4, 4, 4, 4);
  auto* top = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Fi&nd what:"), body);
  FindEdit = new QLineEdit(body);
  label->setBuddy(FindEdit);
  MatchCaseBox = new QCheckBox(QStringLiteral("Match &case"), body);
  WholeWordBox = new QCheckBox(QStringLiteral("Whole &word"), body);
  RegexBox = new QCheckBox(QStringLiteral("Regular e&xpression"), body);
  FindAllButton = new QPushButton(QStringLiteral("Find &All"), body);
  top->addWidget(label);
  top->addWidget(FindEdit, 1);
  for (QWidget* w : {static_cast<QWidget*>(MatchCaseBox), static_cast<QWidget*>(WholeWordBox),
                     static_cast<QWidget*>(RegexBox), static_cast<QWidget*>(FindAllButton)})
    top->addWidget(w);
  rows->addLayout(top);
  Summary = new QLabel(body);
  rows->addWidget(Summary);
  FModel = new TScriptHitModel(this);
  Results = new QTreeView(body);
  Results->setModel(FModel);
  Results->setRootIsDecorated(false);
  Results->setUniformRowHeights(true);
  Results->setAllColumnsShowFocus(true);
  Results->setItemDelegateForColumn(colText, new TMarkedTextDelegate(Results));
  Results->header()->setStretchLastSection(true);
  Results->setColumnWidth(colDocument, 160);
  Results->setColumnWidth(colLine, 60);
  Results->setAccessibleName(QStringLiteral("Occurrences in open scripts"));
  Results->installEventFilter(this);
  rows->addWidget(Results, 1);
  setWidget(body);
  connect(FindEdit, &QLineEdit::returnPressed, this, &TOpenScriptsPanel::FindAll);
  connect(FindAllButton, &QPushButton::clicked, this, &TOpenScriptsPanel::FindAll);
  connect(Results, &QTreeView::doubleClicked, this,
          [this](const QModelIndex& index) { GoTo(index.row()); });
}

void TOpenScriptsPanel::Execute(const QString& text) {
  if (!text.isEmpty()) FindEdit->setText(text);
  show();
  raise();
  FindEdit->setFocus();
  FindEdit->selectAll();
  if (!FindEdit->text().isEmpty()) FindAll();
}

void TOpenScriptsPanel::FindAll() {
  const QString text = FindEdit->text();
  if (text.isEmpty()) {
    FModel->SetHits({});
    Summary->clear();
    return;
  }
  editorsearch::TSearchOptions options{Codepage1252::FromQString(text, '\0'),
                                       MatchCaseBox->isChecked(), WholeWordBox->isChecked()};
  if (RegexBox->isChecked()) {
    options.RegularExpression = true;
    TPatternError error;
    options.Matcher = CompileRegex(text, options.MatchCase, options.WholeWord, &error);
    if (!options.Matcher) {
      FModel->SetHits({});
      Summary->setText(QStringLiteral("Invalid regular expression: Position %1: %2")
                           .arg(error.Offset + 1)
                           .arg(error.Message));
      return;
    }
  }
  const QList<TChildForm*> windows = FWindows();
  std::vector<TScriptHit> hits = FindInScripts(windows, options, kMostHits);
  const int count = static_cast<int>(hits.size());
  std::vector<const TChildForm*> documents;
  for (const TScriptHit& hit : hits) {
    if (documents.empty() || documents.back() != hit.Window) documents.push_back(hit.Window);
  }
  FModel->SetHits(std::move(hits));
  QString summary =
      count == 0
          ? QStringLiteral("No matches in %1 open %2")
                .arg(windows.size())
                .arg(windows.size() == 1 ? QStringLiteral("script") : QStringLiteral("scripts"))
          : QStringLiteral("%1 %2 in %3 %4")
                .arg(count)
                .arg(count == 1 ? QStringLiteral("match") : QStringLiteral("matches"))
                .arg(documents.size())
                .arg(documents.size() == 1 ? QStringLiteral("script") : QStringLiteral("scripts"));
  if (count >= kMostHits) summary += QStringLiteral(" (the first %1 are listed)").arg(kMostHits);
  Summary->setText(summary);
  if (count > 0) Results->setCurrentIndex(FModel->index(0, 0));
}

void TOpenScriptsPanel::GoTo(int row) {
  if (row < 0 || row >= FModel->rowCount()) return;
  const TScriptHit& hit = FModel->Hits()[static_cast<size_t>(row)];
  if (!hit.Window) {
    Summary->setText(QStringLiteral("%1 is no longer open").arg(hit.Document));
    QApplication::beep();
    return;
  }
  TChildForm& window = *hit.Window;
  TRAHLEditor& editor = window.Editor1();
  const TEditorStrings& lines = editor.Lines();
  // The document may have changed since the list was made; the place stays inside it.
  const int last = lines.Count();
  const int start = lines.LineOffset(std::min(hit.Place.Line, last)) + hit.Place.Col;
  const int end = lines.LineOffset(std::min(hit.Place.EndLine, last)) + hit.Place.EndCol;
  window.BringToFront();
  editor.SetSelStart(start);
  editor.SetSelLength(std::max(end - start, 0));
  window.EditorView().setFocus();
}

bool TOpenScriptsPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Results && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      GoTo(Results->currentIndex().row());
      return true;
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

TOpenScriptsPanel* InstallOpenScriptsPanel(QMainWindow& frame,
                                           TOpenScriptsPanel::TWindows windows) {
  auto* panel = new TOpenScriptsPanel(std::move(windows), &frame);
  frame.addDockWidget(Qt::BottomDockWidgetArea, panel);
  panel->hide();
  return panel;
}

void ListenForOpenScriptsSearch(TOpenScriptsPanel& panel, TChildForm& window) {
  QObject::connect(&window, &TChildForm::FindInOpenScriptsRequested, &panel,
                   &TOpenScriptsPanel::Execute);
}
