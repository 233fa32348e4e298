#include "qt/EditorWidget.h"

#include <QApplication>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "editor/CommandBrackets.h"
#include "platform/CodePageLocale.h"
#include "qt/EditorAccessEvents.h"
#include "qt/EditorAccessible.h"
#include "qt/Guarded.h"
#include "qt/KeyTranslation.h"
#include "qt/QtListBox.h"
#include "qt/QtTimer.h"
#include "qt/ReadableColor.h"

namespace {

// The posted command message.
const QEvent::Type kEditCommandEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class EditCommandEvent : public QEvent {
 public:
  explicit EditCommandEvent(uint16_t code) : QEvent(kEditCommandEvent), Code(code) {}
  const uint16_t Code;
};

QRect ToQRect(const TRect& r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

TRect ToTRect(const QRect& r) {
  return TRect::FromSize(r.x(), r.y(), r.width(), r.height());
}

// Palette role of a system colour number.
QPalette::ColorRole SystemColorRole(int index) {
  switch (index) {
    case 5:
      return QPalette::Base;  // window background
    case 7:                   // menu text
    case 9:                   // caption text
    case 19:
      return QPalette::WindowText;  // inactive caption text
    case 8:
      return QPalette::Text;  // window text
    case 2:                   // active caption
    case 13:                  // highlight
    case 27:                  // gradient active caption
    case 29:
      return QPalette::Highlight;  // menu highlight
    case 14:
      return QPalette::HighlightedText;
    case 0:  // scroll bar
    case 15:
      return QPalette::Button;  // button face
    case 16:
      return QPalette::Dark;  // button shadow
    case 6:                   // window frame
    case 21:
      return QPalette::Shadow;  // 3D dark shadow
    case 17:
      return QPalette::PlaceholderText;  // grey text
    case 18:
      return QPalette::ButtonText;
    case 20:
      return QPalette::Light;  // button highlight
    case 22:
      return QPalette::Midlight;  // 3D light
    case 23:
      return QPalette::ToolTipText;
    case 24:
      return QPalette::ToolTipBase;
    case 26:
      return QPalette::Link;  // hot-tracked item
    case 12:                  // application workspace
    case 3:                   // inactive caption
    case 28:
      return QPalette::Mid;
    default:
      return QPalette::Window;  // desktop, menu, borders, menu bar
  }
}

}  // namespace

EditorWidget::EditorWidget(const Factory& makeEditor, QWidget* parent)
    : QAbstractScrollArea(parent), FCanvas([this](TColor c) { return ResolveColor(c); }) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  viewport()->setAutoFillBackground(false);
  viewport()->setMouseTracking(true);
  viewport()->setCursor(Qt::IBeamCursor);
  ConnectScrollBar(horizontalScrollBar(), false);
  ConnectScrollBar(verticalScrollBar(), true);
  FCanvas.OnDirty = [this] {
    if (FFlushQueued) return;
    FFlushQueued = true;
    QMetaObject::invokeMethod(this, &EditorWidget::FlushDirty, Qt::QueuedConnection);
  };
  connect(&FBlinkTimer, &QTimer::timeout, this, [this] {
    // A caret that moved stays on for a whole half period.
    if (FCaret.BlinkOn && FCaretMoved.isValid() && FCaretMoved.elapsed() < FBlinkTimer.interval())
      return;
    FCaret.BlinkOn = !FCaret.BlinkOn;
    UpdateCaretArea();
  });
  ReallocateImage();
  FEditor = makeEditor(*this);
  FEditor->CreateWnd();
  FEditor->Resize();
  EditorAccessible::InstallFactory();
  FAccessEvents = std::make_unique<EditorAccessEvents>(*this);
}

EditorWidget::~EditorWidget() {
  // The control may still call its host while it is freed.
  FAccessEvents.reset();
  FEditor.reset();
  FCanvas.SetImage(nullptr);
}

TRACustomEditor& EditorWidget::Editor() const {
  return *FEditor;
}

