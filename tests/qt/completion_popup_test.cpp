// The completion list on Qt: a top-level popup under the caret that leaves the keyboard
// focus with the editor; and the README's embedding example, which these tests use.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <memory>

#include "editor/CompletionList.h"
#include "qt/EditorWidget.h"
#include "qt/QtListBox.h"

EditorWidget* MakeCompletingEditor(QWidget* parent);

namespace {

struct CompletionPopupTest : ::testing::Test {
  void SetUp() override {
    window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    widget = MakeCompletingEditor(window.get());
    layout->addWidget(widget);
    window->resize(500, 400);
    window->show();
    window->activateWindow();
    QApplication::processEvents();
    widget->setFocus();
    QApplication::processEvents();
  }
  TRACustomEditor& editor() { return widget->Editor(); }
  // The list is a window of its own.
  QtListBox* popup() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* list = qobject_cast<QtListBox*>(w)) return list;
    return nullptr;
  }
  void Key(int key, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(widget, &press);
    QApplication::processEvents();
  }
  void Click(QWidget* target, QPoint at) {
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent ev(type, at, target->mapToGlobal(at), Qt::LeftButton,
                     type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                     Qt::NoModifier);
      QApplication::sendEvent(target, &ev);
    }
    QApplication::processEvents();
  }

  std::unique_ptr<QWidget> window;
  EditorWidget* widget = nullptr;
};

TEST_F(CompletionPopupTest, ThePopupSitsUnderTheCaretAndNeverTakesTheFocus) {
  editor().Lines().SetTextStr("  al\r\n");
  editor().SetCaret(4, 0);
  ASSERT_TRUE(widget->hasFocus());
  Key(Qt::Key_Space, Qt::ControlModifier, " ");
  QtListBox* list = popup();
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(list->isVisible());
  EXPECT_TRUE(list->isWindow());
  EXPECT_TRUE(list->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(list->focusPolicy(), Qt::NoFocus);
  EXPECT_TRUE(widget->hasFocus());
  EXPECT_EQ(QApplication::focusWidget(), widget);

  const TRect cell = editor().CellRect(4 - editor().LeftCol(), 1 - editor().TopRow());
  const QPoint corner = widget->viewport()->mapToGlobal(QPoint(cell.Left - 2, cell.Top - 1));
  EXPECT_EQ(list->geometry().topLeft(), corner);
  EXPECT_EQ(list->geometry().size(), QSize(300, 2 * 13 + 2));

  // Typing goes on in the editor while the list shows and narrows it.
  Key(Qt::Key_P, Qt::NoModifier, "p");
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->ItemIndex(), 0);
  Key(Qt::Key_Return, Qt::NoModifier, "\r");
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(editor().Lines()[0], "  Alpha");
}

TEST_F(CompletionPopupTest, AClickOnARowInsertsItAndTheEditorKeepsTheFocus) {
  editor().Lines().SetTextStr("x\r\n");
  editor().SetCaret(1, 0);
  Key(Qt::Key_Space, Qt::ControlModifier, " ");
  QtListBox* list = popup();
  ASSERT_TRUE(list && list->isVisible());
  list->repaint();  // rows drawn through the control's canvas
  Click(list, QPoint(20, 1 + 13 + 4));
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(editor().Lines()[0], "Beta");
  EXPECT_TRUE(widget->hasFocus());
}

TEST_F(CompletionPopupTest, TheReadmeQuotesTheEmbeddingExample) {
  auto read = [](const char* path) {
    QFile f(QString(MARVEK_SOURCE_DIR) + "/" + path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path;
    return f.readAll();
  };
  const QByteArray example = read("examples/completing_editor.cpp");
  ASSERT_FALSE(example.isEmpty());
  EXPECT_TRUE(read("README.md").contains(example));
}

}  // namespace
