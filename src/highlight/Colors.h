#pragma once
// The colour scheme of the highlighter: colours and style of each of the eleven token
// classes.
#include <array>
#include <memory>

#include "platform/Types.h"

class TSymbolColor {
 public:
  TFontStyles Style = 0;
  TColor ForeColor = clWindowText;
  TColor BackColor = clWindow;
  void SetAll(TColor foreColor, TColor backColor, TFontStyles style);
  void Assign(const TSymbolColor& source);
};

class TColors {
 public:
  TColors();
  // Copies the values of all eleven classes; the objects stay distinct.
  void Assign(const TColors& source);

  TSymbolColor Comment;
  TSymbolColor Number;
  TSymbolColor Strings;
  TSymbolColor Symbol;
  TSymbolColor Reserved;
  TSymbolColor Identifer;
  TSymbolColor Preproc;
  TSymbolColor FunctionCall;
  TSymbolColor Declaration;
  TSymbolColor Statement;
  TSymbolColor PlainText;
};
