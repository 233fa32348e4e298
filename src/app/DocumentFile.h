#pragma once
// What a document window knows of its file on disk: the content it last read or wrote
// there (as a digest of the bytes on disk), the file's encoding, and whether the document
// shows only part of it (the file holds a NUL byte, and loading stops there; or it holds
// characters no code page of the editor holds together), and the code page the document
// is kept in. Saving over the file checks all of that before anything is lost.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <optional>

#include "util/CodePage.h"
#include "util/FileText.h"
#include "util/TextCodec.h"

class TEditorStrings;

class TDocumentFile {
 public:
  // Why writing a file may destroy something the user has not seen.
  enum class TRisk {
    None,
    ChangedOnDisk,  // another program changed (or created) the file since
    CutsAtNul,      // the file holds text after a NUL byte that the document never showed
    Unreadable,     // the file exists but could not be read, so the document never showed it
  };

  // Gives the content of FileName, decoded, to Lines (throws EFileError when it cannot be
  // read) and remembers it. A file that could not be read counts as absent when it does
  // not exist, and as unreadable otherwise. With Page the file is read as that code
  // page's bytes (File > Encoding > Reopen with); without, the code page is chosen as
  // filetext::Decode says.
  void Load(TEditorStrings& lines, const QString& fileName,
            std::optional<TCodePage> page = std::nullopt);
  // Writes Lines to FileName in the document's encoding (throws EFileError on failure, and
  // when the document cannot be written without loss) and remembers what is there.
  void Save(const TEditorStrings& lines, const QString& fileName);
  // Throws EFileError when the document cannot be written to FileName without loss.
  void CheckWritable(const QString& fileName) const;

  // What the file was when it was last read or written, as a recovery draft keeps it.
  struct TIdentity {
    QString FileName;
    bool Exists = false;
    QByteArray Digest;
    bool CutAtNul = false;
    bool Unreadable = false;
    TTextEncoding Encoding = TTextEncoding::Windows1252;
    TCodePage CodePage = TCodePage::cp1252;
  };
  TIdentity Identity() const {
    return {FFileName, FExists, FDigest, FCutAtNul, FUnreadable, FEncoding, FCodePage};
  }
  void RestoreIdentity(const TIdentity& identity);

  // The document's file: the one last read, written or restored; empty when untitled.
  const QString& FileName() const { return FFileName; }
  // Whether the last loaded file held a NUL byte (so its end is not in the document).
  bool CutAtNul() const { return FCutAtNul; }
  // The encoding the next save writes: the loaded file's; Windows-1252 for a new document.
  // Windows1252 stands for the bytes of the document's code page, written as they are.
  TTextEncoding Encoding() const { return FEncoding; }
  void SetEncoding(TTextEncoding encoding) { FEncoding = encoding; }
  // Whether a save keeps the loaded file's line ends (LF for a file whose first line ends
  // in a lone LF) instead of writing CR LF.
  void SetKeepLineEnds(bool keep) { FKeepLineEnds = keep; }
  // The code page the document's bytes are in; its editor shows them through it.
  TCodePage CodePage() const { return FCodePage; }
  void SetCodePage(TCodePage page) { FCodePage = page; }
  // Characters of the loaded file that the document shows as '?': it must stay read-only.
  size_t Unmappable() const { return FUnmappable; }
  // What such a file holds, for the message (filetext::DescribeHoldings).
  QString Holdings() const { return FHoldings; }
  // What writing the document to FileName would destroy unseen. Only the document's own
  // file is checked: another name was chosen in the Save dialog, which asks itself.
  TRisk RiskOfWriting(const QString& fileName) const;

 private:
  void Remember(const QString& fileName, const QByteArray& digest, bool exists);

  QString FFileName;
  bool FExists = false;
  bool FUnreadable = false;
  QByteArray FDigest;
  bool FCutAtNul = false;
  TTextEncoding FEncoding = TTextEncoding::Windows1252;
  TCodePage FCodePage = TCodePage::cp1252;
  size_t FUnmappable = 0;
  bool FLinefeedEnds = false;
  bool FKeepLineEnds = false;
  QString FHoldings;
};

// The status bar's name of a document's encoding: "UTF-8", "UTF-8 BOM" or "Windows-1252"
// for Western text; with another code page "UTF-8 (Cyrillic)", "UTF-8 BOM (Japanese)", or
// the code page's own name ("Windows-1251", "Shift-JIS").
QString EncodingName(TTextEncoding encoding, TCodePage page = TCodePage::cp1252);

// The messages of the risks, of opening a file with a NUL byte and of opening one with
// characters the document cannot show.
QString NulOpenedWarning(const QString& fileName);
QString UnmappableOpenedWarning(const QString& fileName, size_t count,
                                const QString& holdings = {});
QString OverwriteQuestion(TDocumentFile::TRisk risk, const QString& fileName);
