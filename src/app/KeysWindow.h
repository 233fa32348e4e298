#pragma once
// Help > Keyboard Shortcuts: every key and chord of the editor and the windows, as
// docs/keys.md lists them, made from the key map when the window opens.
#include <QDialog>

class QTextBrowser;
enum class TKeyScheme;

class TKeysWindow : public QDialog {
  Q_OBJECT
 public:
  // Says which of the key schemes is in use above the lists.
  explicit TKeysWindow(TKeyScheme scheme, QWidget* parent = nullptr);

  QTextBrowser* Text = nullptr;
};
