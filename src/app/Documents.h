#pragma once
// The open documents: New, Open, Save and Save As, the reload of a file changed on disk,
// the restoring of recovery drafts, and the read-only policy for files that hold what a
// document cannot show. Owns the file watcher and the recovery drafts; the document
// windows live in the frame's multi-document area. It asks the user through the dialogs
// handed to it and tells the frame what happened through its signals.
// The implementation is split by concern:
//   Documents.cpp          the windows, New, Open, Save, reload and the read-only policy
//   DocumentsRecovery.cpp  recovery drafts, the offer at start, the end of a session
//   DocumentsSession.cpp   the documents of a session, remembered and reopened
//   DocumentsReopen.cpp    a file read again in a code page the user chose
#include <QList>
#include <QObject>
#include <QString>

#include "util/CodePage.h"

class QMdiArea;
class QWidget;
class TChildForm;
class TFileWatcher;
class TRecoveryDrafts;
struct TAppDialogs;
struct TOrphanDraft;
struct TSession;

class TDocuments : public QObject {
  Q_OBJECT
 public:
  // Document windows in Area; Dialogs asks the user. Both must outlive the documents.
  TDocuments(QMdiArea& area, const TAppDialogs& dialogs, QObject* parent = nullptr);
  ~TDocuments() override;

  // ---- [Documents.cpp] ----
  // The document windows, the active one first (the order of the close queries).
  QList<TChildForm*> MDIChildren() const;
  // The document windows in the order they were opened.
  QList<TChildForm*> InOpeningOrder() const;
  int MDIChildCount() const;
  TChildForm* ActiveMDIChild() const;

  // A new, untitled, empty document window; it becomes the active one.
  TChildForm* NewDocument();
  // A new document window holding FileName (a failure to read it is reported, and the
  // window stays, titled with the name and empty).
  TChildForm* OpenFile(const QString& fileName);
  // Writes Window's document to its file, or asks for a name when it has none.
  // Failures are reported; the document then stays modified.
  void SaveDocument(TChildForm* window);
  // Asks for a file name and saves Window's document under it.
  void SaveDocumentAs(TChildForm* window);
  // Writes Window's document to FileName, which becomes its name.
  void SaveAs(TChildForm* window, const QString& fileName);
  // Window's document takes its file's content again, with the checks of Open; caret,
  // top line and bookmarks stay where they still fit, the history starts afresh.
  void Reload(TChildForm* window);
  // File > Encoding > Reopen with: reads the window's file again as bytes of Page (asking
  // first when the document has unsaved changes); DocumentsReopen.cpp.
  void ReopenWith(TChildForm* window, TCodePage page);
  // Whether every window may close: each asks "Save changes?" when it has changes; the
  // first refusal stops the asking.
  bool CloseQueryAll();

  // ---- [DocumentsRecovery.cpp] ----
  TRecoveryDrafts& Drafts() const { return *FDrafts; }
  TFileWatcher& Watcher() const { return *FWatcher; }
  // At program start: offers the drafts of copies that ended without saving.
  void OfferRecovery();
  // A document window holding Draft's text, modified, under its file's name.
  TChildForm* RestoreDraft(const TOrphanDraft& draft);
  // A clean exit: the drafts of this copy go.
  void EndSession();
  // An end that asks nothing (a signal, a logout): the drafts of unsaved changes are
  // written for the next start to offer; with none, the session ends as a clean exit.
  void KeepUnsavedForNextStart();

  // ---- [DocumentsSession.cpp] ----
  // The titled documents with their views and window placements, and the active one.
  TSession Session() const;
  // Opens Session's documents again, the active one in front; the files that no longer
  // exist are skipped and returned.
  QStringList Reopen(const TSession& session);

 signals:
  // Window was made, before it is shown: it takes the frame's view settings.
  void DocumentCreated(TChildForm* window);
  // Open started with FileName (also when the file then cannot be read).
  void FileOpened(const QString& fileName);
  // FileName was read or written.
  void FileUsed(const QString& fileName);
  // Window's document took the new content of its file.
  void Reloaded(TChildForm* window);
  // A note for the status bar.
  void Message(const QString& text);

 private:
  // The window the dialogs and failure reports belong to.
  QWidget* Frame() const;
  // After Open and a reload: says what the document does not show of its file, and keeps
  // the document read-only while it holds characters it shows as '?'.
  void CheckLoaded(TChildForm* window);
  // Writes Window's document to FileName unless that would destroy what the user has not
  // seen and the user does not confirm it; false when nothing was written.
  bool WriteDocument(TChildForm* window, const QString& fileName);
  // After a save: its draft goes, and the watcher takes what is on disk now as the
  // document's own.
  void DocumentSaved(TChildForm* window);
  // DocumentsRecovery.cpp
  void CreateRecovery();

  QMdiArea& FArea;
  const TAppDialogs& FDialogs;
  TRecoveryDrafts* FDrafts = nullptr;
  TFileWatcher* FWatcher = nullptr;
};
