#pragma once
// What printing and export read of a document: its lines, each cell in the look the
// control paints it with (the highlighter's colours and the document window's own
// additions) as it goes on white paper, and the name the printout carries.
//
// On paper the window's background is white and its text black, whatever the desktop's
// palette. A scheme with a dark background of its own prints in the classic colours: dark
// paper is not what a printout is for.
#include <QColor>
#include <QString>

#include "editor/EditorTypes.h"
#include "highlight/Colors.h"

class TRAHLEditor;

class TPrintSource {
 public:
  TPrintSource(TRAHLEditor& editor, QString name);

  TRAHLEditor& Editor() const { return FEditor; }
  // The file's name without its folder; the window's title for a new document.
  const QString& Name() const { return FName; }
  int LineCount() const;
  // The cells of Line that print: the line without the blanks at its end.
  int PrintedLength(int line) const;
  // The characters of Line, one per cell. The one place where the document's bytes
  // become characters for printing and export.
  QString CellText(int line) const;
  // The look of every cell of Line on paper, valid until the next call; Col may lie
  // beyond the columns the control colours (those take the plain text's look).
  const TLineAttrs& PaperAttrs(int line);
  const TLineAttr& CellAttr(const TLineAttrs& attrs, int col) const;
  // The scheme the printout's colours come from: the document's, or the classic one.
  const TColors& PaperScheme() const { return FDark ? FClassic : FSchemeCopy; }

  // A colour as it goes on paper: window and face colours white, text colours black.
  static QColor PaperColor(TColor color);

 private:
  TRAHLEditor& FEditor;
  QString FName;
  bool FDark = false;
  TColors FClassic;
  TColors FSchemeCopy;
  TLineAttr FPlain;
};