void EditorWidget::SetCodePage(TCodePage page) {
  if (page == FCodePage) return;
  FCodePage = page;
  FLocale = &LocaleOf(page);
  FCanvas.SetCodePage(page);
  FClipboard.SetCodePage(page);
  Invalidate();
}

QSize EditorWidget::sizeHint() const {
  const QFontMetrics metrics(ToQFont(FEditor ? FEditor->Font() : TFont{}));
  const int cellWidth = std::max(1, metrics.horizontalAdvance(QStringLiteral("WW")) / 2);
  const int cellHeight = metrics.height() + 1;
  const int gutter = FEditor ? FEditor->GutterWidth() + 2 : 2;
  const int frame = 2 * frameWidth();
  return QSize(gutter + 80 * cellWidth + frame + verticalScrollBar()->sizeHint().width(),
               25 * cellHeight + frame + horizontalScrollBar()->sizeHint().height());
}

// ---- drawing ----

int EditorWidget::ClientWidth() const {
  return viewport()->width();
}

int EditorWidget::ClientHeight() const {
  return viewport()->height();
}

int EditorWidget::DeviceScale() const {
  // A fractional ratio gets the next whole one; the blit then scales the image down.
  return std::max(1, static_cast<int>(std::ceil(viewport()->devicePixelRatioF() - 0.01)));
}

bool EditorWidget::ReallocateImage() {
  const QSize size = viewport()->size();
  const int scale = DeviceScale();
  if (size == FImageSize && scale == FScale) return false;
  FCanvas.SetImage(nullptr);
  FImageSize = size;
  FScale = scale;
  FImage = QImage(size * scale, QImage::Format_RGB32);
  FImage.fill(ToQColor(ResolveColor(clWindow)));
  FRowOffset = 0;
  FCanvas.SetImage(&FImage, scale);
  FCanvas.SetClipRect(ToTRect(ImageRect()));
  return true;
}

QImage EditorWidget::Image() const {
  QImage image = LogicalImage(FImage, FRowOffset);
  image.setDevicePixelRatio(FScale);
  return image;
}

// Edits in a row (a Replace All) invalidate again and again before the next paint; once
// everything waits for it, asking again only costs time.
bool EditorWidget::WholeViewPending() const {
  return FPending.rectCount() == 1 && FPending.boundingRect() == viewport()->rect();
}

void EditorWidget::Invalidate() {
  if (WholeViewPending()) return;
  FPending = QRegion(viewport()->rect());
  viewport()->update();
}

void EditorWidget::InvalidateRect(const TRect& rect) {
  if (WholeViewPending()) return;
  const QRect r = ToQRect(rect) & viewport()->rect();
  if (r.isEmpty()) return;
  FPending += r;
  viewport()->update(r);
}

// Moves the pixels of Area by Dy; pending regions move with them. The control scrolls
// the whole image, which only turns the ring: no pixel is copied.
void EditorWidget::ScrollArea(const TRect& area, int dy) {
  const QRect a = ToQRect(area) & ImageRect();
  if (a.isEmpty() || dy == 0) return;
  if (std::abs(dy) >= a.height()) {
    InvalidateRect(area);
    return;
  }
  if (a == ImageRect()) {
    TurnRing(dy * FScale);
  } else {
    MoveRows(QRect(a.topLeft() * FScale, a.size() * FScale), dy * FScale);
  }
  const QRegion moved = (FPending & a).translated(0, dy) & a;
  FPending = (FPending - a) + moved;
  const QRect uncovered = dy < 0 ? QRect(a.left(), a.bottom() + 1 + dy, a.width(), -dy)
                                 : QRect(a.left(), a.top(), a.width(), dy);
  FPending += uncovered;
  viewport()->update(a);
}

// Image row y then shows what row y - dy showed (dy in image rows).
void EditorWidget::TurnRing(int dy) {
  const int height = FImage.height();
  FRowOffset = ((FRowOffset - dy) % height + height) % height;
  FCanvas.SetRowOffset(FRowOffset);
}

