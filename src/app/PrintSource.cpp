#include "app/PrintSource.h"

#include "app/ChildForm.h"
#include "highlight/RAHLEditor.h"
#include "qt/Codepage1252.h"
#include "qt/QtCanvas.h"
#include "qt/ReadableColor.h"
#include "util/Bracket.h"

namespace {

// System colours that are backgrounds: scroll bar, desktop, inactive caption, menu,
// window, borders, workspace, highlighted text, face, 3D lights, tool tip, menu bar.
bool IsBackgroundSystemColor(int index) {
  switch (index) {
    case 0:
    case 1:
    case 3:
    case 4:
    case 5:
    case 10:
    case 11:
    case 12:
    case 14:
    case 15:
    case 20:
    case 22:
    case 24:
    case 30:
      return true;
    default:
      return false;
  }
}

}  // namespace

TPrintSource::TPrintSource(TRAHLEditor& editor, QString name)
    : FEditor(editor), FName(std::move(name)) {
  SetClassicColors(FClassic);
  FSchemeCopy.Assign(editor.Colors());
  FDark = ReadableColor::IsDark(PaperColor(editor.Colors().PlainText.BackColor));
  const TSymbolColor& plain = PaperScheme().PlainText;
  FPlain = TLineAttr{plain.ForeColor, plain.BackColor, plain.Style};
}

int TPrintSource::LineCount() const {
  return FEditor.Lines().Count();
}

int TPrintSource::PrintedLength(int line) const {
  const std::string_view text = FEditor.Lines().View(line);
  const size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? 0 : static_cast<int>(end + 1);
}

QString TPrintSource::CellText(int line) const {
  return Codepage1252::ToQString(std::string(FEditor.Lines().View(line)));
}

const TLineAttrs& TPrintSource::PaperAttrs(int line) {
  if (!FDark) return FEditor.TextAttrs(line);
  // The control colours from its own scheme: the classic one stands in for one line.
  TColors& scheme = FEditor.Colors();
  scheme.Assign(FClassic);
  const Bracket restore([&] { scheme.Assign(FSchemeCopy); });
  return FEditor.TextAttrs(line);
}

const TLineAttr& TPrintSource::CellAttr(const TLineAttrs& attrs, int col) const {
  return col >= 0 && col < MaxLineAttr ? attrs[col + 1] : FPlain;
}

QColor TPrintSource::PaperColor(TColor color) {
  if (!IsSystemColor(color)) return ToQColor(color);
  const int index = color & 0xFF;
  if (IsBackgroundSystemColor(index)) return Qt::white;
  // Button shadow and gray text stay gray.
  if (index == 16 || index == 17) return Qt::gray;
  return Qt::black;
}
