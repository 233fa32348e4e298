#include "app/Printing.h"

#include <QFont>
#include <QPrinter>
#include <QTextDocument>

#include "editor/EditorStrings.h"
#include "qt/Codepage1252.h"

namespace {

// The hidden rich-text document the job prints from, in "Courier New" 13 pixels on the
// screen. A pixel size would mean printer pixels (tiny text on a fine printer), so the
// font is given as the same 10 points.
void FillDocument(QTextDocument& document, const TEditorStrings& lines) {
  QFont font(QStringLiteral("Courier New"));
  font.setPointSize(10);
  document.setDefaultFont(font);
  QString text;
  for (int i = 0; i < lines.Count(); ++i) {
    if (i > 0) text += QLatin1Char('\n');
    text += Codepage1252::ToQString(lines[i]);
  }
  document.setPlainText(text);
}

}  // namespace

void PrintScript(const TEditorStrings& lines, QPrinter& printer) {
  QTextDocument document;
  FillDocument(document, lines);
  printer.setDocName(QStringLiteral("Print file"));
  document.print(&printer);
}
