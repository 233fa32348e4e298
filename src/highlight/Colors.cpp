#include "highlight/Colors.h"

void TSymbolColor::SetAll(TColor foreColor, TColor backColor, TFontStyles style) {
  ForeColor = foreColor;
  BackColor = backColor;
  Style = style;
}

void TSymbolColor::Assign(const TSymbolColor& source) {
  SetAll(source.ForeColor, source.BackColor, source.Style);
}

TColors::TColors() {
  Comment.SetAll(clOlive, clWindow, fsItalic);
  Number.SetAll(clNavy, clWindow, 0);
  Strings.SetAll(clPurple, clWindow, 0);
  Symbol.SetAll(clBlue, clWindow, 0);
  Reserved.SetAll(clWindowText, clWindow, fsBold);
  Identifer.SetAll(clWindowText, clWindow, 0);
  Preproc.SetAll(clGreen, clWindow, 0);
  FunctionCall.SetAll(clWindowText, clWindow, 0);
  Declaration.SetAll(clWindowText, clWindow, 0);
  Statement.SetAll(clWindowText, clWindow, fsBold);
  PlainText.SetAll(clWindowText, clWindow, 0);
}

void TColors::Assign(const TColors& source) {
  Comment.Assign(source.Comment);
  Number.Assign(source.Number);
  Strings.Assign(source.Strings);
  Symbol.Assign(source.Symbol);
  Reserved.Assign(source.Reserved);
  Identifer.Assign(source.Identifer);
  Preproc.Assign(source.Preproc);
  FunctionCall.Assign(source.FunctionCall);
  Declaration.Assign(source.Declaration);
  Statement.Assign(source.Statement);
  PlainText.Assign(source.PlainText);
}
