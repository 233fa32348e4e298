// The rooms below the main window on their own: the view state, the file watcher and the
// recovery drafts with bare document windows, and the documents in a bare document area.
#include <QDirIterator>
#include <QMdiArea>
#include <memory>

#include "app/Documents.h"
#include "app/DraftManifest.h"
#include "app/FileWatcher.h"
#include "app/RecoveryDrafts.h"
#include "app/ViewState.h"
#include "app_fixture.h"
#include "support/EditorFixture.h"

namespace {

class RoomTest : public AppTest {
 protected:
  // A document window of its own, holding the file at Path as Open would load it.
  TChildForm* Window(const QString& path) {
    auto& window = FWindows.emplace_back(std::make_unique<TChildForm>(FDialogs, nullptr));
    if (!path.isEmpty()) window->DiskFile().Load(window->Editor1().Lines(), path);
    return window.get();
  }
  QList<TChildForm*> Windows() const {
    QList<TChildForm*> windows;
    for (const auto& window : FWindows) windows.append(window.get());
    return windows;
  }
  QStringList DraftFiles(const QString& folder) const {
    QStringList files;
    QDirIterator it(folder, {"*.draft"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files.append(it.next());
    return files;
  }

  TAppDialogs FDialogs = Dialogs.Make();
  std::vector<std::unique_ptr<TChildForm>> FWindows;
};

}  // namespace

TEST(ViewState, CarriesCaretTopLineAndBookmarksAcrossANewTextAsFarAsTheyFit) {
  EditorHarness<TRAHLEditor> h;
  h.SetText("0\r\n1\r\n2\r\n3 long line\r\n4\r\n5\r\n");
  h.editor->SetCaret(6, 3);
  h.editor->Bookmarks()[1] = {2, 1, true};
  h.editor->Bookmarks()[7] = {0, 4, true};
  h.editor->SetLeftTop(0, 2);
  const TViewState view = TViewState::Capture(*h.editor);
  EXPECT_EQ(std::tuple(view.CaretX, view.CaretY, view.TopRow), std::tuple(6, 3, 2));

  // The same text takes the view back whole.
  EditorHarness<TRAHLEditor> same;
  same.SetText(h.Text());
  view.ApplyTo(*same.editor);
  EXPECT_EQ(std::pair(same.editor->CaretX(), same.editor->CaretY()), std::pair(6, 3));
  EXPECT_EQ(same.editor->TopRow(), 2);
  EXPECT_TRUE(same.editor->Bookmarks()[7].Valid);

  // A shorter text: bookmarks beyond it go, the top line stays inside.
  h.SetText("a\r\nb\r\n");
  view.ApplyTo(*h.editor);
  EXPECT_TRUE(h.editor->Bookmarks()[1].Valid);
  EXPECT_FALSE(h.editor->Bookmarks()[7].Valid);
  EXPECT_LE(h.editor->TopRow(), 1);
  // A draft's manifest keeps the view as it was.
  TDraftManifest manifest;
  manifest.View = view;
  const auto back = TDraftManifest::FromJson(manifest.ToJson());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(std::tuple(back->View.CaretX, back->View.CaretY, back->View.TopRow),
            std::tuple(6, 3, 2));
  EXPECT_TRUE(back->View.Bookmarks[7].Valid && back->View.Bookmarks[7].Y == 4);
  EXPECT_FALSE(back->View.Bookmarks[0].Valid);
}

TEST_F(RoomTest, TheWatcherAsksForReloadsAndReportsGoneFilesWithoutAMainWindow) {
  const QString path = PathOf("w.csm");
  WriteFile(path, "one\r\n");
  TChildForm* window = Window(path);
  TFileWatcher watcher([this] { return Windows(); }, FDialogs);
  QList<TChildForm*> reloads;
  int gone = 0;
  QStringList messages;
  QObject::connect(&watcher, &TFileWatcher::ReloadWanted,
                   [&](TChildForm* w) { reloads.append(w); });
  QObject::connect(&watcher, &TFileWatcher::FileGone, [&] { ++gone; });
  QObject::connect(&watcher, &TFileWatcher::Message,
                   [&](const QString& text) { messages.append(text); });
  watcher.Track(window);
  watcher.CheckAll();
  EXPECT_EQ(reloads.count(), 0);

  // Changed on disk, unchanged here: the watcher asks the documents to reload, and does
  // not touch the text itself.
  WriteFile(path, "two lines\r\nhere\r\n");
  watcher.Check(window);
  ASSERT_EQ(reloads.count(), 1);
  EXPECT_EQ(reloads.first(), window);
  EXPECT_EQ(window->Editor1().Lines().GetTextStr(), "one\r\n");

  // Changed here as well: one question, and a reload only when the user agrees.
  window->Editor1().SetModified(true);
  Dialogs.ReloadAnswer = true;
  WriteFile(path, "three\r\n");
  watcher.Check(window);
  watcher.Check(window);
  EXPECT_EQ(Dialogs.ReloadQuestions.size(), 1);
  EXPECT_EQ(reloads.count(), 2);

  // Gone: the document turns modified (closing then asks to save it), said once.
  window->Editor1().SetModified(false);
  QFile::remove(path);
  watcher.Check(window);
  watcher.Check(window);
  EXPECT_EQ(gone, 1);
  EXPECT_TRUE(window->Editor1().Modified());
  ASSERT_EQ(messages.count(), 1);
  EXPECT_TRUE(messages.first().contains("deleted"));
}

TEST_F(RoomTest, DraftsAreWrittenRemovedAndOfferedBackWithoutAMainWindow) {
  const QString folder = PathOf("recovery");
  const QString path = PathOf("d.csm");
  WriteFile(path, "saved\r\n");
  TChildForm* named = Window(path);
  TChildForm* untouched = Window({});
  TRAHLEditor& editor = named->Editor1();
  editor.Command('x');
  editor.Bookmarks()[4] = {0, 0, true};
  const TViewState view = TViewState::Capture(editor);
  {
    TRecoveryDrafts drafts([this] { return Windows(); }, folder);
    QStringList failures;
    QObject::connect(&drafts, &TRecoveryDrafts::WriteFailed,
                     [&](const QString& message) { failures.append(message); });
    drafts.WriteAll();
    drafts.Flush();
    // Only the modified window has a draft; another copy running beside it claims none.
    ASSERT_EQ(DraftFiles(folder).size(), 1);
    TRecoveryDrafts beside([] { return QList<TChildForm*>(); }, folder);
    EXPECT_TRUE(beside.ClaimOrphans().isEmpty());
    beside.ReleaseClaimed();
    // Removed (saved or discarded) and written again.
    drafts.Remove(named);
    drafts.Flush();
    EXPECT_TRUE(DraftFiles(folder).isEmpty());
    drafts.Write(named);
    drafts.Flush();
    EXPECT_TRUE(failures.isEmpty());
    (void)untouched;
    // Going without EndSession, as a crash would, leaves the draft for the next copy.
  }
  TRecoveryDrafts next([] { return QList<TChildForm*>(); }, folder);
  const QList<TOrphanDraft> orphans = next.ClaimOrphans();
  ASSERT_EQ(orphans.size(), 1);
  const TDraftManifest& m = orphans.first().Manifest;
  EXPECT_EQ(m.FileName, path);
  EXPECT_EQ(m.Disk.FileName, path);
  EXPECT_EQ(std::pair(m.View.CaretX, m.View.CaretY), std::pair(view.CaretX, view.CaretY));
  EXPECT_TRUE(m.View.Bookmarks[4].Valid);
  EXPECT_EQ(ReadDraftText(orphans.first().Path), std::optional<std::string>("xsaved\r\n"));
  next.DiscardClaimed();
  EXPECT_TRUE(DraftFiles(folder).isEmpty());
}

TEST_F(RoomTest, DocumentsOpenSaveAndReloadInABareDocumentArea) {
  QMdiArea area;
  area.resize(800, 600);
  area.show();
  TDocuments documents(area, FDialogs);
  QStringList used;
  QObject::connect(&documents, &TDocuments::FileUsed,
                   [&](const QString& fileName) { used.append(fileName); });
  const QString path = PathOf("bare.csm");
  WriteFile(path, "one\r\n");
  TChildForm* child = documents.OpenFile(path);
  EXPECT_EQ(documents.ActiveMDIChild(), child);
  EXPECT_EQ(child->windowTitle(), path);
  EXPECT_EQ(used.count(), 1);
  child->Editor1().Command('z');
  documents.SaveDocument(child);
  EXPECT_EQ(ReadFile(path), QByteArray("zone\r\n"));
  EXPECT_EQ(used.count(), 2);

  // A reload applies the checks of Open: a NUL byte in the new content is said.
  int reloaded = 0;
  QObject::connect(&documents, &TDocuments::Reloaded, [&] { ++reloaded; });
  WriteFile(path, QByteArray("new\r\nbefore", 11) + '\0' + "after");
  documents.Watcher().Check(child);
  ASSERT_EQ(reloaded, 1);
  EXPECT_EQ(child->Editor1().Lines().GetTextStr(), "new\r\nbefore\r\n");
  ASSERT_EQ(Dialogs.Warnings.size(), 1);
  EXPECT_TRUE(Dialogs.Warnings.first().contains("NUL"));
  documents.EndSession();
}
