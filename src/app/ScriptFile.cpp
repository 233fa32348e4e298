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
  // Read straight into the string, so a large script is not held twice while opening.
  std::string text(file.isSequential() ? 0 : static_cast<size_t>(file.size()), '\0');
  const qint64 read = text.empty() ? 0 : file.read(text.data(), static_cast<qint64>(text.size()));
  if (read < 0) Fail("Cannot open file ", fileName);
  text.resize(static_cast<size_t>(read));
  const QByteArray rest = file.readAll();
  if (file.error() != QFileDevice::NoError) Fail("Cannot open file ", fileName);
  text.append(rest.constData(), static_cast<size_t>(rest.size()));
  return text;
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
    const std::string_view line = lines.View(i);
    put(line.data(), line.size());
    put("\r\n", 2);
  }
  if (!file.flush() || !file.commit()) Fail("Cannot create file ", fileName);
}
