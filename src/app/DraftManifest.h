#pragma once
// A recovery draft on disk: one file per document, its first line the manifest as compact
// JSON (the document's file and what that file was on disk, caret, top line, bookmarks,
// when the text last changed, its size in lines), then the text with CR LF after every
// line, as saving would write it. One file, so that replacing it is one atomic step.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <string>

#include "app/DocumentFile.h"
#include "app/ViewState.h"
#include "editor/LineList.h"

struct TDraftManifest {
  QString FileName;  // empty for an untitled document
  TDocumentFile::TIdentity Disk;
  TViewState View;
  QDateTime Changed;
  int LineCount = 0;

  QByteArray ToJson() const;
  static std::optional<TDraftManifest> FromJson(const QByteArray& json);
};

// The manifest of the draft at Path; none when it is missing or unreadable.
std::optional<TDraftManifest> ReadDraftManifest(const QString& path);
// The text of the draft at Path; none when it is missing or unreadable.
std::optional<std::string> ReadDraftText(const QString& path);
// Replaces the draft at Path (temporary file, flushed to disk, renamed over it). Runs on
// the drafts' worker thread; false with the reason in Error when it failed.
bool WriteDraftFile(const QString& path, const QByteArray& manifest, const LineSnapshot& lines,
                    QString& error);
