#pragma once
// Small types of the editor control shared by its parts.
#include <cstdint>

#include "platform/Types.h"

enum TSelBlockFormat : uint8_t { bfInclusive, bfLine, bfColumn, bfNonInclusive };

// The Action of TRACustomEditor::TextModified. The integers are the published interface's
// (descendants outside the control compare them), so the parameter stays an int.
enum TTextAction : int { taInsert = 0, taDelete = 1, taColumnDelete = 3 };

// One character cell's look.
struct TLineAttr {
  TColor ForeColor = 0;
  TColor BackColor = 0;
  TFontStyles Style = 0;
  bool operator==(const TLineAttr&) const = default;
};

// Highest column a line attribute, the caret and the tab flags reach.
constexpr int MaxLineAttr = 1024;
using TLineAttrs = TLineAttr[MaxLineAttr + 1];

struct TBookmark {
  int X = 0;
  int Y = 0;
  bool Valid = false;
};

enum class TBorderStyle : uint8_t { bsNone, bsSingle };
enum class TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
