#pragma once
// A session: the documents that were open when the program last ended cleanly, each with
// its file, view (caret, top line, bookmarks) and window placement, and which one was
// active. File > Reopen Last Session opens them again, and so does the start when the
// preference asks for it. Untitled documents are no part of it: the recovery drafts keep
// those safe.
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>

#include "editor/EditorTypes.h"

class QSettings;

struct TSessionDocument {
  QString Path;
  int CaretX = 0;
  int CaretY = 0;
  int TopRow = 0;
  std::array<TBookmark, 10> Bookmarks{};
  // The document window's geometry in the document area, and whether it was maximized.
  QRect Placement;
  bool Maximized = false;
};

struct TSession {
  QList<TSessionDocument> Documents;
  int Active = -1;  // index into Documents, -1 for none
};

// The session kept in Store; entries without a file name are left out and a broken value
// reads as 0, so a damaged store gives a shorter session, never a failure.
TSession ReadSession(QSettings& store);
void WriteSession(QSettings& store, const TSession& session);

// "Reopen Last Session" could not open these files: one message for all of them.
QString GoneFilesMessage(const QStringList& paths);
