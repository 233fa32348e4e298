#include "app/DraftManifest.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

QJsonObject DiskToJson(const TDocumentFile::TIdentity& disk) {
  return {{"file", disk.FileName},
          {"exists", disk.Exists},
          {"digest", QString::fromLatin1(disk.Digest.toHex())},
          {"cutAtNul", disk.CutAtNul},
          {"unreadable", disk.Unreadable},
          {"encoding", static_cast<int>(disk.Encoding)},
          {"codePage", static_cast<int>(disk.CodePage)}};
}

TDocumentFile::TIdentity DiskFromJson(const QJsonObject& o) {
  const int encoding = o["encoding"].toInt();
  const bool known = encoding >= 0 && encoding <= static_cast<int>(TTextEncoding::Utf8Bom);
  return {o["file"].toString(), o["exists"].toBool(),
          QByteArray::fromHex(o["digest"].toString().toLatin1()), o["cutAtNul"].toBool(),
          o["unreadable"].toBool(),
          known ? static_cast<TTextEncoding>(encoding) : TTextEncoding::Windows1252,
          // Drafts written before documents had code pages are Western.
          codepage::FromNumber(o["codePage"].toInt()).value_or(TCodePage::cp1252)};
}

// The rename that put a draft in place survives a power cut only once its folder's entry
// is on the disk as well.
void SyncFolderOf(const QString& path) {
  const int folder =
      ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}

}  // namespace

QByteArray TDraftManifest::ToJson() const {
  QJsonArray bookmarks;
  for (int i = 0; i < 10; ++i) {
    const TBookmark& b = View.Bookmarks[static_cast<size_t>(i)];
    if (b.Valid) bookmarks.append(QJsonObject{{"number", i}, {"x", b.X}, {"y", b.Y}});
  }
  QJsonObject o{{"caretX", View.CaretX},
                {"caretY", View.CaretY},
                {"topRow", View.TopRow},
                {"bookmarks", bookmarks},
                {"lineCount", LineCount},
                {"disk", DiskToJson(Disk)},
                {"changed", Changed.toUTC().toString(Qt::ISODateWithMs)}};
  if (!FileName.isEmpty()) o["fileName"] = FileName;
  return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<TDraftManifest> TDraftManifest::FromJson(const QByteArray& json) {
  const QJsonDocument document = QJsonDocument::fromJson(json);
  if (!document.isObject()) return std::nullopt;
  const QJsonObject o = document.object();
  TDraftManifest m;
  m.FileName = o["fileName"].toString();
  m.Disk = DiskFromJson(o["disk"].toObject());
  m.View.CaretX = o["caretX"].toInt();
  m.View.CaretY = o["caretY"].toInt();
  m.View.TopRow = o["topRow"].toInt();
  m.LineCount = o["lineCount"].toInt();
  m.Changed = QDateTime::fromString(o["changed"].toString(), Qt::ISODateWithMs).toLocalTime();
  for (const QJsonValue& value : o["bookmarks"].toArray()) {
    const QJsonObject b = value.toObject();
    const int number = b["number"].toInt(-1);
    if (number < 0 || number > 9) continue;
    m.View.Bookmarks[static_cast<size_t>(number)] = {b["x"].toInt(), b["y"].toInt(), true};
  }
  return m;
}

std::optional<TDraftManifest> ReadDraftManifest(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return TDraftManifest::FromJson(file.readLine());
}

std::optional<std::string> ReadDraftText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  file.readLine();
  const QByteArray text = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return text.toStdString();
}

bool WriteDraftFile(const QString& path, const QByteArray& manifest, const LineSnapshot& lines,
                    QString& error) {
  // QSaveFile writes a temporary file, flushes it to the disk and renames it over Path.
  QSaveFile file(path);
  bool ok = file.open(QIODevice::WriteOnly);
  ok = ok && file.write(manifest + '\n') == manifest.size() + 1;
  std::string chunk;
  for (int i = 0; ok && i < lines.Count(); ++i) {
    chunk.append(lines.Line(i)).append("\r\n");
    if (chunk.size() < (1u << 16) && i + 1 < lines.Count()) continue;
    ok = file.write(chunk.data(), static_cast<qint64>(chunk.size())) ==
         static_cast<qint64>(chunk.size());
    chunk.clear();
  }
  if (ok && file.commit()) {
    SyncFolderOf(path);
    return true;
  }
  error = file.errorString();
  file.cancelWriting();
  return false;
}
