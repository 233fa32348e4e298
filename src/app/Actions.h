#pragma once
// The actions of the application's windows, made one way.
#include <QKeySequence>
#include <QString>

class QAction;
class QObject;

// An action captioned Caption with Shortcut. Hint is "short|long": the short part is the
// tool tip, the long part the status tip; a hint without a bar is both.
QAction* MakeAction(QObject* parent, const QString& caption, const QKeySequence& shortcut = {},
                    const char* hint = nullptr);
