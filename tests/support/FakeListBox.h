#pragma once
// Test double of the drop-down list's window: it keeps rows, selection, first visible
// row, bounds and visibility, counts how it was shown, and paints its visible rows into a
// recording canvas when asked. Tests drive the mouse through the callbacks.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/ListBox.h"
#include "support/RecordingCanvas.h"

class FakeListBox : public ListBox {
 public:
  void SetRows(const std::vector<std::string>& rows) override { FRows = rows; }
  const std::vector<std::string>& Rows() const override { return FRows; }
  void SetRowHeight(int pixels) override { FRowHeight = pixels; }
  int RowHeight() const override { return FRowHeight; }
  void SetItemIndex(int index) override { FItemIndex = index; }
  int ItemIndex() const override { return FItemIndex; }
  void SetTopIndex(int index) override;
  int TopIndex() const override { return FTopIndex; }

  void SetBounds(const TRect& bounds) override { FBounds = bounds; }
  TRect Bounds() const override { return FBounds; }
  void ShowNoActivate() override {
    FVisible = true;
    ++ShowCount;
  }
  void Hide() override { FVisible = false; }
  bool Visible() const override { return FVisible; }
  // A scroll bar ScrollBarWidth wide takes the right edge when not all rows fit.
  int ClientWidth() const override;
  int ClientHeight() const override { return std::max(FBounds.Height() - 2 * Border.Y, 0); }
  TPoint BorderSize() const override { return Border; }
  void SetMouseCapture(bool capture) override { Captured = capture; }
  bool LeftButtonDown() const override { return LeftDown; }

  bool HasScrollBar() const;
  // Draws every visible row the way the platform would: selected rows in the highlight
  // colours, each row with the list's own font.
  void PaintRows();
  // Mouse input as the platform reports it; the left-button state follows the presses.
  void Press(TMouseButton button, int x, int y);
  void Move(int x, int y);
  void Release(TMouseButton button, int x, int y);

  TPoint Border{1, 1};
  int ScrollBarWidth = 16;
  bool Captured = false;
  bool LeftDown = false;
  int ShowCount = 0;
  RecordingCanvas Canvas;

 private:
  std::vector<std::string> FRows;
  int FRowHeight = 13;
  int FItemIndex = -1;
  int FTopIndex = 0;
  TRect FBounds{-1000, 0, -1000 + 100, 100};
  bool FVisible = false;
};
