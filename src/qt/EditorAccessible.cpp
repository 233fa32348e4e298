#include "qt/EditorAccessible.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QStringList>
#include <algorithm>

#include "editor/RAEditor.h"
#include "editor/TextInsertion.h"
#include "qt/EditorAccessEvents.h"
#include "qt/EditorWidget.h"
#include "qt/Guarded.h"
#include "qt/QtCanvas.h"

namespace {

using Unit = AccessibleTextMap::Unit;

Unit UnitOf(QAccessible::TextBoundaryType type) {
  switch (type) {
    case QAccessible::CharBoundary:
      return Unit::Char;
    case QAccessible::WordBoundary:
      return Unit::Word;
    case QAccessible::NoBoundary:
      return Unit::All;
    default:
      return Unit::Line;  // sentences and paragraphs are lines in a script
  }
}

// The document's name: the file name in the title of the nearest window holding the
// editor. The window itself is heard with the whole path; the text needs no second one.
QString DocumentName(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    QString title = w->windowTitle();
    if (!title.isEmpty()) return QFileInfo(title.remove(QStringLiteral("[*]"))).fileName();
  }
  return {};
}

QString CssColor(TColor plain) {
  const QColor c = ToQColor(plain);
  return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

QAccessibleInterface* MakeEditorAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String("EditorWidget") || !object->isWidgetType()) return nullptr;
  return new EditorAccessible(static_cast<EditorWidget*>(object));
}

}  // namespace

EditorAccessible::EditorAccessible(EditorWidget* widget)
    : QAccessibleWidget(widget, QAccessible::EditableText) {}

void EditorAccessible::InstallFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(MakeEditorAccessible);
    return true;
  }();
  (void)installed;
}

EditorWidget* EditorAccessible::Widget() const {
  return static_cast<EditorWidget*>(widget());
}

TRACustomEditor& EditorAccessible::Editor() const {
  return Widget()->Editor();
}

AccessibleTextMap EditorAccessible::Map() const {
  return AccessibleTextMap(Editor().Lines());
}

void* EditorAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface)
    return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString EditorAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) {
    const QString own = widget()->accessibleName();
    return own.isEmpty() ? DocumentName(widget()) : own;
  }
  return QAccessibleWidget::text(t);
}

QAccessible::State EditorAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.editable = !Editor().ReadOnly();
  s.readOnly = Editor().ReadOnly();
  s.multiLine = true;
  s.selectableText = true;
  s.focusable = true;
  return s;
}

bool EditorAccessible::Editable() const {
  return !Editor().ReadOnly();
}

template <typename F>
void EditorAccessible::Change(F&& change) {
  ::Guarded(Widget(), change);
  Widget()->AccessEvents().Sync();
}

// ---- caret and selection ----

int EditorAccessible::cursorPosition() const {
  const TRACustomEditor& e = Editor();
  return Map().OffsetOf(e.CaretY(), e.CaretX());
}

void EditorAccessible::setCursorPosition(int position) {
  Change([&] {
    const AccessibleTextMap::Position p = Map().At(position);
    Editor().Unselect();
    Editor().SetCaret(p.Col, p.Line);
  });
}

int EditorAccessible::selectionCount() const {
  int start = 0;
  int end = 0;
  selection(0, &start, &end);
  return start < end ? 1 : 0;
}

void EditorAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  const TRACustomEditor& e = Editor();
  if (selectionIndex != 0 || !e.Selected()) return;
  const AccessibleTextMap map = Map();
  const int extra = e.SelBlockFormat() == bfInclusive ? 1 : 0;
  *startOffset = map.OffsetOf(e.SelBegY(), e.SelBegX());
  *endOffset = std::min(map.OffsetOf(e.SelEndY(), e.SelEndX()) + extra, map.CharacterCount());
}

void EditorAccessible::Select(int start, int end) {
  const AccessibleTextMap map = Map();
  const AccessibleTextMap::Position from = map.At(start);
  const AccessibleTextMap::Position to = map.At(end);
  TRACustomEditor& e = Editor();
  if (e.SelBlockFormat() != bfNonInclusive) e.SetSelBlockFormat(bfNonInclusive);
  e.Unselect();
  e.SetCaret(from.Col, from.Line);
  if (start == end) return;
  e.SetSel(from.Col, from.Line);
  e.SetSel(to.Col, to.Line);
  e.SetCaret(to.Col, to.Line);
}

void EditorAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0) return;
  Change([&] { Select(startOffset, endOffset); });
}

void EditorAccessible::addSelection(int startOffset, int endOffset) {
  // The control has one selection: a new one replaces it.
  setSelection(0, startOffset, endOffset);
}

void EditorAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex != 0) return;
  Change([&] { Editor().Unselect(); });
}

// ---- text ----

int EditorAccessible::characterCount() const {
  return Map().CharacterCount();
}

QString EditorAccessible::text(int startOffset, int endOffset) const {
  return Map().Text(startOffset, endOffset);
}

QString EditorAccessible::Unit(AccessibleTextMap::Range r, int* startOffset, int* endOffset) const {
  *startOffset = r.Start;
  *endOffset = r.End;
  return Map().Text(r.Start, r.End);
}

QString EditorAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                       int* startOffset, int* endOffset) const {
  return Unit(Map().UnitAt(offset, UnitOf(boundaryType)), startOffset, endOffset);
}

