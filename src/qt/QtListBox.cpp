#include "qt/QtListBox.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>

#include "qt/CompletionListAccessible.h"
#include "qt/Guarded.h"
#include "qt/KeyTranslation.h"

namespace {
// The extra buttons act as the left one in the list.
TMouseButton ButtonOf(Qt::MouseButton button) {
  return KeyTranslation::MouseButtonOf(button).value_or(TMouseButton::mbLeft);
}
}  // namespace

QtListBox::QtListBox(QWidget* owner, std::function<TColor(TColor)> resolve)
    // A tool-tip window is never activated, has no task-bar entry and stays above the
    // editor's window.
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      FOwner(owner),
      FResolve(std::move(resolve)),
      FScrollBar(Qt::Vertical, this),
      FCanvas(FResolve) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_OpaquePaintEvent);
  CompletionListAccessible::InstallFactory();
  setFocusPolicy(Qt::NoFocus);
  FScrollBar.setFocusPolicy(Qt::NoFocus);
  FScrollBar.hide();
  setMouseTracking(true);
  setGeometry(-1000, 0, 100, 100);
  connect(&FScrollBar, &QScrollBar::valueChanged, this, [this](int value) {
    if (value == FTopIndex) return;
    FTopIndex = value;
    update();
  });
  // Another application taking over ends the list like the platform's cancel mode.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s != Qt::ApplicationActive && isVisible() && OnCancelMode) Guarded(FOwner, OnCancelMode);
  });
}

void QtListBox::SetRows(const std::vector<std::string>& rows) {
  FRows = rows;
  FTopIndex = std::clamp(FTopIndex, 0, std::max(static_cast<int>(FRows.size()) - 1, 0));
  UpdateScrollBar();
  update();
  CompletionListAccessible::RowsChanged(this);
}

void QtListBox::SetRowHeight(int pixels) {
  FRowHeight = std::max(pixels, 1);
  UpdateScrollBar();
  update();
}

void QtListBox::SetItemIndex(int index) {
  if (index == FItemIndex) return;
  FItemIndex = index;
  update();
  CompletionListAccessible::CurrentRowChanged(this);
}

void QtListBox::SetTopIndex(int index) {
  const int top = std::clamp(index, 0, std::max(static_cast<int>(FRows.size()) - 1, 0));
  if (top == FTopIndex) return;
  FTopIndex = top;
  UpdateScrollBar();
  update();
}

void QtListBox::SetBounds(const TRect& bounds) {
  setGeometry(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  UpdateScrollBar();
}

TRect QtListBox::Bounds() const {
  const QRect g = geometry();
  return TRect::FromSize(g.x(), g.y(), g.width(), g.height());
}

void QtListBox::ShowNoActivate() {
  // Window systems that place pop-ups relative to a parent window get the owner's.
  create();
  QWidget* ownerWindow = FOwner ? FOwner->window() : nullptr;
  if (ownerWindow && ownerWindow->windowHandle() && windowHandle())
    windowHandle()->setTransientParent(ownerWindow->windowHandle());
  show();
}

int QtListBox::ClientWidth() const {
  const int bar = NeedsScrollBar() ? FScrollBar.sizeHint().width() : 0;
  return std::max(width() - 2 * kBorder - bar, 0);
}

int QtListBox::ClientHeight() const {
  return std::max(height() - 2 * kBorder, 0);
}

bool QtListBox::LeftButtonDown() const {
  return QGuiApplication::mouseButtons() & Qt::LeftButton;
}

bool QtListBox::NeedsScrollBar() const {
  return static_cast<int>(FRows.size()) * FRowHeight > ClientHeight();
}

void QtListBox::UpdateScrollBar() {
  const int visible = std::max(ClientHeight() / FRowHeight, 1);
  const bool needed = NeedsScrollBar();
  FScrollBar.setVisible(needed);
  if (!needed) return;
  const int barWidth = FScrollBar.sizeHint().width();
  FScrollBar.setGeometry(width() - kBorder - barWidth, kBorder, barWidth, ClientHeight());
  FScrollBar.setRange(0, std::max(static_cast<int>(FRows.size()) - visible, 0));
  FScrollBar.setPageStep(visible);
  FScrollBar.setValue(FTopIndex);
}

// ---- painting ----

TFont QtListBox::OwnFont() const {
  const QFontInfo info(font());
  TFont own;
  own.Name = info.family().toStdString();
  own.Height = info.pixelSize();
  return own;
}

void QtListBox::PaintRows() {
  const QSize size(std::max(ClientWidth(), 1), std::max(ClientHeight(), 1));
  if (FImage.size() != size) FImage = QImage(size, QImage::Format_RGB32);
  FCanvas.SetImage(&FImage);
  FCanvas.SetClipRect(TRect::FromSize(0, 0, size.width(), size.height()));
  const TFont own = OwnFont();
  int y = 0;
  for (int i = FTopIndex; i < static_cast<int>(FRows.size()) && y < size.height(); ++i) {
    const bool selected = i == FItemIndex;
    TFont rowFont = own;
    rowFont.Color = selected ? clHighlightText : clWindowText;
    FCanvas.SetFont(rowFont);
    FCanvas.SetBrushColor(selected ? clHighlight : clWindow);
    const TRect rect = TRect::FromSize(0, y, size.width(), FRowHeight);
    if (OnDrawItem)
      Guarded(FOwner, [&] { OnDrawItem(FCanvas, i, rect, selected ? odSelected : 0); });
    y += FRowHeight;
  }
  if (y < size.height()) {
    FCanvas.SetBrushColor(clWindow);
    FCanvas.FillRect(TRect::FromSize(0, y, size.width(), size.height() - y));
  }
  FCanvas.TakeDirty();
  FCanvas.SetImage(nullptr);
}

void QtListBox::paintEvent(QPaintEvent*) {
  PaintRows();
  QPainter painter(this);
  painter.drawImage(kBorder, kBorder, FImage);
  painter.setPen(ToQColor(FResolve(clWindowText)));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void QtListBox::resizeEvent(QResizeEvent*) {
  UpdateScrollBar();
}

// ---- mouse ----

void QtListBox::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint() - QPoint(kBorder, kBorder);
  if (!OnMouseDown) return;
  Guarded(FOwner, [&] {
    OnMouseDown(ButtonOf(event->button()), KeyTranslation::MouseShiftStateOf(*event), p.x(), p.y());
  });
}

void QtListBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint() - QPoint(kBorder, kBorder);
  if (OnMouseMove)
    Guarded(FOwner, [&] { OnMouseMove(KeyTranslation::MouseShiftStateOf(*event), p.x(), p.y()); });
}

void QtListBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint() - QPoint(kBorder, kBorder);
  // Releasing may insert the candidate, which runs the editor's handlers.
  if (!OnMouseUp) return;
  Guarded(FOwner, [&] {
    OnMouseUp(ButtonOf(event->button()), KeyTranslation::MouseShiftStateOf(*event), p.x(), p.y());
  });
}

void QtListBox::wheelEvent(QWheelEvent* event) {
  // One notch of 120 scrolls three rows.
  if (FScrollBar.isVisible())
    FScrollBar.setValue(FScrollBar.value() - event->angleDelta().y() / 40);
}

bool QtListBox::event(QEvent* event) {
  // The list never shows a hint.
  if (event->type() == QEvent::ToolTip) return true;
  return QWidget::event(event);
}
