#pragma once
// Line numbers in the gutter of a script editor: a column of numbers, right-aligned and as
// wide as the largest line number needs, left of the column where the bookmark numbers
// stand. Off, the gutter keeps its designed width and nothing of this is drawn.
class Canvas;
class TRACustomEditor;

// The designed gutter width: the bookmark column alone.
constexpr int kDesignGutterWidth = 18;

// The gutter width Editor needs: the bookmark column (wider for a large font), plus, with
// LineNumbers, the numbers of all its lines with a margin on either side.
int ScriptGutterWidth(const TRACustomEditor& editor, bool lineNumbers);

// Draws the numbers of the lines whose rows the running paint repaints (outside a paint,
// those in the canvas's clip region), in gray on the gutter's colour, ending a margin left
// of the bookmark column.
void PaintLineNumbers(TRACustomEditor& editor, Canvas& canvas);
