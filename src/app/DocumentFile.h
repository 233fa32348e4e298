#pragma once
// What a document window knows of its file on disk: the content it last read or wrote
// there, and whether the document shows only part of it (the file holds a NUL byte, and
// loading stops there). Saving over the file checks both before anything is lost.
#include <QByteArray>
#include <QString>

class TEditorStrings;

class TDocumentFile {
 public:
  // Why writing a file may destroy something the user has not seen.
  enum class TRisk {
    None,
    ChangedOnDisk,  // another program changed (or created) the file since
    CutsAtNul,      // the file holds text after a NUL byte that the document never showed
  };

  // Gives the content of FileName to Lines (throws EFileError when it cannot be read) and
  // remembers it. A file that could not be read counts as absent.
  void Load(TEditorStrings& lines, const QString& fileName);
  // Writes Lines to FileName (throws EFileError on failure) and remembers what is there.
  void Save(const TEditorStrings& lines, const QString& fileName);

  // What the file was when it was last read or written, as a recovery draft keeps it.
  struct TIdentity {
    QString FileName;
    bool Exists = false;
    QByteArray Digest;
    bool CutAtNul = false;
  };
  TIdentity Identity() const { return {FFileName, FExists, FDigest, FCutAtNul}; }
  void RestoreIdentity(const TIdentity& identity);

  // Whether the last loaded file held a NUL byte (so its end is not in the document).
  bool CutAtNul() const { return FCutAtNul; }
  // What writing the document to FileName would destroy unseen. Only the document's own
  // file is checked: another name was chosen in the Save dialog, which asks itself.
  TRisk RiskOfWriting(const QString& fileName) const;

 private:
  void Remember(const QString& fileName, const QByteArray& content, bool exists);

  QString FFileName;
  bool FExists = false;
  QByteArray FDigest;
  bool FCutAtNul = false;
};

// The messages of the two risks and of opening a file with a NUL byte.
QString NulOpenedWarning(const QString& fileName);
QString OverwriteQuestion(TDocumentFile::TRisk risk, const QString& fileName);
