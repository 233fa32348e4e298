// EditorWidget: keys, input method, focus, mouse, wheel and scroll bar requests.
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <optional>

#include "editor/CodePageSwitch.h"
#include "qt/EditorWidget.h"
#include "qt/Guarded.h"
#include "qt/KeyTranslation.h"
#include "qt/TypedText.h"

namespace {

// One wheel step of the control is 40 units (a standard notch of 120 is three lines).
constexpr int kWheelUnit = 40;

// Scroll bar request code of a slider action; -1 for none.
int RequestCode(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return 0;
    case QAbstractSlider::SliderSingleStepAdd:
      return 1;
    case QAbstractSlider::SliderPageStepSub:
      return 2;
    case QAbstractSlider::SliderPageStepAdd:
      return 3;
    case QAbstractSlider::SliderMove:
      return 5;
    case QAbstractSlider::SliderToMinimum:
      return 6;
    case QAbstractSlider::SliderToMaximum:
      return 7;
    default:
      return -1;
  }
}

}  // namespace

// ---- keys ----

void EditorWidget::keyPressEvent(QKeyEvent* event) {
  event->accept();
  if (!FEditor || KeyTranslation::IsModifierKey(event->key())) return;
  const uint16_t vk = KeyTranslation::VirtualKey(*event);
  const TShiftState shift = KeyTranslation::ShiftStateOf(event->modifiers());
  uint16_t key = vk;
  Guarded(this, [&] { FEditor->KeyDown(key, shift); });
  if (vk != 0 && key == 0) return;  // consumed by a command
  Type(KeyTranslation::TypedCharacters(*event));
}

void EditorWidget::Type(const QString& characters) {
  if (characters.isEmpty()) return;
  const TTypedText typed = Typed(characters);
  if (!typed.Accepted()) return RefuseTyping(typed);
  for (char c : typed.Bytes) Guarded(this, [&] { FEditor->KeyPress(c); });
}

TTypedText EditorWidget::Typed(const QString& text) {
  TTypedText typed = TypedText(text, FCodePage);
  if (typed.Accepted() || !FEditor || !FMaySwitch || !FMaySwitch()) return typed;
  const std::u32string added = text.toStdU32String();
  const auto page = codepageswitch::FirstHoldingWith(*FEditor, FCodePage, added);
  if (!page) return typed;
  const TCodePage from = FCodePage;
  codepageswitch::Switch(*FEditor, from, *page);
  SetCodePage(*page);
  emit CodePageSwitched(
      *page, QStringLiteral("The document now uses %1 (%2) to hold \"%3\"; it is still saved as "
                            "UTF-8.")
                 .arg(QString::fromLatin1(codepage::Name(*page)),
                      QString::fromLatin1(codepage::WritingSystem(*page)), typed.Refused));
  return TypedText(text, FCodePage);
}

void EditorWidget::RefuseTyping(const TTypedText& typed) {
  Beep();
  emit TypingRefused(RefusalMessage(typed));
}

// Text composed by an input method (dead keys, compose sequences) is typed like the
// characters of a key without a code of its own.
void EditorWidget::inputMethodEvent(QInputMethodEvent* event) {
  event->accept();
  const QString committed = event->commitString();
  if (!FEditor || committed.isEmpty()) return;
  uint16_t key = 0;
  Guarded(this, [&] { FEditor->KeyDown(key, 0); });
  Type(committed);
}

QVariant EditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImCursorRectangle:
      return CaretRect().translated(viewport()->pos());
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// Tab and Shift+Tab are the control's keys, not focus moves.
bool EditorWidget::focusNextPrevChild(bool) {
  return false;
}

// ---- focus ----

void EditorWidget::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (FEditor) Guarded(this, [this] { FEditor->FocusIn(); });
}

void EditorWidget::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (FEditor) Guarded(this, [this] { FEditor->FocusOut(); });
}

// ---- mouse ----

void EditorWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
  const auto button = KeyTranslation::MouseButtonOf(event->button());
  if (!FEditor || !button) return;
  const QPoint p = event->position().toPoint();
  Guarded(this, [&] {
    FEditor->MouseDown(*button, KeyTranslation::MouseShiftStateOf(*event), p.x(), p.y());
  });
}

