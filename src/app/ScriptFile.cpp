#include "app/ScriptFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "editor/EditorStrings.h"
#include "editor/LineList.h"
#include "editor/RAEditor.h"
#include "editor/TextLoader.h"
#include "util/BackgroundDigest.h"
#include "util/Errors.h"
#include "util/RAStrUtil.h"

namespace {

[[noreturn]] void Fail(const char* what, const QString& fileName, const QString& reason) {
  throw EFileError(std::string(what) + fileName.toStdString() + "\n" + reason.toStdString());
}

[[noreturn]] void CannotOpen(const QString& fileName, const QString& reason) {
  Fail("Cannot open file ", fileName, reason);
}

// The system's reason for the failure of the file operation just made. The file does not
// keep it for every failure (a flush stopped by a full disk or a size limit), so the
// error number Error, taken right after the failure, stands in then.
QString Reason(const QFileDevice& file, int error) {
  const QString reason = file.errorString();
  if (reason != QFile().errorString() || error == 0) return reason;
  return QString::fromLocal8Bit(std::strerror(error));
}

QString TooLarge() {
  return QStringLiteral("File too large: the editor holds scripts of up to %1 GB")
      .arg((kLargestScript + 1) >> 30);
}

// Why FileName cannot be read as a script before opening it: folders and devices would
// give nothing or never end, and a file too large could not be addressed.
QString RefusalBeforeReading(const QString& fileName) {
  const QFileInfo info(fileName);
  if (!info.exists()) return {};
  if (info.isDir()) return QStringLiteral("Is a directory");
  if (!info.isFile()) return QStringLiteral("Not a regular file (a device, a pipe or a socket)");
  if (info.size() > kLargestScript) return TooLarge();
  return {};
}

}  // namespace

namespace {

// Loads FileName through Load (the line store's own loading), with the digest of every
// byte read on a second thread.
template <class TLoad>
TScriptContent LoadScriptWith(const QString& fileName, TLoad&& load) {
  if (const QString refusal = RefusalBeforeReading(fileName); !refusal.isEmpty()) {
    CannotOpen(fileName, refusal);
  }
  TFileByteSource file(QFile::encodeName(fileName).toStdString());
  if (file.Error() != 0) CannotOpen(fileName, QString::fromLocal8Bit(std::strerror(file.Error())));
  TBackgroundDigest digest;
  TLoadOptions options;
  options.MaxBytes = kLargestScript;
  // The first line end: 0 while none was read, else LF or CR.
  char firstEnd = 0;
  options.OnBytes = [&](std::string_view bytes) {
    digest.Add(bytes);
    if (firstEnd == 0) {
      const size_t at = bytes.find_first_of("\r\n");
      if (at != std::string_view::npos) firstEnd = bytes[at];
    }
  };
  options.OnRewind = [&] {
    digest.Reset();
    firstEnd = 0;
  };
  const TLoadedText loaded = load(file, std::move(options));
  if (loaded.Stop == TLoadedText::TStop::TooLarge) CannotOpen(fileName, TooLarge());
  if (loaded.Stop == TLoadedText::TStop::ReadFailed) {
    CannotOpen(fileName, QString::fromLocal8Bit(std::strerror(file.Error())));
  }
  const std::string sum = digest.Result();
  return {QByteArray(sum.data(), static_cast<qsizetype>(sum.size())), loaded.Decoded,
          loaded.CutAtNul, firstEnd == '\n'};
}

}  // namespace

TScriptContent LoadScript(const QString& fileName, TEditorStrings& lines) {
  return LoadScriptWith(fileName, [&](TByteSource& source, TLoadOptions options) {
    return lines.LoadFrom(source, std::move(options));
  });
}

TScriptContent LoadScript(const QString& fileName, LineList& lines) {
  return LoadScriptWith(fileName, [&](TByteSource& source, TLoadOptions options) {
    options.TabRun = Blanks(NextTabStopIn(kScriptTabStops, 0));
    return LoadText(lines, source, options);
  });
}

void SaveScript(const TEditorStrings& lines, const QString& fileName, TTextEncoding encoding,
                QCryptographicHash& digest, TCodePage page, std::string_view lineEnd) {
  QSaveFile file(fileName);
  const auto cannotCreate = [&] { Fail("Cannot create file ", fileName, Reason(file, errno)); };
  errno = 0;
  if (!file.open(QIODevice::WriteOnly)) cannotCreate();
  // A short write (a full disk, a size limit) is not always remembered as an error by
  // the file, so every write and the final flush are checked; leaving without commit()
  // discards the new file.
  const auto put = [&](std::string_view bytes) {
    const auto length = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), length) != length) cannotCreate();
    digest.addData(QByteArrayView(bytes.data(), length));
  };
  if (encoding == TTextEncoding::Utf8Bom) put(textcodec::kUtf8Bom);
  std::string encoded;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string_view line = lines.View(i);
    if (encoding == TTextEncoding::Windows1252) {
      put(line);
    } else {
      encoded.clear();
      if (codepage::AppendUtf8(encoded, line, page) > 0) {
        Fail("Cannot create file ", fileName,
             QStringLiteral("Line %1 holds bytes that are no character of %2, and UTF-8 cannot "
                            "write them; save the document as %2 instead")
                 .arg(i + 1)
                 .arg(QString::fromLatin1(codepage::Name(page))));
      }
      put(encoded);
    }
    put(lineEnd);
  }
  if (!file.flush() || !file.commit()) cannotCreate();
}
