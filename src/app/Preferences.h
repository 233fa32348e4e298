#pragma once
// The user's preferences: the editor font, tab stops, colour and key schemes, whether the
// last session reopens at start, tabbed documents, the line ends a save writes and whether
// searches wrap around. Kept in the settings store beside the other settings; a value that
// is missing or broken reads as its default, so a hand-edited file never stops the start.
#include <QString>
#include <QValidator>

#include "app/ShortcutTable.h"
#include "app/Zoom.h"

class QSettings;

enum class TColourScheme { Classic, Dark };
enum class TLineEnds { CrLf, AsTheFileHasThem };

struct TPreferences {
  QString FontFamily = QStringLiteral("Courier New");
  // The editor font's height in pixels: the zoom's value, which the zoom keeps in the
  // settings itself (Read and Write leave it alone).
  int FontHeight = kDesignFontHeight;
  QString TabStops = QStringLiteral("3 5");
  TColourScheme ColourScheme = TColourScheme::Classic;
  TKeyScheme KeyScheme = TKeyScheme::Classic;
  bool ReopenLastSession = false;
  bool TabbedDocuments = false;
  TLineEnds LineEnds = TLineEnds::CrLf;
  bool WrapSearches = false;  // the Find dialogs start with Wrap around off

  bool operator==(const TPreferences&) const = default;
};

// Reads the preferences from Store; each missing or broken value gives its default.
TPreferences ReadPreferences(const QSettings& store);
void WritePreferences(QSettings& store, const TPreferences& preferences);

// Whether Text is a list of tab stops in the "3 5" form: columns from 1, each further
// right than the one before, separated by blanks.
bool ValidTabStops(const QString& text);

// Checks tab stops as they are typed: digits and blanks only; acceptable once the list
// is valid.
class TTabStopsValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;
};

// The names the settings file and the dialog use.
QString ColourSchemeName(TColourScheme scheme);
QString KeySchemeName(TKeyScheme scheme);
