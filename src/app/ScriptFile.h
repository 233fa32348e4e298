#pragma once
// Script files on disk: read piece by piece into a line store, written with CR LF after every line
// in the document's encoding. Every failure says, on a second line, why the system refused.
#include <QString>
#include <limits>
#include <string>
#include <string_view>

#include "util/CodePage.h"
#include "util/TextCodec.h"

class QCryptographicHash;
class LineList;
class TEditorStrings;

// The tab stops of the document window's editor.
inline constexpr const char kScriptTabStops[] = "3 5";

// The largest script the editor opens. Its text offsets are 32-bit, and a byte of the
// file can take two characters of text (a lone CR or LF counts as a CR LF, a tab becomes
// two spaces), so larger files could not be addressed.
inline constexpr qint64 kLargestScript = std::numeric_limits<int>::max() / 2;

// What loading a script found besides its lines.
struct TScriptContent {
  // The SHA-256 digest of the file's bytes as they were read.
  QByteArray Digest;
  textcodec::TDecodedText Decoded;
  // The file held a NUL byte: the lines end before it.
  bool CutAtNul = false;
  // The first line ends in a lone LF.
  bool LinefeedEnds = false;
};

// Replaces the lines of Lines with the content of FileName as a document window opened on
// it shows them: decoded, ended at a NUL byte, split at CR LF, CR or LF, every tab the
// blanks up to the first tab stop of kScriptTabStops. The file is read a piece at a time
// straight into the lines (never held whole beside them), and its digest is computed on
// a second thread meanwhile. Throws EFileError "Cannot open file <name>" and the reason
// when it cannot be read, is not a plain file (a folder, a device) or is larger than
// kLargestScript; Lines then stay as they were.
TScriptContent LoadScript(const QString& fileName, TEditorStrings& lines);
TScriptContent LoadScript(const QString& fileName, LineList& lines);

// Writes every line of Lines (bytes of Page) in Encoding followed by LineEnd (nothing for
// an empty document but the byte order mark of Utf8Bom), and gives every byte written to
// Digest. The file is replaced only once the whole text has been written, so a failed
// write leaves the old file as it was; it then throws EFileError "Cannot create file
// <name>" and the reason. Bytes that are no character of Page have no UTF-8: such a
// document is refused that way too, rather than written with replacement characters.
void SaveScript(const TEditorStrings& lines, const QString& fileName, TTextEncoding encoding,
                QCryptographicHash& digest, TCodePage page = TCodePage::cp1252,
                std::string_view lineEnd = "\r\n");
