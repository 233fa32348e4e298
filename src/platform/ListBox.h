#pragma once
// The window of a drop-down list: a top-level list box that never takes the keyboard
// focus. It keeps rows, a selected row and a first visible row, draws each visible row
// through OnDrawItem and reports the mouse; what the rows mean, where the list goes and
// how the mouse selects stay with its owner.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Types.h"

// How a list's rows are drawn: lbStandard is always shown as lbOwnerDrawFixed.
enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// The state of a row being drawn.
using TOwnerDrawState = uint8_t;
constexpr TOwnerDrawState odSelected = 1;

class ListBox {
 public:
  virtual ~ListBox() = default;

  virtual void SetRows(const std::vector<std::string>& rows) = 0;
  virtual const std::vector<std::string>& Rows() const = 0;
  virtual void SetRowHeight(int pixels) = 0;
  virtual int RowHeight() const = 0;
  // The selected row, -1 for none. Setting it does not scroll.
  virtual void SetItemIndex(int index) = 0;
  virtual int ItemIndex() const = 0;
  // The first visible row, kept within the rows.
  virtual void SetTopIndex(int index) = 0;
  virtual int TopIndex() const = 0;

  // Window bounds in screen coordinates, border included.
  virtual void SetBounds(const TRect& bounds) = 0;
  virtual TRect Bounds() const = 0;
  // Shows the window without activating it: the keyboard focus stays where it is.
  virtual void ShowNoActivate() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  // The rows' area: inside the border, left of the scroll bar when there is one.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  // Width and height of the window's border.
  virtual TPoint BorderSize() const = 0;
  virtual void SetMouseCapture(bool capture) = 0;
  // Whether the left mouse button is down at this moment.
  virtual bool LeftButtonDown() const = 0;

  // Draws row Index into Rect (client coordinates). The canvas comes with the list's own
  // font, and brush and font colours already chosen for the row's state.
  std::function<void(Canvas& canvas, int index, const TRect& rect, TOwnerDrawState state)>
      OnDrawItem;
  // Mouse events in client coordinates.
  std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(TShiftState shift, int x, int y)> OnMouseMove;
  std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;
  // The platform ends modes such as a mouse capture (a dialog opened, another window
  // took over).
  std::function<void()> OnCancelMode;
};
