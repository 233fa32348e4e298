#include "app/ScriptFile.h"

#include <QFile>
#include <QSaveFile>

#include "editor/EditorStrings.h"
#include "util/Errors.h"

namespace {

[[noreturn]] void Fail(const char* what, const QString& fileName) {
  throw EFileError(std::string(what) + fileName.toStdString());
}

}  // namespace

std::string ReadScriptFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) Fail("Cannot open file ", fileName);
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) Fail("Cannot open file ", fileName);
  return bytes.toStdString();
}

void LoadScript(TEditorStrings& lines, const QString& fileName) {
  lines.SetTextStr(ReadScriptFile(fileName));
}

void SaveScript(const TEditorStrings& lines, const QString& fileName) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) Fail("Cannot create file ", fileName);
  // A short write (a full disk, a size limit) is not always remembered as an error by
  // the file, so every write and the final flush are checked; leaving without commit()
  // discards the new file.
  const auto put = [&](const char* data, std::size_t size) {
    const auto length = static_cast<qint64>(size);
    if (file.write(data, length) != length) Fail("Cannot create file ", fileName);
  };
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string& line = lines[i];
    put(line.data(), line.size());
    put("\r\n", 2);
  }
  if (!file.flush() || !file.commit()) Fail("Cannot create file ", fileName);
}
