#pragma once
// The settings that survive between runs: the folder of the last opened script and the
// main window's bounds, kept in the user's settings store of the application; beside
// them the recent files, the line numbers and the editor font's height (zoom).
#include <QRect>
#include <QString>
#include <QStringList>
#include <stdexcept>

#include "app/Zoom.h"

// A stored value of the wrong type: "Invalid data type for 'formx'".
class ESettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TAppSettings {
  QString FilePath;
  // Left, top, width and height of the main window.
  QRect Bounds{415, 157, 706, 698};
  // Most recent first.
  QStringList RecentFiles;
  bool LineNumbers = false;
  int FontHeight = kDesignFontHeight;
  // View > Suggest Script Words.
  bool SuggestWords = false;
};

// Reads "filepath", "formx", "formy", "formheight" and "formwidth" in that order into
// Settings, then "recentfiles", "linenumbers", "fontheight" and "suggestwords"; an absent value
// leaves the field as it is. A value of the wrong type throws ESettingsError; the values read
// before it are kept and the later ones are not read.
void LoadSettings(TAppSettings& settings);

// Writes the values. A store that cannot be written is ignored: the program must
// still be able to close. Returns whether the store accepted them.
bool SaveSettings(const TAppSettings& settings);
