#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "TextTestEditor.h"

using Names = std::vector<std::string>;
using Changes = std::vector<TextChange>;

TEST(SelectedText, EachFormatReadsItsRange) {
  TextHarness h("abc\r\na\r\nxyz\r\n");
  auto& e = *h.editor;
  h.Select(1, 0, 1, 2);
  EXPECT_EQ(e.GetSelText(), "bc\r\na\r\nx");
  e.SetFormat(bfInclusive);
  EXPECT_EQ(e.GetSelText(), "bc\r\na\r\nxy");
  e.SetFormat(bfLine);
  EXPECT_EQ(e.GetSelText(), "bc\r\na\r\nx");
  e.SetFormat(bfColumn);
  e.Unselect();
  h.Select(1, 0, 2, 1);  // rows padded to the block width
  EXPECT_EQ(e.GetSelText(), "bc\r\n  \r\n");
  e.Unselect();
  h.Select(0, 1, 0, 5);  // reaches below the text
  EXPECT_EQ(e.GetSelText(), "");
  EXPECT_EQ(h.host.BeepCount, 1);
}

TEST(DeleteSelected, InclusiveStreamAlsoTakesTheEndCharacter) {
  for (TSelBlockFormat format : {bfNonInclusive, bfInclusive}) {
    TextHarness h("abcd\r\nefgh\r\n");
    auto& e = *h.editor;
    e.SetFormat(format);
    h.Select(1, 0, 2, 1);
    e.PlaceCaret(2, 1);
    e.DeleteSelected();
    const bool inclusive = format == bfInclusive;
    EXPECT_EQ(h.Text(), inclusive ? "ah\r\n" : "agh\r\n");
    EXPECT_EQ(e.Changes, (Changes{{1, 1, inclusive ? "bcd\r\nefg" : "bcd\r\nef"}}));
    EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(1, 0));
    EXPECT_FALSE(e.Selected());
    EXPECT_TRUE(e.Modified());
    auto* r = dynamic_cast<TDeleteSelectedUndo*>(h.Undo().LastUndo());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ((std::array{r->CaretX, r->CaretY, r->SelBegX, r->SelBegY, r->SelEndX, r->SelEndY}),
              (std::array{2, 1, 1, 0, 2, 1}));
    EXPECT_EQ(r->SelBlockFormat, format);
  }
}

TEST(DeleteSelected, ColumnBlockLeavesCaretOnItsLine) {
  TextHarness h("abcd\r\nef\r\nghij\r\n");
  auto& e = *h.editor;
  e.SetFormat(bfColumn);
  h.Select(1, 0, 2, 2);
  e.PlaceCaret(3, 2);
  e.DeleteSelected();
  EXPECT_EQ(h.Text(), "ad\r\ne\r\ngj\r\n");
  EXPECT_EQ(e.Changes, (Changes{{1, 3, "bc\r\nf \r\nhi\r\n"}}));
  EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(1, 2));
}

TEST(DeleteSelected, LineAndUnknownFormatsDeleteAsNonInclusive) {
  for (auto format : {bfLine, static_cast<TSelBlockFormat>(9)}) {
    TextHarness h("abcd\r\nefgh\r\n");
    auto& e = *h.editor;
    e.SetFormat(format);
    h.Select(1, 0, 2, 1);
    e.DeleteSelected();
    EXPECT_EQ(h.Text(), "agh\r\n");
    h.Undo().Undo();
    EXPECT_EQ(h.Text(), "abcd\r\nefgh\r\n");
    EXPECT_TRUE(e.Selected());
    EXPECT_EQ(e.SelBlockFormat(), format);
  }
}

TEST(InsertChar, TypingReplacesSelectionAndRecordsBoth) {
  TextHarness h("abcd\r\n");
  auto& e = *h.editor;
  h.Select(1, 0, 3, 0);
  e.PlaceCaret(3, 0);
  e.InsertChar('x');
  EXPECT_EQ(h.Text(), "axd\r\n");
  EXPECT_EQ(h.Records(),
            (Names{"TSelectUndo", "TSelectUndo", "TDeleteSelectedUndo", "TInsertUndo"}));
  EXPECT_EQ(e.Changes, (Changes{{1, 1, "bc"}, {2, 0, "x"}}));
  EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(2, 0));
  e.InsertChar(7);  // a control character types nothing
  EXPECT_EQ(h.Text(), "axd\r\n");
}

