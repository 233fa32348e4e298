// Files dropped on the main window open as Open does; anything else is ignored.
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/FileDrop.h"
#include "app_fixture.h"
#include "qt/EditorWidget.h"

namespace {

// Offers Data to Target as a drag that enters and is then dropped, the way the window
// system delivers it; answers whether the drag was accepted.
bool DragAndDrop(QWidget& target, const QMimeData& data) {
  const QPointF at(target.width() / 2.0, target.height() / 2.0);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &drop);
  return drop.isAccepted();
}

QMimeData* Urls(const QList<QUrl>& urls) {
  auto* data = new QMimeData;
  data->setUrls(urls);
  return data;
}

}  // namespace

TEST_F(AppTest, DroppedThingsOpenWhenTheyAreFiles) {
  WriteFile(PathOf("a.csm"), "first\r\n");
  WriteFile(PathOf("b.txt"), "second\r\n");
  QDir(Dir.path()).mkdir("folder");
  const auto file = [&](const char* name) { return QUrl::fromLocalFile(PathOf(name)); };
  struct Case {
    const char* Name;
    QMimeData* Data;
    QStringList Opened;  // file names, in the order of their windows' creation
  };
  auto* text = new QMimeData;
  text->setText(PathOf("a.csm"));
  const Case cases[] = {
      {"one script", Urls({file("a.csm")}), {"a.csm"}},
      {"two files, any extension", Urls({file("b.txt"), file("a.csm")}), {"b.txt", "a.csm"}},
      {"the same file twice", Urls({file("a.csm"), file("a.csm")}), {"a.csm", "a.csm"}},
      {"files among other things",
       Urls({QUrl("https://example.invalid/c.csm"), file("folder"), file("a.csm")}),
       {"a.csm"}},
      {"a folder", Urls({file("folder")}), {}},
      {"a missing file", Urls({file("gone.csm")}), {}},
      {"an address", Urls({QUrl("https://example.invalid/c.csm")}), {}},
      {"text", text, {}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<QMimeData> data(c.Data);
    TForm1& form = MakeForm();
    EXPECT_EQ(DragAndDrop(form, *data), !c.Opened.isEmpty()) << c.Name;
    QStringList opened;
    const QList<TChildForm*> children = form.Documents().MDIChildren();  // the active one first
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
      opened.append(QFileInfo((*it)->FileName()).fileName());
      EXPECT_EQ((*it)->windowTitle(), (*it)->FileName()) << c.Name;
    }
    EXPECT_EQ(opened, c.Opened) << c.Name;
    if (!c.Opened.isEmpty()) {
      EXPECT_EQ(form.FilePath(), Dir.path()) << c.Name;
      EXPECT_EQ(form.Documents().ActiveMDIChild()->FileName(), PathOf(c.Opened.last())) << c.Name;
    } else {
      EXPECT_EQ(form.FilePath(), QString()) << c.Name;
    }
    EXPECT_TRUE(Dialogs.Errors.isEmpty()) << c.Name;
  }
}

TEST_F(AppTest, AFileDroppedOnADocumentOpensInANewWindow) {
  WriteFile(PathOf("a.csm"), "first\r\nsecond\r\n");
  TForm1& form = MakeForm();
  TChildForm* untitled = form.Documents().NewDocument();
  std::unique_ptr<QMimeData> data(Urls({QUrl::fromLocalFile(PathOf("a.csm"))}));
  EXPECT_TRUE(DragAndDrop(*untitled->EditorView().viewport(), *data));
  ASSERT_EQ(form.Documents().MDIChildCount(), 2);
  TChildForm* opened = form.Documents().ActiveMDIChild();
  EXPECT_NE(opened, untitled);
  EXPECT_EQ(opened->FileName(), PathOf("a.csm"));
  EXPECT_EQ(opened->Editor1().Lines().Count(), 2);
  EXPECT_FALSE(opened->Editor1().Modified());
  EXPECT_EQ(untitled->Editor1().Lines().Count(), 0);
}

TEST(DroppedFiles, NothingWithoutData) {
  EXPECT_TRUE(DroppedFiles(nullptr).isEmpty());
}