QString EditorAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int* startOffset, int* endOffset) const {
  return Unit(Map().UnitBefore(offset, UnitOf(boundaryType)), startOffset, endOffset);
}

QString EditorAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const {
  return Unit(Map().UnitAfter(offset, UnitOf(boundaryType)), startOffset, endOffset);
}

// ---- geometry ----

QRect EditorAccessible::characterRect(int offset) const {
  const TRACustomEditor& e = Editor();
  const AccessibleTextMap::Position p = Map().At(offset);
  const TRect cell = e.CellRect(p.Col - e.LeftCol(), p.Line - e.TopRow());
  const QPoint topLeft = Widget()->viewport()->mapToGlobal(QPoint(cell.Left, cell.Top));
  return QRect(topLeft, QSize(cell.Width(), cell.Height()));
}

int EditorAccessible::offsetAtPoint(const QPoint& point) const {
  const QWidget* view = Widget()->viewport();
  const QPoint local = view->mapFromGlobal(point);
  const TRACustomEditor& e = Editor();
  if (!view->rect().contains(local) || e.Lines().Count() == 0) return -1;
  int col = 0;
  int row = 0;
  e.PixelToCaret(local.x(), local.y(), col, row);
  return Map().OffsetOf(row, col);
}

void EditorAccessible::scrollToSubstring(int startIndex, int /*endIndex*/) {
  ::Guarded(Widget(), [&] {
    const AccessibleTextMap::Position p = Map().At(startIndex);
    TRACustomEditor& e = Editor();
    e.ScrollToLine(p.Line);
    if (p.Col < e.LeftCol() || p.Col > e.LastVisibleCol())
      e.SetLeftTop(std::max(0, p.Col - e.VisibleColCount() / 2), e.TopRow());
  });
}

// The run of equal colours and style around Offset, as the highlighter paints it; a
// line break is a run of its own in the control's colours.
QString EditorAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
  const AccessibleTextMap map = Map();
  TRACustomEditor& e = Editor();
  *startOffset = *endOffset = 0;
  if (e.Lines().Count() == 0 || offset < 0 || offset >= map.CharacterCount()) return {};
  const AccessibleTextMap::Position p = map.At(offset);
  const int length = map.LineLength(p.Line);
  const int lineStart = map.LineStart(p.Line);
  TLineAttr attr{e.Font().Color, e.Color(), e.Font().Style};
  if (p.Col < length) {
    const TLineAttrs& attrs = e.TextAttrs(p.Line);
    const auto at = [&](int col) -> const TLineAttr& {
      return attrs[std::min(col, MaxLineAttr - 1) + 1];
    };
    attr = at(p.Col);
    int first = p.Col;
    int next = p.Col + 1;
    while (first > 0 && at(first - 1) == attr) --first;
    while (next < length && at(next) == attr) ++next;
    *startOffset = lineStart + first;
    *endOffset = lineStart + next;
  } else {
    *startOffset = offset;
    *endOffset = offset + 1;
  }
  QStringList parts{
      QStringLiteral("color:") + CssColor(Widget()->ResolveColor(attr.ForeColor)),
      QStringLiteral("background-color:") + CssColor(Widget()->ResolveColor(attr.BackColor)),
      QStringLiteral("font-family:") + QString::fromStdString(e.Font().Name),
      QStringLiteral("font-size:%1pt").arg(e.Font().Size()),
      QStringLiteral("font-weight:") +
          ((attr.Style & fsBold) ? QStringLiteral("bold") : QStringLiteral("normal")),
      QStringLiteral("font-style:") +
          ((attr.Style & fsItalic) ? QStringLiteral("italic") : QStringLiteral("normal"))};
  if (attr.Style & fsUnderline) parts << QStringLiteral("text-underline-style:solid");
  if (attr.Style & fsStrikeOut) parts << QStringLiteral("text-line-through-type:single");
  return parts.join(QLatin1Char(';')) + QLatin1Char(';');
}

// ---- editing ----

// Text given here is typed as keys are (a "\n" for a line break is stored as CR LF).
void EditorAccessible::insertText(int offset, const QString& text) {
  if (!Editable() || text.isEmpty()) return;
  const TTypedText typed = Widget()->Typed(text);
  if (!typed.Accepted()) return Widget()->RefuseTyping(typed);
  Change([&] {
    textinsertion::AsOneUndoStep(Editor(), [&] {
      Select(offset, offset);
      Editor().InsertText(typed.Bytes);
    });
  });
}

void EditorAccessible::deleteText(int startOffset, int endOffset) {
  if (!Editable() || startOffset >= endOffset) return;
  Change([&] {
    textinsertion::AsOneUndoStep(Editor(), [&] {
      Select(startOffset, endOffset);
      Editor().DeleteSelected();
    });
  });
}

void EditorAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  if (!Editable()) return;
  const TTypedText typed = Widget()->Typed(text);
  if (!typed.Accepted()) return Widget()->RefuseTyping(typed);
  Change([&] {
    textinsertion::AsOneUndoStep(Editor(), [&] {
      Select(startOffset, endOffset);
      Editor().DeleteSelected();
      if (!typed.Bytes.empty()) Editor().InsertText(typed.Bytes);
    });
  });
}
