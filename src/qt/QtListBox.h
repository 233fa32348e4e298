#pragma once
// The completion's drop-down list on Qt: a frameless top-level window with a
// one-pixel border that is shown without activation and never takes the keyboard focus,
// so the editor keeps typing while it shows. Rows are painted through the control's
// canvas into a backing image; a vertical scroll bar appears when not all rows fit.
#include <QImage>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <functional>

#include "platform/ListBox.h"
#include "qt/QtCanvas.h"

class QtListBox : public QWidget, public ListBox {
  Q_OBJECT

 public:
  // Owner: the editor's widget; the list is a window of its own that stays above the
  // owner's window, and the control that created it is its only owner (no Qt parent).
  // Resolve turns system colours into plain ones.
  QtListBox(QWidget* owner, std::function<TColor(TColor)> resolve);

  void SetRows(const std::vector<std::string>& rows) override;
  const std::vector<std::string>& Rows() const override { return FRows; }
  void SetRowHeight(int pixels) override;
  int RowHeight() const override { return FRowHeight; }
  void SetItemIndex(int index) override;
  int ItemIndex() const override { return FItemIndex; }
  void SetTopIndex(int index) override;
  int TopIndex() const override { return FTopIndex; }

  void SetBounds(const TRect& bounds) override;
  TRect Bounds() const override;
  void ShowNoActivate() override;
  void Hide() override { hide(); }
  bool Visible() const override { return isVisible(); }
  int ClientWidth() const override;
  int ClientHeight() const override;
  TPoint BorderSize() const override { return {kBorder, kBorder}; }
  // Qt sends the moves of a pressed button to the window it was pressed on: nothing to do.
  void SetMouseCapture(bool) override {}
  bool LeftButtonDown() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool event(QEvent* event) override;

 private:
  static constexpr int kBorder = 1;
  bool NeedsScrollBar() const;
  void UpdateScrollBar();
  void PaintRows();
  TFont OwnFont() const;

  QPointer<QWidget> FOwner;
  std::function<TColor(TColor)> FResolve;
  QScrollBar FScrollBar;
  QImage FImage;
  QtCanvas FCanvas;
  std::vector<std::string> FRows;
  int FRowHeight = 13;
  int FItemIndex = -1;
  int FTopIndex = 0;
};