TEST(InsertChar, OverwriteRecordsTheReplacedCharacter) {
  TextHarness h("abc\r\n");
  auto& e = *h.editor;
  e.SetInsertMode(false);
  e.PlaceCaret(2, 0);
  e.InsertChar('x');
  e.InsertChar('y');  // at the line end: appended, no old character
  EXPECT_EQ(h.Text(), "abxy\r\n");
  auto* over = static_cast<TOverwriteUndo*>(h.Undo().Item(0));
  auto* append = static_cast<TOverwriteUndo*>(h.Undo().Item(1));
  EXPECT_EQ(std::pair(over->OldText, over->NewText), std::pair(std::string("c"), std::string("x")));
  EXPECT_EQ(std::pair(append->OldText, append->NewText),
            std::pair(std::string(), std::string("y")));
}

TEST(InsertText, StoresTabsExpandedAndRefreshesEverything) {
  TextHarness h("ab\r\ncd\r\n");
  auto& e = *h.editor;
  h.Select(0, 1, 1, 1);
  e.PlaceCaret(1, 0);
  e.InsertText("x\ty\nz");
  EXPECT_EQ(h.Text(), "ax  y\r\nzb\r\ncd\r\n");
  EXPECT_EQ(e.Changes, (Changes{{1, 0, "x  y\r\nz"}, {0, 0, h.Text()}}));
  EXPECT_FALSE(e.Selected());
  EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(1, 1));
  EXPECT_EQ(static_cast<TInsertUndo*>(h.Undo().LastUndo())->Text, "x  y\r\nz");
  h.Undo().Undo();  // the record covers what the text gained
  EXPECT_EQ(h.Text(), "ab\r\ncd\r\n");
}

TEST(SetSelText, ReplacesSelectionAndSelectsTheNewText) {
  TextHarness h("hello world\r\n");
  auto& e = *h.editor;
  h.Select(6, 0, 11, 0);
  e.SetSelText("there");
  EXPECT_EQ(h.Text(), "hello there\r\n");
  EXPECT_EQ(e.GetSelText(), "there");
  EXPECT_EQ(e.CompoundLevel(), 0);
  EXPECT_EQ(e.UpdateLock(), 0);
  h.Undo().Undo();  // one compound step
  EXPECT_EQ(h.Text(), "hello world\r\n");
}

TEST(SetSelText, WithoutSelectionInsertsAtCaretNotAtAnOldSelection) {
  TextHarness h("hello world\r\n");
  auto& e = *h.editor;
  h.Select(0, 0, 5, 0);
  e.Unselect();
  e.PlaceCaret(6, 0);
  e.SetSelText("big ");
  EXPECT_EQ(h.Text(), "hello big world\r\n");
  EXPECT_TRUE(e.Selected());
  EXPECT_EQ(e.GetSelText(), "big ");
  EXPECT_EQ(std::pair(e.CaretX(), e.CaretY()), std::pair(10, 0));
}

TEST(Macro, RecordsAndReplaysPairsInOneCompoundStep) {
  TextHarness h("abc\r\n");
  auto& e = *h.editor;
  int status = 0;
  e.OnChangeStatus = [&](TRACustomEditor*) { ++status; };
  e.BeginRecord();
  EXPECT_TRUE(e.Recording());
  std::string macro = "old";
  e.EndRecord(macro);
  EXPECT_FALSE(e.Recording());
  EXPECT_EQ(macro, "");
  EXPECT_GE(status, 2);

  e.PlayMacro(std::string("\x03\x01\x07", 3));  // a lone last byte is ignored
  EXPECT_EQ(e.Commands, (std::vector<TEditCommand>{cmdCaretRight}));
  EXPECT_EQ(h.Records().front(), "TBeginCompoundUndo");
  EXPECT_EQ(h.Records().back(), "TEndCompoundUndo");

  e.BeforeCommand = [](TEditCommand) { throw std::runtime_error("failed"); };
  EXPECT_THROW(e.PlayMacro(std::string("\x03\x01", 2)), std::runtime_error);
  EXPECT_EQ(e.CompoundLevel(), 0);
  EXPECT_EQ(e.UpdateLock(), 0);
  EXPECT_EQ(h.Records().back(), "TEndCompoundUndo");
}
