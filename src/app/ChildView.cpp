// The document window's view settings, which the main window gives every window alike:
// line numbers in the gutter and the editor font's height.
#include <QMetaObject>

#include "app/ChildForm.h"
#include "app/DocumentScript.h"
#include "app/LineNumbers.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"

void TChildForm::ShowLineNumbers(bool on) {
  FLineNumbers = on;
  FitGutter();
  FEditorView->Invalidate();
}

void TChildForm::SetFontHeight(int height) {
  TFont font = FEditor1->Font();
  font.Height = height;
  FEditor1->SetFont(font);
  // The cells changed size, and the gutter's columns with them.
  FitGutter();
}

void TChildForm::FitGutter() {
  FEditor1->SetGutterWidth(ScriptGutterWidth(*FEditor1, FLineNumbers));
}

void TChildForm::PaintGutter(Canvas& canvas) {
  if (FLineNumbers) {
    PaintLineNumbers(*FEditor1, canvas);
    // A line count that needs another digit widens the gutter after this paint.
    if (ScriptGutterWidth(*FEditor1, true) != FEditor1->GutterWidth())
      QMetaObject::invokeMethod(this, &TChildForm::FitGutter, Qt::QueuedConnection);
  }
  PaintBookmarkNumbers(*FEditor1, canvas);
  if (FScript) FScript->PaintMarks(canvas);
}
