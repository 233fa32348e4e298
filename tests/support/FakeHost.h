#pragma once
// Test doubles of the window under an editor: it records invalidations, caret, scroll
// bars and posted commands, runs posted commands when asked, and has a fake clipboard
// and manually driven timers.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/EditorHost.h"
#include "support/FakeListBox.h"
#include "support/RecordingCanvas.h"

class FakeTimer : public Timer {
 public:
  void SetInterval(int ms) override { FInterval = ms; }
  int Interval() const override { return FInterval; }
  void SetEnabled(bool enabled) override { FEnabled = enabled; }
  bool Enabled() const override { return FEnabled; }
  // Fires once if enabled.
  void Tick() {
    if (FEnabled && OnTimer) OnTimer();
  }

 private:
  int FInterval = 1000;
  bool FEnabled = true;
};

class FakeClipboard : public Clipboard {
 public:
  bool HasText() const override { return FHasText; }
  std::string Text() const override { return FText; }
  void SetText(const std::string& text) override {
    FText = text;
    FHasText = true;
    FFormats.clear();
  }
  void AddFormat(const std::string& name, const std::string& data) override {
    FFormats[name] = data;
  }
  std::optional<std::string> Format(const std::string& name) const override {
    auto it = FFormats.find(name);
    if (it == FFormats.end()) return std::nullopt;
    return it->second;
  }
  void Clear() {
    FText.clear();
    FHasText = false;
    FFormats.clear();
  }

 private:
  std::string FText;
  bool FHasText = false;
  std::map<std::string, std::string> FFormats;
};

struct ScrollBarState {
  int Min = 0, Max = 0, Page = 0, Position = 0;
  int Calls = 0;
};

class FakeHost : public EditorHost {
 public:
  int ClientWidth() const override { return Width; }
  int ClientHeight() const override { return Height; }
  int WindowWidth() const override { return Width + FrameWidth; }
  bool Showing() const override { return IsShowing; }
  ::Canvas& GetCanvas() override { return Paint; }
  void Invalidate() override { ++InvalidateAllCount; }
  void InvalidateRect(const TRect& rect) override { InvalidatedRects.push_back(rect); }
  void ScrollArea(const TRect& area, int dy) override { Scrolls.push_back({area, dy}); }
  void UpdateNow() override { ++UpdateNowCount; }

  void CreateCaret(int w, int h) override {
    CaretExists = true;
    CaretSize = {w, h};
  }
  void DestroyCaret() override { CaretExists = false; }
  void ShowCaret() override { CaretVisible = true; }
  void HideCaret() override { CaretVisible = false; }
  void SetCaretPos(int x, int y) override { CaretPos = {x, y}; }

  bool HasFocus() const override { return Focused; }
  void TakeFocus() override { Focused = true; }
  void SetMouseCapture(bool capture) override { Captured = capture; }
  void SetCursorShape(TCursorShape shape) override { Cursor = shape; }

  void SetScrollBar(TScrollBarKind kind, int min, int max, int page, int position) override {
    auto& b = kind == TScrollBarKind::sbVertical ? VertBar : HorzBar;
    b.Min = min;
    b.Max = max;
    b.Page = page;
    b.Position = position;
    ++b.Calls;
  }
  void SetWindowStyle(bool border, bool horizontalBar, bool verticalBar) override {
    HasBorder = border;
    HasHorzBar = horizontalBar;
    HasVertBar = verticalBar;
  }
  int ScrollTrackPosition(TScrollBarKind kind) const override {
    return kind == TScrollBarKind::sbVertical ? VertTrack : HorzTrack;
  }

  void PostCommand(uint16_t code) override { Posted.push_back(code); }
  void Beep() override { ++BeepCount; }
  TShiftState KeyState() const override { return Keys; }
  TPoint ScreenSize() const override { return Screen; }
  TPoint ClientToScreen(TPoint p) const override { return {p.X + Origin.X, p.Y + Origin.Y}; }
  std::unique_ptr<Timer> CreateTimer() override;
  // The list made last; it stays valid while its owner keeps it.
  std::unique_ptr<ListBox> CreateListBox() override;
  Clipboard& GetClipboard() override { return Clip; }
  const Locale& GetLocale() const override {
    return LocaleOverride ? *LocaleOverride : DefaultLocale();
  }
  TColor ResolveColor(TColor color) const override;

  // Runs the posted commands (in order) through Run, as the window's message loop would.
  void RunPosted(const std::function<void(uint16_t)>& run);

  int Width = 820;
  int Height = 660;
  int FrameWidth = 20;  // border and vertical scroll bar
  bool IsShowing = true;
  RecordingCanvas Paint;
  int InvalidateAllCount = 0;
  std::vector<TRect> InvalidatedRects;
  struct ScrollCall {
    TRect area;
    int dy;
  };
  std::vector<ScrollCall> Scrolls;
  int UpdateNowCount = 0;
  bool CaretExists = false;
  bool CaretVisible = false;
  TPoint CaretSize;
  TPoint CaretPos;
  bool Focused = false;
  bool Captured = false;
  TCursorShape Cursor = TCursorShape::IBeam;
  ScrollBarState HorzBar, VertBar;
  bool HasBorder = false, HasHorzBar = false, HasVertBar = false;
  int HorzTrack = 0, VertTrack = 0;
  std::deque<uint16_t> Posted;
  int BeepCount = 0;
  TShiftState Keys = 0;
  TPoint Screen{1920, 1080};
  TPoint Origin{100, 100};
  FakeClipboard Clip;
  const Locale* LocaleOverride = nullptr;
  std::vector<FakeTimer*> Timers;  // owned by the objects that created them
  FakeListBox* List = nullptr;     // likewise
};
