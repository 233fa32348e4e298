#pragma once
// The window under one editor control: a QAbstractScrollArea whose viewport keeps a
// backing image the control draws into. Paint events let the control paint the invalid
// region into the image and then show it with the caret on top; Qt key, mouse, wheel,
// focus, resize and scroll bar events go to the control's handlers.
//
// The image has the screen's resolution: on a screen of device pixel ratio 2 it holds
// two image rows and columns per logical pixel. Everything the control sees (sizes,
// positions, the caret, scroll bars) stays in logical pixels.
#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "editor/RAEditor.h"
#include "platform/EditorHost.h"
#include "qt/QtCanvas.h"
#include "qt/QtClipboard.h"
#include "qt/TypedText.h"
#include "util/CodePage.h"

class EditorAccessEvents;
class QScrollBar;

class EditorWidget : public QAbstractScrollArea, public EditorHost {
  Q_OBJECT

 public:
  using Factory = std::function<std::unique_ptr<TRACustomEditor>(EditorHost&)>;

  // Makes the editor with this widget as its host, then creates its window.
  explicit EditorWidget(const Factory& makeEditor, QWidget* parent = nullptr);
  ~EditorWidget() override;

  TRACustomEditor& Editor() const;
  // Tells assistive technology of the editor's changes (see EditorAccessible).
  EditorAccessEvents& AccessEvents() const { return *FAccessEvents; }
  // A copy of the picture the control drew, rows in their order on screen (the backing
  // image itself keeps them as a ring, see ScrollArea), at device resolution: its
  // device pixel ratio is Scale.
  QImage Image() const;
  // Device pixels of the backing image per logical pixel: the screen's device pixel
  // ratio, rounded up to a whole number.
  int Scale() const { return FScale; }
  // Where the backing image keeps logical row 0, in image rows (for tests).
  int RowOffset() const { return FRowOffset; }

  // The caret as the control left it: it exists only while the widget has the focus.
  bool CaretExists() const { return FCaret.Exists; }
  bool CaretVisible() const { return FCaret.Exists && FCaret.Visible; }
  QRect CaretRect() const { return QRect(FCaret.Pos, FCaret.Size); }

  QSize sizeHint() const override;

  // The document's code page: the editor's locale (case, comparison, where double-byte
  // characters begin) and the characters the canvas draws for its bytes. Windows-1252
  // until set; setting another repaints the view.
  void SetCodePage(TCodePage page);
  TCodePage CodePage() const { return FCodePage; }
  // Whether a typed character the code page lacks may move the document to the first code
  // page holding it and the document (its file is UTF-8, which any code page writes);
  // never until set.
  void SetCodePageSwitching(std::function<bool()> allowed) { FMaySwitch = std::move(allowed); }
  // Text typed, pasted or given by assistive technology as the document's bytes (see
  // qt/TypedText.h), after such a move when it needs one and may; refused otherwise.
  TTypedText Typed(const QString& text);

  // ---- EditorHost ----
  int ClientWidth() const override;
  int ClientHeight() const override;
  int WindowWidth() const override { return width(); }
  bool Showing() const override { return isVisible(); }
  Canvas& GetCanvas() override { return FCanvas; }
  void Invalidate() override;
  void InvalidateRect(const TRect& rect) override;
  void ScrollArea(const TRect& area, int dy) override;
  void UpdateNow() override;

  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void ShowCaret() override;
  void HideCaret() override;
  void SetCaretPos(int x, int y) override;

  bool HasFocus() const override { return hasFocus(); }
  void TakeFocus() override;
  void SetMouseCapture(bool capture) override { FMouseCaptured = capture; }
  void SetCursorShape(TCursorShape shape) override;

  void SetScrollBar(TScrollBarKind kind, int min, int max, int page, int position) override;
  void SetWindowStyle(bool border, bool horizontalBar, bool verticalBar) override;
  int ScrollTrackPosition(TScrollBarKind kind) const override;

  void PostCommand(uint16_t code) override;
  void Beep() override;
  TShiftState KeyState() const override;
  TPoint ScreenSize() const override;
  TPoint ClientToScreen(TPoint p) const override;

  std::unique_ptr<Timer> CreateTimer() override;
  std::unique_ptr<ListBox> CreateListBox() override;
  Clipboard& GetClipboard() override { return FClipboard; }
  TColor ResolveColor(TColor color) const override;
  const Locale& GetLocale() const override { return *FLocale; }

  // Beeps and tells of characters the document cannot hold, typed through another way
  // than the keys (assistive technology, paste).
  void RefuseTyping(const TTypedText& typed);

 signals:
  // Typed characters were refused (see qt/TypedText.h); the widget has beeped, Message
  // says which character and why, for the status bar.
  void TypingRefused(const QString& message);
  // Typing moved the document to another code page; Message says so, for the status bar.
  void CodePageSwitched(TCodePage page, const QString& message);

 protected:
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // A new palette changes the system colours: everything is painted again.
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // The control scrolls its own pixels; the scroll bars only report requests.
  void scrollContentsBy(int dx, int dy) override;

 private:
  struct CaretState {
    bool Exists = false;
    bool Visible = false;
    bool BlinkOn = true;
    QPoint Pos;
    QSize Size;
  };

  void ConnectScrollBar(QScrollBar* bar, bool vertical);
  void OnScrollAction(QScrollBar* bar, bool vertical, int action);
  QScrollBar* BarOf(TScrollBarKind kind) const;
  // A new image when the viewport's size or the screen's pixel ratio has changed.
  bool ReallocateImage();
  int DeviceScale() const;
  // The image's area in logical pixels.
  QRect ImageRect() const { return QRect(QPoint(), FImageSize); }
  bool WholeViewPending() const;
  // Scrolling the whole image turns the ring; a part of it moves its rows.
  void TurnRing(int dy);
  void MoveRows(const QRect& area, int dy);
  void Blit(QPainter& painter, const QRect& logical) const;
  void PaintPending();
  void FlushDirty();
  void UpdateCaretArea();
  void RestartBlink();
  // Types Characters as the document's bytes, or refuses them as a whole.
  void Type(const QString& characters);

  std::unique_ptr<TRACustomEditor> FEditor;
  std::unique_ptr<EditorAccessEvents> FAccessEvents;
  // Whether the palette's window colour is dark, and the plain colours as shown on it;
  // both found again when the palette changes.
  mutable std::optional<bool> FDarkBase;
  mutable std::unordered_map<TColor, TColor> FReadableColors;
  // The backing image, a ring in y: logical row y lives at physical row
  // (y + FRowOffset) mod height.
  QImage FImage;
  QSize FImageSize;  // logical
  int FScale = 1;
  int FRowOffset = 0;
  QtCanvas FCanvas;
  TCodePage FCodePage = TCodePage::cp1252;
  const Locale* FLocale = &DefaultLocale();
  std::function<bool()> FMaySwitch;
  QtClipboard FClipboard;
  QRegion FPending;
  bool FFlushQueued = false;
  CaretState FCaret;
  QTimer FBlinkTimer;
  QElapsedTimer FCaretMoved;
  bool FMouseCaptured = false;
  TCursorShape FCursorShape = TCursorShape::IBeam;
  TCursorShape FShownCursor = TCursorShape::IBeam;
  int FWheelRemainder = 0;
};
