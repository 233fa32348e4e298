#pragma once
// Edit > Preferences...: the user's preferences in one dialog with OK, Cancel and Apply.
// OK and Apply hand the chosen preferences on through Applied; Cancel changes nothing.
#include <QDialog>

#include "app/Preferences.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

class TPreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TPreferencesDialog(const TPreferences& current, QWidget* parent = nullptr);

  // What the dialog shows now.
  TPreferences Chosen() const;

  QComboBox* FontBox = nullptr;
  QSpinBox* SizeBox = nullptr;
  QLineEdit* TabStopsEdit = nullptr;
  QComboBox* ColourBox = nullptr;
  QComboBox* KeysBox = nullptr;
  QCheckBox* ReopenBox = nullptr;
  QCheckBox* TabbedBox = nullptr;
  QComboBox* LineEndsBox = nullptr;
  QCheckBox* WrapBox = nullptr;
  QDialogButtonBox* Buttons = nullptr;

 signals:
  void Applied(const TPreferences& preferences);

 private:
  void Show(const TPreferences& p);
  // OK and Apply only while the tab stops are valid.
  void UpdateButtons();
};
