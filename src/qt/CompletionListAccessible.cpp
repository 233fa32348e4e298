#include "qt/CompletionListAccessible.h"

#include <QPointer>

#include "qt/AccessibleEventSink.h"
#include "qt/Codepage1252.h"
#include "qt/QtListBox.h"

namespace {

// One row of the list.
class CompletionRowAccessible : public QAccessibleInterface {
 public:
  CompletionRowAccessible(QtListBox* list, int row) : FList(list), FRow(row) {}

  bool isValid() const override { return FList && FRow < static_cast<int>(FList->Rows().size()); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return FList ? FList->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(FList.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return Codepage1252::ToQString(FList->Rows()[static_cast<size_t>(FRow)]);
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const TPoint border = FList->BorderSize();
    const int top = border.Y + (FRow - FList->TopIndex()) * FList->RowHeight();
    return QRect(FList->mapToGlobal(QPoint(border.X, top)),
                 QSize(FList->ClientWidth(), FList->RowHeight()));
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.selectable = true;
    s.focusable = true;
    const bool current = isValid() && FList->ItemIndex() == FRow;
    s.selected = s.focused = s.active = current;
    const int visible =
        FList && FList->RowHeight() > 0 ? FList->ClientHeight() / FList->RowHeight() : 0;
    s.invisible = !FList || !FList->isVisible() || FRow < FList->TopIndex() ||
                  FRow >= FList->TopIndex() + visible;
    return s;
  }

 private:
  QPointer<QtListBox> FList;
  int FRow;
};

QAccessibleInterface* MakeListAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String("QtListBox") || !object->isWidgetType()) return nullptr;
  return new CompletionListAccessible(static_cast<QtListBox*>(object));
}

CompletionListAccessible* Existing(QtListBox* list) {
  if (!AccessibleEventSink::Listening()) return nullptr;
  return dynamic_cast<CompletionListAccessible*>(QAccessible::queryAccessibleInterface(list));
}

}  // namespace

CompletionListAccessible::CompletionListAccessible(QtListBox* list)
    : QAccessibleWidget(list, QAccessible::List) {}

CompletionListAccessible::~CompletionListAccessible() {
  DropRows();
}

void CompletionListAccessible::InstallFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(MakeListAccessible);
    return true;
  }();
  (void)installed;
}

QtListBox* CompletionListAccessible::List() const {
  return static_cast<QtListBox*>(widget());
}

void CompletionListAccessible::DropRows() const {
  for (QAccessible::Id id : FRows) {
    if (id != 0) QAccessible::deleteAccessibleInterface(id);
  }
  FRows.clear();
}

void CompletionListAccessible::RowsChanged(QtListBox* list) {
  if (CompletionListAccessible* self = Existing(list)) {
    self->DropRows();
    QAccessibleEvent event(list, QAccessible::ObjectReorder);
    AccessibleEventSink::Send(event);
  }
}

void CompletionListAccessible::CurrentRowChanged(QtListBox* list) {
  CompletionListAccessible* self = Existing(list);
  if (self == nullptr) return;
  if (QAccessibleInterface* row = self->child(list->ItemIndex())) {
    QAccessibleEvent focus(row, QAccessible::Focus);
    AccessibleEventSink::Send(focus);
    QAccessibleEvent selection(row, QAccessible::Selection);
    AccessibleEventSink::Send(selection);
  }
}

QString CompletionListAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
    return QStringLiteral("Completions");
  return QAccessibleWidget::text(t);
}

int CompletionListAccessible::childCount() const {
  return static_cast<int>(List()->Rows().size());
}

QAccessibleInterface* CompletionListAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  if (FRows.size() != static_cast<size_t>(childCount())) {
    DropRows();
    FRows.assign(static_cast<size_t>(childCount()), 0);
  }
  QAccessible::Id& id = FRows[static_cast<size_t>(index)];
  if (id == 0)
    id = QAccessible::registerAccessibleInterface(new CompletionRowAccessible(List(), index));
  return QAccessible::accessibleInterface(id);
}

int CompletionListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (size_t i = 0; i < FRows.size(); ++i) {
    if (FRows[i] != 0 && QAccessible::accessibleInterface(FRows[i]) == child)
      return static_cast<int>(i);
  }
  return -1;
}

QAccessibleInterface* CompletionListAccessible::childAt(int x, int y) const {
  for (int i = List()->TopIndex(); i < childCount(); ++i) {
    QAccessibleInterface* row = child(i);
    if (row->rect().contains(x, y)) return row;
    if (row->rect().top() > y) break;
  }
  return nullptr;
}

QAccessibleInterface* CompletionListAccessible::focusChild() const {
  return child(List()->ItemIndex());
}
