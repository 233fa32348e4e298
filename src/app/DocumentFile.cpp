#include "app/DocumentFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include "app/ScriptFile.h"
#include "editor/EditorStrings.h"

namespace {

QByteArray DigestOf(const QByteArray& content) {
  return QCryptographicHash::hash(content, QCryptographicHash::Sha256);
}

bool SameFile(const QString& a, const QString& b) {
  return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// The file's content now; false when there is no readable file.
bool ReadNow(const QString& fileName, QByteArray& content) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  content = file.readAll();
  return file.error() == QFileDevice::NoError;
}

}  // namespace

void TDocumentFile::Load(TEditorStrings& lines, const QString& fileName) {
  Remember(fileName, QByteArray(), false);
  const std::string content = ReadScriptFile(fileName);
  const QByteArray bytes = QByteArray::fromStdString(content);
  Remember(fileName, bytes, true);
  FCutAtNul = bytes.contains('\0');
  lines.SetTextStr(content);
}

void TDocumentFile::Save(const TEditorStrings& lines, const QString& fileName) {
  SaveScript(lines, fileName);
  QByteArray content;
  const bool exists = ReadNow(fileName, content);
  Remember(fileName, content, exists);
}

TDocumentFile::TRisk TDocumentFile::RiskOfWriting(const QString& fileName) const {
  if (FFileName.isEmpty() || !SameFile(fileName, FFileName)) return TRisk::None;
  QByteArray content;
  const bool exists = ReadNow(fileName, content);
  // A file deleted meanwhile has nothing left to lose.
  if (!exists) return TRisk::None;
  if (!FExists || DigestOf(content) != FDigest) return TRisk::ChangedOnDisk;
  return FCutAtNul ? TRisk::CutsAtNul : TRisk::None;
}

void TDocumentFile::RestoreIdentity(const TIdentity& identity) {
  FFileName = identity.FileName;
  FExists = identity.Exists;
  FDigest = identity.Digest;
  FCutAtNul = identity.CutAtNul;
}

void TDocumentFile::Remember(const QString& fileName, const QByteArray& content, bool exists) {
  FFileName = fileName;
  FExists = exists;
  FDigest = exists ? DigestOf(content) : QByteArray();
  FCutAtNul = false;
}

QString NulOpenedWarning(const QString& fileName) {
  return QStringLiteral(
             "%1 holds a NUL byte. Only the text before it is shown; the rest of the file is "
             "not part of the document.")
      .arg(fileName);
}

QString OverwriteQuestion(TDocumentFile::TRisk risk, const QString& fileName) {
  if (risk == TDocumentFile::TRisk::CutsAtNul) {
    return QStringLiteral(
               "%1 holds a NUL byte, and the text after it is not shown. Saving over the "
               "file cuts it there and loses that text.\n\nSave over it anyway?")
        .arg(fileName);
  }
  return QStringLiteral(
             "%1 has been changed by another program since it was opened or last saved.\n\n"
             "Overwrite it?")
      .arg(fileName);
}
