// The user's preferences in a document window: the editor font's family, the tab stops,
// the colour scheme, the line ends its saves write and whether its searches wrap.
#include <QApplication>
#include <QCheckBox>
#include <QPalette>

#include "app/ChildForm.h"
#include "app/FindDialogs.h"
#include "app/Preferences.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"

namespace {

// A dark window: the editor lightens the script's colours on it to a readable contrast.
QPalette DarkPalette() {
  QPalette dark = QApplication::palette();
  dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
  dark.setColor(QPalette::Text, QColor(0xDC, 0xDC, 0xDC));
  dark.setColor(QPalette::Window, QColor(0x2D, 0x2D, 0x2D));
  dark.setColor(QPalette::WindowText, QColor(0xDC, 0xDC, 0xDC));
  dark.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
  dark.setColor(QPalette::ButtonText, QColor(0xDC, 0xDC, 0xDC));
  dark.setColor(QPalette::Highlight, QColor(0x26, 0x4F, 0x78));
  dark.setColor(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xFF));
  return dark;
}

}  // namespace

void TChildForm::SetPreferences(const TPreferences& preferences) {
  TFont font = FEditor1->Font();
  const std::string family = preferences.FontFamily.toStdString();
  if (font.Name != family) {
    font.Name = family;
    FEditor1->SetFont(font);
    FitGutter();
  }
  const std::string stops = preferences.TabStops.toStdString();
  if (FEditor1->TabStops() != stops) FEditor1->SetTabStops(stops);
  FEditorView->setPalette(preferences.ColourScheme == TColourScheme::Dark
                              ? DarkPalette()
                              : QApplication::palette(FEditorView));
  FDiskFile.SetKeepLineEnds(preferences.LineEnds == TLineEnds::AsTheFileHasThem);
  for (TFindDialog* dialog : {FFindDialog1, static_cast<TFindDialog*>(FReplaceDialog1)})
    dialog->WrapAroundBox->setChecked(preferences.WrapSearches);
  FEditorView->Invalidate();
}