// The platform replaces the second press of a double click by the double click, so the
// control hears of the double click and then of the press.
void EditorWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  const auto button = KeyTranslation::MouseButtonOf(event->button());
  if (!FEditor || !button) return;
  const QPoint p = event->position().toPoint();
  Guarded(this, [&] {
    if (*button == TMouseButton::mbLeft) FEditor->DblClick();
    FEditor->MouseDown(*button, KeyTranslation::MouseShiftStateOf(*event), p.x(), p.y());
  });
}

void EditorWidget::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (!FEditor) return;
  const QPoint p = event->position().toPoint();
  const TCursorShape shape = FEditor->CursorAt(p.x());
  if (shape != FShownCursor) {
    FShownCursor = shape;
    viewport()->setCursor(shape == TCursorShape::Arrow ? Qt::ArrowCursor : Qt::IBeamCursor);
  }
  Guarded(this,
          [&] { FEditor->MouseMove(KeyTranslation::MouseShiftStateOf(*event), p.x(), p.y()); });
}

void EditorWidget::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const auto button = KeyTranslation::MouseButtonOf(event->button());
  if (!FEditor || !button) return;
  const QPoint p = event->position().toPoint();
  Guarded(this, [&] {
    FEditor->MouseUp(*button, KeyTranslation::MouseShiftStateOf(*event), p.x(), p.y());
  });
}

// Small steps of smooth-scrolling devices add up until they make a whole step.
void EditorWidget::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (!FEditor || delta == 0) {
    event->ignore();
    return;
  }
  event->accept();
  if ((delta > 0) != (FWheelRemainder > 0)) FWheelRemainder = 0;
  FWheelRemainder += delta;
  const int whole = FWheelRemainder / kWheelUnit * kWheelUnit;
  if (whole == 0) return;
  FWheelRemainder -= whole;
  Guarded(this, [&] { FEditor->MouseWheel(whole); });
}

// ---- scroll bars ----

void EditorWidget::scrollContentsBy(int, int) {}

void EditorWidget::ConnectScrollBar(QScrollBar* bar, bool vertical) {
  connect(bar, &QAbstractSlider::actionTriggered, this,
          [this, bar, vertical](int action) { OnScrollAction(bar, vertical, action); });
  connect(bar, &QAbstractSlider::sliderReleased, this, [this, vertical] {
    if (FEditor) Guarded(this, [&] { FEditor->HandleScrollRequest(vertical, 4); });
  });
}

// The control decides where the bar goes: after the request the slider shows the
// position the control gave it, whatever the slider computed for itself.
void EditorWidget::OnScrollAction(QScrollBar* bar, bool vertical, int action) {
  const int code = RequestCode(action);
  if (!FEditor || code < 0) return;
  Guarded(this, [&] { FEditor->HandleScrollRequest(vertical, code); });
  bar->setSliderPosition(bar->value());
}

QScrollBar* EditorWidget::BarOf(TScrollBarKind kind) const {
  return kind == TScrollBarKind::sbVertical ? verticalScrollBar() : horizontalScrollBar();
}

// The range Min..Max with a page of Page lets the bar's position run from Min to
// Max - Page + 1; a bar with nothing to scroll is shown disabled.
void EditorWidget::SetScrollBar(TScrollBarKind kind, int min, int max, int page, int position) {
  QScrollBar* bar = BarOf(kind);
  const int last = std::max(min, page > 0 ? max - page + 1 : max);
  bar->setRange(min, last);
  bar->setPageStep(std::max(0, page));
  bar->setSingleStep(1);
  bar->setValue(std::clamp(position, min, last));
  bar->setEnabled(last > min);
}

void EditorWidget::SetWindowStyle(bool border, bool horizontalBar, bool verticalBar) {
  setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
  setHorizontalScrollBarPolicy(horizontalBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(verticalBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

int EditorWidget::ScrollTrackPosition(TScrollBarKind kind) const {
  return BarOf(kind)->sliderPosition();
}
