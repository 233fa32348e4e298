#include "app/Session.h"

#include <QSettings>
#include <algorithm>

namespace {

const QString kGroup = QStringLiteral("session");
const QString kDocuments = QStringLiteral("documents");

int ReadNumber(const QSettings& store, const QString& name) {
  return store.value(name).toString().toInt();
}

// Bookmarks as "number:x:y" items, the valid ones only.
QStringList BookmarkItems(const std::array<TBookmark, 10>& bookmarks) {
  QStringList items;
  for (int i = 0; i < static_cast<int>(bookmarks.size()); ++i) {
    const TBookmark& mark = bookmarks[static_cast<size_t>(i)];
    if (mark.Valid) items.append(QStringLiteral("%1:%2:%3").arg(i).arg(mark.X).arg(mark.Y));
  }
  return items;
}

std::array<TBookmark, 10> BookmarksOf(const QStringList& items) {
  std::array<TBookmark, 10> bookmarks{};
  for (const QString& item : items) {
    const QStringList parts = item.split(QLatin1Char(':'));
    if (parts.size() != 3) continue;
    bool ok[3] = {};
    const int number = parts[0].toInt(&ok[0]);
    const int x = parts[1].toInt(&ok[1]);
    const int y = parts[2].toInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2] || number < 0 || number > 9 || x < 0 || y < 0) continue;
    bookmarks[static_cast<size_t>(number)] = TBookmark{x, y, true};
  }
  return bookmarks;
}

}  // namespace

TSession ReadSession(QSettings& store) {
  TSession session;
  store.beginGroup(kGroup);
  const int active = ReadNumber(store, QStringLiteral("active"));
  const int count = store.beginReadArray(kDocuments);
  for (int i = 0; i < count; ++i) {
    store.setArrayIndex(i);
    TSessionDocument d;
    d.Path = store.value(QStringLiteral("path")).toString();
    if (d.Path.isEmpty()) continue;
    d.CaretX = std::max(ReadNumber(store, QStringLiteral("caretx")), 0);
    d.CaretY = std::max(ReadNumber(store, QStringLiteral("carety")), 0);
    d.TopRow = std::max(ReadNumber(store, QStringLiteral("toprow")), 0);
    d.Bookmarks = BookmarksOf(store.value(QStringLiteral("bookmarks")).toStringList());
    d.Placement = store.value(QStringLiteral("placement")).toRect();
    d.Maximized = store.value(QStringLiteral("maximized")).toString() == QLatin1String("true");
    if (i == active) session.Active = static_cast<int>(session.Documents.size());
    session.Documents.append(d);
  }
  store.endArray();
  store.endGroup();
  return session;
}

void WriteSession(QSettings& store, const TSession& session) {
  store.remove(kGroup);
  store.beginGroup(kGroup);
  store.setValue(QStringLiteral("active"), session.Active);
  store.beginWriteArray(kDocuments, static_cast<int>(session.Documents.size()));
  for (int i = 0; i < session.Documents.size(); ++i) {
    const TSessionDocument& d = session.Documents[i];
    store.setArrayIndex(i);
    store.setValue(QStringLiteral("path"), d.Path);
    store.setValue(QStringLiteral("caretx"), d.CaretX);
    store.setValue(QStringLiteral("carety"), d.CaretY);
    store.setValue(QStringLiteral("toprow"), d.TopRow);
    store.setValue(QStringLiteral("bookmarks"), BookmarkItems(d.Bookmarks));
    store.setValue(QStringLiteral("placement"), d.Placement);
    store.setValue(QStringLiteral("maximized"), d.Maximized);
  }
  store.endArray();
  store.endGroup();
}

QString GoneFilesMessage(const QStringList& paths) {
  return QStringLiteral("These files of the last session no longer exist and were not opened:\n%1")
      .arg(paths.join(QLatin1Char('\n')));
}
