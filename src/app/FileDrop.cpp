#include "app/FileDrop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QStringList DroppedFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QFileInfo info(url.toLocalFile());
    if (info.isFile()) files.append(info.absoluteFilePath());
  }
  return files;
}
