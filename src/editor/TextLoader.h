#pragma once
// Loading a file's text into a line store piece by piece: the bytes are read a chunk at a
// time, decoded (see textcodec::TStreamDecoder) and split into lines straight into the
// store, so a file is never held whole beside its lines. What the whole-text path does
// to a text it does here too: lines end at CR LF, a lone CR or a lone LF, a final break
// adds no line, a NUL byte ends the text, and tabs become the store's run of blanks.
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "util/TextCodec.h"

class LineList;

// Where the bytes come from.
class TByteSource {
 public:
  virtual ~TByteSource() = default;
  // Reads up to Size bytes into Into: the count read, 0 at the end, -1 on failure.
  virtual std::ptrdiff_t Read(char* into, size_t size) = 0;
  // Starts again from the first byte; false on failure.
  virtual bool Rewind() = 0;
};

// A file opened for reading, read to its end (also when it grows or shrinks meanwhile).
class TFileByteSource : public TByteSource {
 public:
  // Opens Path; Error() then tells whether that failed, and why.
  explicit TFileByteSource(const std::string& path);
  ~TFileByteSource() override;
  TFileByteSource(const TFileByteSource&) = delete;
  TFileByteSource& operator=(const TFileByteSource&) = delete;

  std::ptrdiff_t Read(char* into, size_t size) override;
  bool Rewind() override;
  // The system's error number of the last failure, 0 when none.
  int Error() const { return FError; }

 private:
  std::FILE* FFile = nullptr;
  int FError = 0;
};

struct TLoadedText {
  // Why loading stopped early.
  enum class TStop { None, ReadFailed, TooLarge };
  TStop Stop = TStop::None;
  textcodec::TDecodedText Decoded;
  // The file held a NUL byte: the text ends before it.
  bool CutAtNul = false;
  // Bytes read from the source (after the last rewind).
  long long Bytes = 0;
};

struct TLoadOptions {
  // Every tab becomes this run of blanks.
  std::string TabRun = "  ";
  // Bytes read at a time.
  size_t ChunkSize = size_t{1} << 19;
  // Loading stops (TooLarge) once more bytes than this were read.
  long long MaxBytes = -1;
  // Sees every chunk of bytes as read, before decoding (a digest of the file, say).
  std::function<void(std::string_view)> OnBytes;
  // The source was rewound to be read again undecoded: what OnBytes saw is void.
  std::function<void()> OnRewind;
};

// Replaces the lines of Lines with the text of Source, once it is read whole: when
// reading stops early (Stop), Lines stay as they were.
TLoadedText LoadText(LineList& lines, TByteSource& source, const TLoadOptions& options);
