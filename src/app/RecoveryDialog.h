#pragma once
// "Recover Unsaved Work": the dialog at program start that lists the drafts a crashed or
// killed copy of the program left behind and asks what to do with them.
#include <QDialog>
#include <QList>

#include "app/DraftManifest.h"

enum class TRecoveryChoice {
  Recover,  // open every draft in its own document window
  Discard,  // remove the drafts (the user confirmed it)
  Keep,     // the dialog was closed: offer them again at the next start
};

class TRecoveryDialog : public QDialog {
  Q_OBJECT
 public:
  TRecoveryDialog(const QList<TDraftManifest>& drafts, QWidget* parent = nullptr);
  TRecoveryChoice Choice() const { return FChoice; }

 private:
  void ConfirmDiscard();

  int FCount = 0;
  TRecoveryChoice FChoice = TRecoveryChoice::Keep;
};

// One row of the list: the file's name or "Unnamed file", when it last changed, its size.
QString DraftDescription(const TDraftManifest& draft);
// Shows the dialog modally.
TRecoveryChoice AskRecovery(QWidget* parent, const QList<TDraftManifest>& drafts);
