#include "app/DocumentFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include "app/ScriptFile.h"
#include "editor/EditorStrings.h"
#include "util/Errors.h"

namespace {

constexpr auto kDigest = QCryptographicHash::Sha256;

bool SameFile(const QString& a, const QString& b) {
  return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// The digest of the file's content now; false when there is no readable file.
bool DigestNow(const QString& fileName, QByteArray& digest) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QCryptographicHash hash(kDigest);
  if (!hash.addData(&file) || file.error() != QFileDevice::NoError) return false;
  digest = hash.result();
  return true;
}

// Why a document with Count characters shown as '?' is not written; Holdings names what
// the file holds.
QString UnmappableReason(size_t count, const QString& holdings) {
  return QStringLiteral(
             "it holds %1, which no single code page of the editor holds together. %2 %3 "
             "shown as \"?\", and saving would lose them.")
      .arg(holdings.isEmpty() ? QStringLiteral("characters") : holdings)
      .arg(count)
      .arg(count == 1 ? QStringLiteral("character is") : QStringLiteral("characters are"));
}

// The whole content of FileName, which was just read piece by piece.
std::string ReadWhole(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    throw EFileError("Cannot open file " + fileName.toStdString() + "\n" +
                     file.errorString().toStdString());
  }
  const QByteArray all = file.readAll();
  return std::string(all.constData(), static_cast<size_t>(all.size()));
}

}  // namespace

void TDocumentFile::Load(TEditorStrings& lines, const QString& fileName,
                         std::optional<TCodePage> page) {
  Remember(fileName, QByteArray(), false);
  FEncoding = TTextEncoding::Windows1252;
  FCodePage = page.value_or(TCodePage::cp1252);
  FUnmappable = 0;
  FHoldings.clear();
  TScriptContent content;
  // Text beyond Western, or a code page chosen: the file is read once more, whole, and
  // converted into the code page that holds it (or taken as the chosen one's bytes).
  std::string bytes;
  try {
    content = LoadScript(fileName, lines);
    if (page || content.Decoded.Unmappable > 0) bytes = ReadWhole(fileName);
  } catch (const EFileError&) {
    FUnreadable = QFileInfo::exists(fileName);
    throw;
  }
  Remember(fileName, content.Digest, true);
  FCutAtNul = content.CutAtNul;
  FLinefeedEnds = content.LinefeedEnds;
  FEncoding = content.Decoded.Encoding;
  if (!page && content.Decoded.Unmappable == 0) return;
  // The document shows the second reading: the guard remembers that one, should the file
  // have changed in between.
  Remember(fileName, QCryptographicHash::hash(QByteArrayView(bytes), kDigest), true);
  FCutAtNul = bytes.find('\0') != std::string::npos;
  const filetext::TFileText decoded = filetext::Decode(bytes, page);
  FEncoding = decoded.Encoding;
  FCodePage = decoded.Page;
  FUnmappable = decoded.Unmappable;
  if (FUnmappable > 0) FHoldings = QString::fromStdString(filetext::DescribeHoldings(decoded));
  lines.SetTextStr(bytes);
}

void TDocumentFile::CheckWritable(const QString& fileName) const {
  if (FUnmappable == 0) return;
  throw EFileError(QStringLiteral("Cannot save %1: %2")
                       .arg(fileName, UnmappableReason(FUnmappable, FHoldings))
                       .toStdString());
}

void TDocumentFile::Save(const TEditorStrings& lines, const QString& fileName) {
  CheckWritable(fileName);
  QCryptographicHash digest(kDigest);
  SaveScript(lines, fileName, FEncoding, digest, FCodePage,
             FKeepLineEnds && FLinefeedEnds ? std::string_view("\n") : std::string_view("\r\n"));
  Remember(fileName, digest.result(), true);
}

TDocumentFile::TRisk TDocumentFile::RiskOfWriting(const QString& fileName) const {
  if (FFileName.isEmpty() || !SameFile(fileName, FFileName)) return TRisk::None;
  if (FUnreadable) return QFileInfo::exists(fileName) ? TRisk::Unreadable : TRisk::None;
  QByteArray digest;
  // A file deleted meanwhile has nothing left to lose.
  if (!DigestNow(fileName, digest)) return TRisk::None;
  if (!FExists || digest != FDigest) return TRisk::ChangedOnDisk;
  return FCutAtNul ? TRisk::CutsAtNul : TRisk::None;
}

void TDocumentFile::RestoreIdentity(const TIdentity& identity) {
  FFileName = identity.FileName;
  FExists = identity.Exists;
  FDigest = identity.Digest;
  FCutAtNul = identity.CutAtNul;
  FUnreadable = identity.Unreadable;
  FEncoding = identity.Encoding;
  FCodePage = identity.CodePage;
}

void TDocumentFile::Remember(const QString& fileName, const QByteArray& digest, bool exists) {
  FFileName = fileName;
  FExists = exists;
  FUnreadable = false;
  FDigest = exists ? digest : QByteArray();
  FCutAtNul = false;
}

QString EncodingName(TTextEncoding encoding, TCodePage page) {
  if (encoding == TTextEncoding::Windows1252) return QString::fromLatin1(codepage::Name(page));
  const QString utf8 =
      encoding == TTextEncoding::Utf8Bom ? QStringLiteral("UTF-8 BOM") : QStringLiteral("UTF-8");
  if (page == TCodePage::cp1252) return utf8;
  return QStringLiteral("%1 (%2)").arg(utf8, QString::fromLatin1(codepage::WritingSystem(page)));
}

QString NulOpenedWarning(const QString& fileName) {
  return QStringLiteral(
             "%1 holds a NUL byte. Only the text before it is shown; the rest of the file is "
             "not part of the document.")
      .arg(fileName);
}

QString UnmappableOpenedWarning(const QString& fileName, size_t count, const QString& holdings) {
  return QStringLiteral("%1 is opened read-only: %2")
      .arg(fileName, UnmappableReason(count, holdings));
}

QString OverwriteQuestion(TDocumentFile::TRisk risk, const QString& fileName) {
  if (risk == TDocumentFile::TRisk::CutsAtNul) {
    return QStringLiteral(
               "%1 holds a NUL byte, and the text after it is not shown. Saving over the "
               "file cuts it there and loses that text.\n\nSave over it anyway?")
        .arg(fileName);
  }
  if (risk == TDocumentFile::TRisk::Unreadable) {
    return QStringLiteral(
               "%1 could not be read when it was opened, so this window does not show what "
               "it holds. Saving replaces the file with the window's text.\n\nOverwrite it?")
        .arg(fileName);
  }
  return QStringLiteral(
             "%1 has been changed by another program since it was opened or last saved.\n\n"
             "Overwrite it?")
      .arg(fileName);
}
