#include "app/Preferences.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

namespace {

const char* const kFontFamily = "fontfamily";
const char* const kTabStops = "tabstops";
const char* const kColourScheme = "colourscheme";
const char* const kKeyScheme = "keyscheme";
const char* const kReopenLastSession = "reopenlastsession";
const char* const kTabbedDocuments = "tabbeddocuments";
const char* const kLineEnds = "lineends";
const char* const kWrapSearches = "wrapsearches";

const QString kCrLf = QStringLiteral("crlf");
const QString kAsTheFile = QStringLiteral("asthefile");

// A stored "true" or "false" (as the store writes booleans); anything else is broken.
bool ReadFlag(const QSettings& store, const char* name, bool fallback) {
  const QString text = store.value(name).toString();
  if (text == QLatin1String("true")) return true;
  if (text == QLatin1String("false")) return false;
  return fallback;
}

// The one of Names that is stored, by its index; a missing or unknown name gives Fallback.
template <typename T>
T ReadChoice(const QSettings& store, const char* name, T fallback, const QStringList& names) {
  const qsizetype index = names.indexOf(store.value(name).toString());
  return index < 0 ? fallback : static_cast<T>(index);
}

}  // namespace

QString ColourSchemeName(TColourScheme scheme) {
  return scheme == TColourScheme::Dark ? QStringLiteral("Dark") : QStringLiteral("Classic");
}

QString KeySchemeName(TKeyScheme scheme) {
  return scheme == TKeyScheme::Desktop ? QStringLiteral("Desktop") : QStringLiteral("Classic");
}

bool ValidTabStops(const QString& text) {
  const QStringList stops = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (stops.isEmpty()) return false;
  int previous = 0;
  for (const QString& stop : stops) {
    bool number = false;
    const int column = stop.toInt(&number);
    if (!number || column <= previous || column > 1024) return false;
    previous = column;
  }
  return true;
}

QValidator::State TTabStopsValidator::validate(QString& input, int&) const {
  static const QRegularExpression kTyped(QStringLiteral("^[0-9 ]*$"));
  if (!kTyped.match(input).hasMatch()) return Invalid;
  return ValidTabStops(input) ? Acceptable : Intermediate;
}

TPreferences ReadPreferences(const QSettings& store) {
  TPreferences p;
  const QString family = store.value(kFontFamily).toString().trimmed();
  if (!family.isEmpty()) p.FontFamily = family;
  const QString stops = store.value(kTabStops).toString();
  if (ValidTabStops(stops)) p.TabStops = stops.simplified();
  p.ColourScheme =
      ReadChoice(store, kColourScheme, p.ColourScheme,
                 {ColourSchemeName(TColourScheme::Classic), ColourSchemeName(TColourScheme::Dark)});
  p.KeyScheme =
      ReadChoice(store, kKeyScheme, p.KeyScheme,
                 {KeySchemeName(TKeyScheme::Classic), KeySchemeName(TKeyScheme::Desktop)});
  p.ReopenLastSession = ReadFlag(store, kReopenLastSession, p.ReopenLastSession);
  p.TabbedDocuments = ReadFlag(store, kTabbedDocuments, p.TabbedDocuments);
  p.LineEnds = ReadChoice(store, kLineEnds, p.LineEnds, {kCrLf, kAsTheFile});
  p.WrapSearches = ReadFlag(store, kWrapSearches, p.WrapSearches);
  return p;
}

void WritePreferences(QSettings& store, const TPreferences& p) {
  store.setValue(kFontFamily, p.FontFamily);
  store.setValue(kTabStops, p.TabStops);
  store.setValue(kColourScheme, ColourSchemeName(p.ColourScheme));
  store.setValue(kKeyScheme, KeySchemeName(p.KeyScheme));
  store.setValue(kReopenLastSession, p.ReopenLastSession);
  store.setValue(kTabbedDocuments, p.TabbedDocuments);
  store.setValue(kLineEnds, p.LineEnds == TLineEnds::CrLf ? kCrLf : kAsTheFile);
  store.setValue(kWrapSearches, p.WrapSearches);
}
