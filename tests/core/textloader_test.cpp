#include "editor/TextLoader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "editor/LineList.h"
#include "editor/RAEditor.h"
#include "support/EditorFixture.h"
#include "util/BackgroundDigest.h"
#include "util/TextCodec.h"

using namespace std::string_literals;
using Lines = std::vector<std::string>;

namespace {

Lines Contents(const LineList& list) {
  Lines lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

// Text handed out in reads of random sizes (some empty-free, as files give them).
class PieceSource : public TByteSource {
 public:
  PieceSource(std::string text, std::mt19937& rng, int maxRead)
      : FText(std::move(text)), FRng(rng), FMaxRead(maxRead) {}
  std::ptrdiff_t Read(char* into, size_t size) override {
    const size_t n = std::min(
        {size, FText.size() - FAt, size_t(std::uniform_int_distribution<int>(1, FMaxRead)(FRng))});
    FText.copy(into, n, FAt);
    FAt += n;
    return static_cast<std::ptrdiff_t>(n);
  }
  bool Rewind() override {
    ++Rewinds;
    FAt = 0;
    return true;
  }
  int Rewinds = 0;

 private:
  std::string FText;
  size_t FAt = 0;
  std::mt19937& FRng;
  int FMaxRead;
};

// What opening the whole text at once gives: decoded, cut at NUL, split, tabs expanded.
struct Expected {
  Lines Text;
  textcodec::TDecodedText Decoded;
  bool CutAtNul;
};

Expected WholeText(std::string text) {
  Expected e;
  e.CutAtNul = text.find('\0') != std::string::npos;
  e.Decoded = textcodec::Decode(text);
  LineList list;
  const std::string run = "  ";
  list.AssignText(std::string_view(text).substr(0, text.find('\0')), &run);
  e.Text = Contents(list);
  return e;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

// Pieces of every size, cut anywhere: inside CR LF, after a CR, inside a UTF-8 sequence or
// a byte order mark, around NUL bytes and tabs. The result, and the bytes the digest sees
// after the last rewind, are those of the whole file read at once.
TEST(TextLoader, PiecesAgreeWithTheWholeText) {
  std::mt19937 rng(29);
  const std::vector<std::string> parts = {
      "a",        "bc",           "\r",           "\n",   "\r\n", "\t",           "\0"s,
      "\xC3\xA9", "\xE2\x82\xAC", "\xE4\xB8\xAD", "\xE9", "\xC3", "\xEF\xBB\xBF", " "};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    if (round % 4 == 0) text = "\xEF\xBB\xBF";
    const int length = std::uniform_int_distribution<int>(0, 24)(rng);
    // Mostly text that is UTF-8 or plain, now and then a byte that is neither.
    const size_t kinds = round % 3 == 0 ? parts.size() : parts.size() - 4;
    for (int i = 0; i < length; ++i) {
      text += parts[std::uniform_int_distribution<size_t>(0, kinds - 1)(rng)];
    }
    if (round % 3 == 0 && length > 0) text += parts[10 + round % 2];
    const Expected expected = WholeText(text);
    PieceSource source(text, rng, 1 + round % 7);
    std::string seen;
    TLoadOptions options;
    options.ChunkSize = 1 + static_cast<size_t>(round % 5);
    options.OnBytes = [&seen](std::string_view bytes) { seen += bytes; };
    options.OnRewind = [&seen] { seen.clear(); };
    LineList list;
    list.Insert(0, "old"s);
    const TLoadedText loaded = LoadText(list, source, options);
    SCOPED_TRACE(testing::PrintToString(text));
    ASSERT_EQ(Contents(list), expected.Text);
    EXPECT_EQ(loaded.Decoded.Encoding, expected.Decoded.Encoding);
    EXPECT_EQ(loaded.Decoded.Unmappable, expected.Decoded.Unmappable);
    EXPECT_EQ(loaded.CutAtNul, expected.CutAtNul);
    EXPECT_EQ(loaded.Stop, TLoadedText::TStop::None);
    EXPECT_EQ(seen, text);
    EXPECT_EQ(loaded.Bytes, static_cast<long long>(text.size()));
    // Only a text decoded in part before it proved not to be UTF-8 is read twice.
    EXPECT_LE(source.Rewinds, 1);
  }
}

TEST(TextLoader, LongLinesAndAFileOfBlocks) {
  std::mt19937 rng(7);
  std::string text(100000, 'x');
  text += "\r\n";
  for (int i = 0; i < 5000; ++i) text += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
  PieceSource source(text, rng, 4096);
  TLoadOptions options;
  options.ChunkSize = 1000;
  LineList list;
  LoadText(list, source, options);
  const Lines expected = WholeText(text).Text;
  EXPECT_EQ(Contents(list), expected);
  int length = 0;
  for (const std::string& line : expected) length += static_cast<int>(line.size()) + 2;
  EXPECT_EQ(list.Offset(list.Count()), length);
  EXPECT_EQ(list.LineAtOffset(length - 1), list.Count() - 1);
}

// The file is read to its end as it is then: grown or cut while being read.
TEST(TextLoader, AFileThatChangesSizeWhileRead) {
  const auto path = std::filesystem::temp_directory_path() / "textloader_test.csm";
  const auto write = [&](const std::string& text, std::ios::openmode mode) {
    std::ofstream(path, std::ios::binary | mode) << text;
  };
  std::string first(3000, 'a');
  write(first + "\r\nend", std::ios::trunc);
  TLoadOptions options;
  options.ChunkSize = 1024;
  std::string seen;
  bool changed = false;
  options.OnBytes = [&](std::string_view bytes) {
    seen += bytes;
    if (!std::exchange(changed, true)) write("\r\ngrown", std::ios::app);
  };
  LineList list;
  {
    TFileByteSource source(path.string());
    const TLoadedText loaded = LoadText(list, source, options);
    EXPECT_EQ(loaded.Stop, TLoadedText::TStop::None);
  }
  EXPECT_EQ(Contents(list), (Lines{first, "end", "grown"}));
  EXPECT_EQ(seen, ReadAll(path));

  // Cut to a third after the first chunk: what was read is all there is.
  write(first + "\r\nend", std::ios::trunc);
  changed = false;
  seen.clear();
  options.OnBytes = [&](std::string_view bytes) {
    seen += bytes;
    if (!std::exchange(changed, true)) std::filesystem::resize_file(path, 1500);
  };
  {
    TFileByteSource source(path.string());
    LoadText(list, source, options);
  }
  EXPECT_EQ(Contents(list), (Lines{std::string(1500, 'a')}));
  EXPECT_EQ(seen.size(), 1500u);

  // Too large, or unreadable: the lines stay as they were rather than a part.
  options.OnBytes = nullptr;
  options.MaxBytes = 1000;
  {
    TFileByteSource source(path.string());
    EXPECT_EQ(LoadText(list, source, options).Stop, TLoadedText::TStop::TooLarge);
  }
  EXPECT_EQ(Contents(list), (Lines{std::string(1500, 'a')}));
  std::filesystem::remove(path);
  TFileByteSource missing(path.string());
  EXPECT_NE(missing.Error(), 0);
  EXPECT_EQ(LoadText(list, missing, options).Stop, TLoadedText::TStop::ReadFailed);
  EXPECT_EQ(Contents(list), (Lines{std::string(1500, 'a')}));
}

// Loading into the editor's store does what setting its whole text does.
TEST(TextLoader, TheStoreLoadsAsItSetsItsText) {
  EditorHarness<TRAEditor> harness;
  harness.editor->SetTabStops("5 9");
  std::mt19937 rng(1);
  const std::string text = "a\tb\r\n\xC3\xA9\t\r\n";
  PieceSource source(text, rng, 3);
  harness.editor->Lines().SetTextStr("x");
  harness.editor->Command(cmdUndo);  // nothing to undo, but the history is there
  const TLoadedText loaded = harness.editor->Lines().LoadFrom(source, {});
  EXPECT_EQ(loaded.Decoded.Encoding, TTextEncoding::Utf8);
  EXPECT_EQ(harness.Text(), "a    b\r\n\xE9    \r\n");
  EXPECT_EQ(harness.editor->UndoBuffer()->Count(), 0);
}

// The digest of pieces hashed on the side is the SHA-256 of all of them; a Reset, also
// while pieces wait, starts it afresh.
TEST(BackgroundDigest, PiecesGiveTheDigestOfTheWhole) {
  const auto hex = [](const std::string& digest) {
    std::string out;
    for (unsigned char c : digest)
      out += "0123456789abcdef"[c >> 4], out += "0123456789abcdef"[c & 15];
    return out;
  };
  TBackgroundDigest digest(64);
  EXPECT_EQ(hex(digest.Result()),
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "piece " + std::to_string(i) + "\r\n";
  for (size_t at = 0; at < text.size(); at += 100)
    digest.Add(std::string_view(text).substr(at, 100));
  const std::string whole = digest.Result();
  digest.Add("stale");
  digest.Reset();
  for (size_t at = 0; at < text.size(); at += 7) digest.Add(std::string_view(text).substr(at, 7));
  EXPECT_EQ(digest.Result(), whole);
  digest.Add("abc");
  EXPECT_EQ(hex(digest.Result()),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}
