#include <gtest/gtest.h>

#include <utility>

#include "TextTestEditor.h"

using Names = std::vector<std::string>;

namespace {

void PutOnClipboard(FakeClipboard& clip, const std::string& text, const std::string& blockType) {
  clip.SetText(text);
  clip.AddFormat(TRACustomEditor::BlockTypeFormatName(), blockType);
}

}  // namespace

TEST(Clipboard, CopyStoresTextAndBlockType) {
  TextHarness h("abc\r\na\r\n");
  auto& e = *h.editor;
  e.SetFormat(bfColumn);
  h.Select(1, 0, 2, 1);
  e.CopyToClipboard();
  EXPECT_EQ(h.host.Clip.Text(), "bc\r\n  \r\n");
  EXPECT_EQ(h.host.Clip.Format(TRACustomEditor::BlockTypeFormatName()),
            std::string(1, static_cast<char>(bfColumn)));
  e.CutToClipboard();
  EXPECT_EQ(h.Text(), "a\r\na\r\n");
  EXPECT_EQ(h.host.Clip.Text(), "bc\r\n  \r\n");
}

TEST(Clipboard, StreamPasteNormalisesBreaksAndTabs) {
  TextHarness h("ab\r\n");
  auto& e = *h.editor;
  e.PlaceCaret(1, 0);
  h.host.Clip.SetText(std::string("x\ty\rz\n\0junk", 11));
  e.PasteFromClipboard();
  EXPECT_EQ(h.Text(), "ax  y\r\nz\r\nb\r\n");
  EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(0, 2));
  EXPECT_EQ(e.Changes.front(), (TextChange{1, 0, "x  y\r\nz\r\n"}));
  EXPECT_EQ(h.Records(), (Names{"TBeginCompoundUndo", "TInsertUndo", "TEndCompoundUndo"}));
  h.Undo().Undo();
  EXPECT_EQ(h.Text(), "ab\r\n");
}

TEST(Clipboard, ColumnPasteAddsLinesAndKeepsItsColumn) {
  TextHarness h("abcd\r\nx\r\n");
  auto& e = *h.editor;
  e.SetCursorBeyondEOF(true);
  e.PlaceCaret(2, 0);
  PutOnClipboard(h.host.Clip, "12\r\n34\r\n56\r\n", std::string(1, bfColumn));
  e.PasteFromClipboard();
  // The short line is padded up to the block's column; a missing line is added.
  EXPECT_EQ(h.Text(), "ab12cd\r\nx 34\r\n  56\r\n");
  EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(2, 3));
  EXPECT_EQ(e.SelBlockFormat(), bfColumn);
  EXPECT_TRUE(e.Changes.empty());
  h.Undo().Undo();  // exactly as before, the added line gone too
  EXPECT_EQ(h.Text(), "abcd\r\nx\r\n");
}

TEST(Clipboard, UnknownOrMissingBlockTypePastesAsStream) {
  for (const std::string& type : {std::string(), std::string(1, bfLine), std::string("\x07", 1)}) {
    TextHarness h("ab\r\ncd\r\n");
    auto& e = *h.editor;
    e.PlaceCaret(1, 0);
    PutOnClipboard(h.host.Clip, "1\r\n2", type);
    e.PasteFromClipboard();
    EXPECT_EQ(h.Text(), "a1\r\n2b\r\ncd\r\n");
    EXPECT_EQ(e.SelBlockFormat(), type == std::string(1, bfLine) ? bfLine : bfNonInclusive);
  }
}

TEST(Clipboard, AvailabilityFollowsSelectionCaretAndClipboard) {
  TextHarness h("abc\r\n");
  auto& e = *h.editor;
  EXPECT_FALSE(e.CanCopy());
  h.Select(1, 0, 1, 0);
  EXPECT_FALSE(e.CanCut());  // empty selection
  e.SetSel(2, 0);
  EXPECT_TRUE(e.CanCopy());
  EXPECT_TRUE(e.CanCut());
  EXPECT_FALSE(e.CanPaste());
  h.host.Clip.SetText(std::string("\0x", 2));
  EXPECT_FALSE(e.CanPaste());
  h.host.Clip.SetText("x");
  EXPECT_TRUE(e.CanPaste());
  e.Unselect();
  e.SetCursorBeyondEOF(true);
  e.PlaceCaret(0, 3);
  EXPECT_FALSE(e.CanPaste());
  e.PasteFromClipboard();  // still pastes, with a beep
  EXPECT_EQ(h.host.BeepCount, 1);
  EXPECT_EQ(h.Text(), "abc\r\n\r\n\r\nx\r\n");
}

TEST(Clipboard, MessagesPostCommandsUnlessReadOnly) {
  TextHarness h;
  auto& e = *h.editor;
  e.WMCut();
  e.WMCopy();
  e.WMPaste();
  e.SetReadOnly(true);
  e.WMCut();
  e.WMCopy();
  e.WMPaste();
  EXPECT_EQ(h.host.Posted, (std::deque<uint16_t>{cmdCut, cmdCopy, cmdPaste, cmdCopy}));
}
