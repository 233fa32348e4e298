#pragma once
// Files dragged onto the main window: which of the dragged things can be opened.
#include <QStringList>

class QMimeData;

// The absolute paths of the existing local files (not folders) in Data, in their order;
// empty when it carries none, for example only text or remote addresses.
QStringList DroppedFiles(const QMimeData* data);
