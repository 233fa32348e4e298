#pragma once
#include <cstdint>
#include <memory>

#include "platform/Canvas.h"
#include "platform/Clipboard.h"
#include "platform/ListBox.h"
#include "platform/Locale.h"
#include "platform/Timer.h"
#include "platform/Types.h"

// Scroll bar kinds, as the scroll bar objects number them.
enum class TScrollBarKind : uint8_t { sbHorizontal = 0, sbVertical = 1 };

// The window under an editor control. The control draws, scrolls, shows its caret and
// drives its scroll bars only through this interface.
class EditorHost {
 public:
  virtual ~EditorHost() = default;

  // Window and drawing.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  // The window's outer width: border and scroll bar included.
  virtual int WindowWidth() const = 0;
  virtual bool Showing() const = 0;
  virtual Canvas& GetCanvas() = 0;
  virtual void Invalidate() = 0;
  virtual void InvalidateRect(const TRect& rect) = 0;
  // Moves the pixels of Area by Dy (negative: up), clipped to Area, and invalidates the
  // part of Area the move uncovered without erasing it.
  virtual void ScrollArea(const TRect& area, int dy) = 0;
  // Paints every pending invalid region now.
  virtual void UpdateNow() = 0;

  // The system caret.
  virtual void CreateCaret(int width, int height) = 0;
  virtual void DestroyCaret() = 0;
  virtual void ShowCaret() = 0;
  virtual void HideCaret() = 0;
  virtual void SetCaretPos(int x, int y) = 0;

  // Focus, mouse and cursor.
  virtual bool HasFocus() const = 0;
  virtual void TakeFocus() = 0;
  virtual void SetMouseCapture(bool capture) = 0;
  virtual void SetCursorShape(TCursorShape shape) = 0;

  // The window's scroll bars: range, page and position in one call; a bar that is not
  // needed is shown disabled, never hidden.
  virtual void SetScrollBar(TScrollBarKind kind, int min, int max, int page, int position) = 0;
  // The window's frame and which scroll bars it has at all (set when the window is
  // created or re-created).
  virtual void SetWindowStyle(bool border, bool horizontalBar, bool verticalBar) = 0;
  // Position of the thumb while the user drags it.
  virtual int ScrollTrackPosition(TScrollBarKind kind) const = 0;

  // Queues Code for the control's Command after the current event has been handled.
  virtual void PostCommand(uint16_t code) = 0;
  virtual void Beep() = 0;
  virtual TShiftState KeyState() const = 0;
  virtual TPoint ScreenSize() const = 0;
  virtual TPoint ClientToScreen(TPoint p) const = 0;

  virtual std::unique_ptr<Timer> CreateTimer() = 0;
  // The completion's drop-down list, owned by the window, hidden.
  virtual std::unique_ptr<ListBox> CreateListBox() = 0;
  virtual Clipboard& GetClipboard() = 0;
  virtual const Locale& GetLocale() const { return DefaultLocale(); }
  // Resolves a system colour (0x800000nn) to 0x00BBGGRR; plain colours pass through.
  virtual TColor ResolveColor(TColor color) const = 0;
};