void EditorWidget::MoveRows(const QRect& a, int dy) {
  const int bytesPerPixel = FImage.depth() / 8;
  const size_t rowBytes = static_cast<size_t>(a.width()) * bytesPerPixel;
  const size_t offset = static_cast<size_t>(a.left()) * bytesPerPixel;
  const int height = FImage.height();
  const auto physical = [&](int y) { return (y + FRowOffset) % height; };
  const int rows = a.height() - std::abs(dy);
  for (int i = 0; i < rows; ++i) {
    // Copy in the direction that never reads a row already overwritten.
    const int target = dy < 0 ? a.top() + i : a.bottom() - i;
    std::memmove(FImage.scanLine(physical(target)) + offset,
                 FImage.constScanLine(physical(target - dy)) + offset, rowBytes);
  }
}

void EditorWidget::UpdateNow() {
  PaintPending();
  FlushDirty();
}

// Lets the control paint the bounding box of the pending region into the image.
void EditorWidget::PaintPending() {
  if (FPending.isEmpty()) return;
  const QRect r = FPending.boundingRect();
  FPending = QRegion();
  if (!FEditor || FImage.isNull()) return;
  FCanvas.SetClipRect(ToTRect(r));
  Guarded(this, [this] { FEditor->Paint(); });
  FCanvas.SetClipRect(ToTRect(ImageRect()));
}

// Shows what the control drew into the image outside paint events.
void EditorWidget::FlushDirty() {
  FFlushQueued = false;
  const QRect dirty = FCanvas.TakeDirty();
  if (!dirty.isEmpty()) viewport()->update(dirty);
}

void EditorWidget::paintEvent(QPaintEvent* event) {
  // The window moved to a screen of another pixel ratio.
  if (ReallocateImage()) {
    FPending = QRegion(ImageRect());
    viewport()->update();
  }
  PaintPending();
  const QRegion outside = QRegion(FCanvas.TakeDirty()) - event->region();
  if (!outside.isEmpty()) viewport()->update(outside);
  QPainter painter(viewport());
  if (FScale != viewport()->devicePixelRatioF()) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
  }
  for (const QRect& r : event->region()) Blit(painter, r);
  if (CaretVisible() && FCaret.BlinkOn) {
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.fillRect(CaretRect(), Qt::white);
  }
}

// Shows a logical rectangle of the image: one piece from each side of the wrap. The
// ring's wrap lies on a logical row, so each piece is whole logical pixels.
void EditorWidget::Blit(QPainter& painter, const QRect& logical) const {
  const QRect rows(logical.topLeft() * FScale, logical.size() * FScale);
  for (const RingPart& part : SplitAtWrap(rows, FImage.height(), FRowOffset)) {
    if (part.Logical.isEmpty()) continue;
    const QRect& r = part.Logical;
    const QRect target(r.x() / FScale, r.y() / FScale, r.width() / FScale, r.height() / FScale);
    painter.drawImage(target, FImage, r.translated(0, part.Shift));
  }
}

void EditorWidget::resizeEvent(QResizeEvent*) {
  if (!ReallocateImage()) return;
  FPending = QRegion(ImageRect());
  if (FEditor) Guarded(this, [this] { FEditor->Resize(); });
}

void EditorWidget::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) {
    FDarkBase.reset();
    FReadableColors.clear();
    Invalidate();
  }
}

// ---- caret ----

void EditorWidget::UpdateCaretArea() {
  if (!FCaret.Size.isEmpty() && !WholeViewPending()) viewport()->update(CaretRect());
}

void EditorWidget::RestartBlink() {
  FCaret.BlinkOn = true;
  const int flash = QApplication::cursorFlashTime();
  if (FCaret.Exists && FCaret.Visible && flash > 0) {
    // Restarting the timer on every caret move is costly in long edits; the tick
    // looks at the time of the last move instead.
    FCaretMoved.start();
    if (!FBlinkTimer.isActive() || FBlinkTimer.interval() != flash / 2)
      FBlinkTimer.start(flash / 2);
  } else {
    FBlinkTimer.stop();
  }
}

