#include "app/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

// One spelling per file, so that the same file is listed once.
QString Normalized(const QString& fileName) {
  return QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
}

}  // namespace

QString NumberedCaption(int number, QString text) {
  text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  const QString prefix = number <= 9 ? QStringLiteral("&%1 ") : QStringLiteral("%1 ");
  return prefix.arg(number) + text;
}

void TRecentFiles::SetFiles(const QStringList& files) {
  FFiles.clear();
  for (const QString& file : files) {
    if (file.isEmpty()) continue;
    const QString name = Normalized(file);
    if (!FFiles.contains(name) && FFiles.size() < kLimit) FFiles.append(name);
  }
}

void TRecentFiles::Add(const QString& fileName) {
  const QString name = Normalized(fileName);
  FFiles.removeAll(name);
  FFiles.prepend(name);
  while (FFiles.size() > kLimit) FFiles.removeLast();
}

void TRecentFiles::Remove(const QString& fileName) {
  FFiles.removeAll(Normalized(fileName));
}

void TRecentFiles::ShowIn(QMenu* menu, QAction* before,
                          const std::function<void(const QString&)>& choose) {
  qDeleteAll(FEntries);
  FEntries.clear();
  for (int i = 0; i < FFiles.size(); ++i) {
    const QString file = FFiles[i];
    auto* entry = new QAction(NumberedCaption(i + 1, file), menu);
    entry->setStatusTip(QStringLiteral("Opens %1").arg(file));
    QObject::connect(entry, &QAction::triggered, menu, [choose, file] { choose(file); });
    FEntries.append(entry);
  }
  if (FEntries.isEmpty()) return;
  auto* separator = new QAction(menu);
  separator->setSeparator(true);
  FEntries.append(separator);
  menu->insertActions(before, FEntries);
}
