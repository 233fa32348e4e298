#pragma once
// Basic value types shared by the control core and the platform layer.
#include <cstdint>
#include <string>

// A colour: 0x00BBGGRR for a plain colour, 0x800000nn for system colour nn.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindow = static_cast<TColor>(0x80000005);
constexpr TColor clWindowText = static_cast<TColor>(0x80000008);
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
constexpr TColor clHighlight = static_cast<TColor>(0x8000000D);
constexpr TColor clHighlightText = static_cast<TColor>(0x8000000E);

inline bool IsSystemColor(TColor c) {
  return (static_cast<uint32_t>(c) & 0xFF000000u) == 0x80000000u;
}

// Font styles: a one-byte set.
using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// Key shift state: a one-byte set compared as a whole by the key map.
using TShiftState = uint8_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
// Mouse buttons held, as reported with pointer events.
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;

enum class TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

// A rectangle with exclusive right and bottom edges.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect&) const = default;
  static TRect FromSize(int left, int top, int width, int height) {
    return TRect{left, top, left + width, top + height};
  }
};

// The font a canvas draws with. Height is in pixels.
struct TFont {
  std::string Name = "Courier New";
  int Height = 13;
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  bool operator==(const TFont&) const = default;
  // Point size at 96 dots per inch.
  int Size() const { return (Height * 72 + 48) / 96; }
  void SetSize(int points) { Height = (points * 96 + 36) / 72; }
};

enum class TCursorShape : uint8_t { IBeam, Arrow };
