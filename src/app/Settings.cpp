#include "app/Settings.h"

#include <QSettings>
#include <algorithm>

namespace {

constexpr int kCoordinateLimit = 1 << 24;

QSettings OpenStore() {
  return QSettings(QSettings::UserScope, QStringLiteral("MarvekWorld"),
                   QStringLiteral("MarvekEdit"));
}

[[noreturn]] void InvalidType(const char* name) {
  throw ESettingsError(std::string("Invalid data type for '") + name + "'");
}

// Reads Name into Value when it is stored.
void ReadString(const QSettings& store, const char* name, QString& value) {
  const QVariant v = store.value(QLatin1String(name));
  if (!v.isValid()) return;
  if (v.typeId() != QMetaType::QString) InvalidType(name);
  value = v.toString();
}

void ReadInteger(const QSettings& store, const char* name, int& value) {
  const QVariant v = store.value(QLatin1String(name));
  if (!v.isValid()) return;
  bool ok = false;
  const int n = v.toInt(&ok);
  if (!ok) InvalidType(name);
  // No screen is this large; the bound keeps the rectangle arithmetic from overflowing,
  // and the main window moves such values onto a screen anyway.
  value = std::clamp(n, -kCoordinateLimit, kCoordinateLimit);
}

void ReadStringList(const QSettings& store, const char* name, QStringList& value) {
  const QVariant v = store.value(QLatin1String(name));
  if (!v.isValid()) return;
  // A list of one is stored as a plain string.
  if (v.typeId() != QMetaType::QStringList && v.typeId() != QMetaType::QString) InvalidType(name);
  value = v.toStringList();
}

void ReadBoolean(const QSettings& store, const char* name, bool& value) {
  int n = value ? 1 : 0;
  ReadInteger(store, name, n);
  value = n != 0;
}

}  // namespace

void LoadSettings(TAppSettings& settings) {
  const QSettings store = OpenStore();
  ReadString(store, "filepath", settings.FilePath);
  QRect& r = settings.Bounds;
  int left = r.left(), top = r.top(), height = r.height(), width = r.width();
  // Each value takes effect as soon as it is read, so a failure keeps the earlier ones.
  ReadInteger(store, "formx", left);
  r.moveLeft(left);
  ReadInteger(store, "formy", top);
  r.moveTop(top);
  ReadInteger(store, "formheight", height);
  r.setHeight(height);
  ReadInteger(store, "formwidth", width);
  r.setWidth(width);
  ReadStringList(store, "recentfiles", settings.RecentFiles);
  ReadBoolean(store, "linenumbers", settings.LineNumbers);
  ReadInteger(store, "fontheight", settings.FontHeight);
  ReadBoolean(store, "suggestwords", settings.SuggestWords);
}

bool SaveSettings(const TAppSettings& settings) {
  QSettings store = OpenStore();
  store.setValue(QStringLiteral("filepath"), settings.FilePath);
  store.setValue(QStringLiteral("formx"), settings.Bounds.left());
  store.setValue(QStringLiteral("formy"), settings.Bounds.top());
  store.setValue(QStringLiteral("formwidth"), settings.Bounds.width());
  store.setValue(QStringLiteral("formheight"), settings.Bounds.height());
  store.setValue(QStringLiteral("recentfiles"), settings.RecentFiles);
  store.setValue(QStringLiteral("linenumbers"), settings.LineNumbers ? 1 : 0);
  store.setValue(QStringLiteral("fontheight"), settings.FontHeight);
  store.setValue(QStringLiteral("suggestwords"), settings.SuggestWords ? 1 : 0);
  store.sync();
  return store.status() == QSettings::NoError;
}
