#include "editor/TextLoader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "editor/LineList.h"

namespace {

// Splits decoded text that arrives piece by piece into lines for a filler: a line cut by
// the end of a piece waits for the rest, and a CR at the end of a piece may still be
// followed by the LF of its CR LF.
class TLineSplitter {
 public:
  explicit TLineSplitter(LineListFiller& filler) : FFiller(filler) {}

  // Appends every line of Text that ends inside it; returns where the unfinished line
  // starts (Text's size when there is none).
  size_t Split(std::string_view text) {
    size_t p = 0;
    if (FSkipLf && !text.empty()) {
      FSkipLf = false;
      if (text[0] == '\n') p = 1;
    }
    size_t nextLf = FindByte(text, p, text.size(), '\n');
    while (p < text.size()) {
      // As in ForEachLine: the next LF is kept across lines broken by lone CRs.
      if (nextLf < p) nextLf = FindByte(text, p, text.size(), '\n');
      const size_t end = FindByte(text, p, nextLf, '\r');
      if (end == text.size()) break;
      FFiller.Append(text.substr(p, end - p));
      p = end + 1;
      if (text[end] == '\r') {
        if (p == text.size()) {
          FSkipLf = true;
        } else if (text[p] == '\n') {
          ++p;
        }
      }
    }
    return p;
  }
  // The text ends with Rest, a line without a break (nothing when it is empty).
  void End(std::string_view rest) {
    if (!rest.empty()) FFiller.Append(rest);
  }

 private:
  LineListFiller& FFiller;
  bool FSkipLf = false;
};

// One pass over the source into the store; false when it must be read again undecoded.
class TLoadPass {
 public:
  TLoadPass(LineList& lines, TByteSource& source, const TLoadOptions& options,
            textcodec::TStreamDecoder& decoder, TLoadedText& result)
      : FFiller(lines),
        FSplitter(FFiller),
        FSource(source),
        FOptions(options),
        FDecoder(decoder),
        FResult(result) {}

  bool Run() {
    const size_t chunk = std::max<size_t>(FOptions.ChunkSize, 1);
    while (true) {
      // The buffer holds the unfinished line (decoded), then a cut sequence (undecoded),
      // then the chunk read now.
      const size_t held = FLine + FCut;
      if (FBuffer.size() < held + chunk) FBuffer.resize(held + chunk);
      const std::ptrdiff_t n = FSource.Read(FBuffer.data() + held, chunk);
      if (n < 0) return Stop(TLoadedText::TStop::ReadFailed);
      const auto count = static_cast<size_t>(n);
      FResult.Bytes += n;
      if (FOptions.MaxBytes >= 0 && FResult.Bytes > FOptions.MaxBytes) {
        return Stop(TLoadedText::TStop::TooLarge);
      }
      if (FOptions.OnBytes && count > 0) FOptions.OnBytes({FBuffer.data() + held, count});
      const bool last = count == 0;
      const auto step = FDecoder.Decode(FBuffer.data() + FLine, FCut + count, last);
      if (FDecoder.MustRestart()) return false;
      const size_t cutFrom = FLine + FCut + count - step.Kept;
      Take(FLine + step.Written, last);
      // The unfinished line and the cut sequence move to the front.
      std::memmove(FBuffer.data(), FBuffer.data() + FLineStart, FLine);
      std::memmove(FBuffer.data() + FLine, FBuffer.data() + cutFrom, step.Kept);
      FCut = step.Kept;
      if (last) break;
    }
    FFiller.Done();
    return true;
  }

 private:
  // Splits the decoded text Buffer[0, End) into the store; leaves FLineStart and FLine
  // at the unfinished line.
  void Take(size_t end, bool last) {
    std::string_view text(FBuffer.data(), end);
    FLineStart = end;
    if (!FResult.CutAtNul) {
      const size_t nul = FindByte(text, FLine, end, '\0');
      if (nul < end) {
        FResult.CutAtNul = true;
        text = text.substr(0, nul);
      }
      // Tabs are looked for once per chunk, not once per line.
      const size_t tab = FindByte(text, 0, text.size(), '\t');
      FFiller.SetTabRun(tab < text.size() ? &FOptions.TabRun : nullptr);
      const size_t rest = FSplitter.Split(text);
      if (FResult.CutAtNul || last) {
        FSplitter.End(text.substr(rest));
      } else {
        FLineStart = rest;
      }
    }
    FFiller.Flush();
    FLine = end - FLineStart;
  }

  bool Stop(TLoadedText::TStop why) {
    FResult.Stop = why;
    return true;
  }

  LineListFiller FFiller;
  TLineSplitter FSplitter;
  TByteSource& FSource;
  const TLoadOptions& FOptions;
  textcodec::TStreamDecoder& FDecoder;
  TLoadedText& FResult;
  std::vector<char> FBuffer;
  size_t FLineStart = 0;
  size_t FLine = 0;
  size_t FCut = 0;
};

}  // namespace

TFileByteSource::TFileByteSource(const std::string& path) {
  errno = 0;
  FFile = std::fopen(path.c_str(), "rb");
  if (!FFile) {
    FError = errno != 0 ? errno : EIO;
    return;
  }
  // Chunks are read straight into the caller's buffer, and a file that changes meanwhile
  // is read as it is at each read.
  std::setvbuf(FFile, nullptr, _IONBF, 0);
}

TFileByteSource::~TFileByteSource() {
  if (FFile) std::fclose(FFile);
}

std::ptrdiff_t TFileByteSource::Read(char* into, size_t size) {
  if (!FFile) return -1;
  errno = 0;
  const size_t n = std::fread(into, 1, size, FFile);
  if (n == 0 && std::ferror(FFile)) {
    FError = errno != 0 ? errno : EIO;
    return -1;
  }
  return static_cast<std::ptrdiff_t>(n);
}

bool TFileByteSource::Rewind() {
  if (!FFile) return false;
  errno = 0;
  if (std::fseek(FFile, 0, SEEK_SET) != 0) {
    FError = errno != 0 ? errno : EIO;
    return false;
  }
  std::clearerr(FFile);
  return true;
}

TLoadedText LoadText(LineList& lines, TByteSource& source, const TLoadOptions& options) {
  textcodec::TStreamDecoder decoder;
  TLoadedText result;
  LineList loaded;
  while (true) {
    if (TLoadPass(loaded, source, options, decoder, result).Run()) break;
    // Some bytes were decoded before the text proved not to be UTF-8: read it all again,
    // unchanged.
    decoder.Restart();
    result = TLoadedText();
    if (options.OnRewind) options.OnRewind();
    if (!source.Rewind()) {
      result.Stop = TLoadedText::TStop::ReadFailed;
      break;
    }
  }
  // A text that could not be read whole is not shown in part, and the old one stays.
  if (result.Stop == TLoadedText::TStop::None) lines.Adopt(loaded);
  result.Decoded = decoder.Result();
  return result;
}