// A new caret starts hidden, as the platform's does.
void EditorWidget::CreateCaret(int width, int height) {
  UpdateCaretArea();
  FCaret.Exists = true;
  FCaret.Visible = false;
  FCaret.Size = QSize(std::max(0, width), std::max(0, height));
  RestartBlink();
}

void EditorWidget::DestroyCaret() {
  UpdateCaretArea();
  FCaret.Exists = false;
  FCaret.Visible = false;
  RestartBlink();
}

void EditorWidget::ShowCaret() {
  if (!FCaret.Exists) return;
  FCaret.Visible = true;
  RestartBlink();
  UpdateCaretArea();
}

void EditorWidget::HideCaret() {
  if (!FCaret.Exists) return;
  FCaret.Visible = false;
  RestartBlink();
  UpdateCaretArea();
}

void EditorWidget::SetCaretPos(int x, int y) {
  UpdateCaretArea();
  FCaret.Pos = QPoint(x, y);
  RestartBlink();
  UpdateCaretArea();
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

// ---- the rest of the host ----

void EditorWidget::TakeFocus() {
  setFocus(Qt::MouseFocusReason);
}

void EditorWidget::SetCursorShape(TCursorShape shape) {
  FCursorShape = shape;
  FShownCursor = shape;
  viewport()->setCursor(shape == TCursorShape::Arrow ? Qt::ArrowCursor : Qt::IBeamCursor);
}

void EditorWidget::PostCommand(uint16_t code) {
  QCoreApplication::postEvent(this, new EditCommandEvent(code));
}

void EditorWidget::Beep() {
  QApplication::beep();
}

TShiftState EditorWidget::KeyState() const {
  return KeyTranslation::ShiftStateOf(QGuiApplication::queryKeyboardModifiers());
}

TPoint EditorWidget::ScreenSize() const {
  const QScreen* s = screen();
  if (!s) return {};
  return {s->size().width(), s->size().height()};
}

TPoint EditorWidget::ClientToScreen(TPoint p) const {
  const QPoint g = viewport()->mapToGlobal(QPoint(p.X, p.Y));
  return {g.x(), g.y()};
}

std::unique_ptr<Timer> EditorWidget::CreateTimer() {
  return std::make_unique<QtTimer>();
}

std::unique_ptr<ListBox> EditorWidget::CreateListBox() {
  return std::make_unique<QtListBox>(this, [this](TColor c) { return ResolveColor(c); });
}

TColor EditorWidget::ResolveColor(TColor color) const {
  if (IsSystemColor(color)) return FromQColor(palette().color(SystemColorRole(color & 0xFF)));
  // Plain colours are readable on the light window they were chosen for; on a dark one
  // they are lightened (once per colour and palette).
  const QColor& base = palette().color(QPalette::Base);
  if (!FDarkBase) FDarkBase = ReadableColor::IsDark(base);
  if (!*FDarkBase) return color;
  const auto known = FReadableColors.find(color);
  if (known != FReadableColors.end()) return known->second;
  const TColor readable = FromQColor(ReadableColor::OnDark(ToQColor(color), base));
  FReadableColors.emplace(color, readable);
  return readable;
}

bool EditorWidget::event(QEvent* event) {
  // What the event did to the caret and the selection is reported once it is handled.
  const Bracket report([this] {
    if (FAccessEvents) FAccessEvents->Sync();
  });
  if (event->type() == kEditCommandEvent) {
    const uint16_t code = static_cast<EditCommandEvent*>(event)->Code;
    if (FEditor) Guarded(this, [this, code] { FEditor->Command(code); });
    return true;
  }
  if (event->type() == QEvent::ShortcutOverride) {
    // The windows' shortcuts go first, also those of disabled actions.
    event->ignore();
    return false;
  }
  return QAbstractScrollArea::event(event);
}

bool EditorWidget::viewportEvent(QEvent* event) {
  const Bracket report([this] {
    if (FAccessEvents) FAccessEvents->Sync();
  });
  return QAbstractScrollArea::viewportEvent(event);
}
