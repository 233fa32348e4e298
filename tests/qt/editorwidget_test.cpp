// The editor widget as the control's host: posted commands, keys, focus and caret,
// scroll bars and wheel, the backing image, colours, clipboard and error reporting.
#include "qt/EditorWidget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <memory>
#include <string>
#include <vector>

#include "ImageDiff.h"
#include "highlight/RAHLEditor.h"
#include "qt/Guarded.h"
#include "qt/ReadableColor.h"
#include "util/Errors.h"

namespace {

// An editor that records the commands it is given instead of running them.
class RecordingEditor : public TRAEditor {
 public:
  using TRAEditor::TRAEditor;
  void Command(TEditCommand code) override {
    Commands.push_back(code);
    if (OnCommand) OnCommand(code);
  }
  std::vector<TEditCommand> Commands;
  std::function<void(TEditCommand)> OnCommand;
};

struct WidgetFixture : ::testing::Test {
  void SetUp() override {
    window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    other = new QLineEdit(window.get());
    layout->addWidget(other);
    widget = new EditorWidget([this](EditorHost& host) {
      auto e = std::make_unique<RecordingEditor>(host);
      editor = e.get();
      return e;
    });
    layout->addWidget(widget);
    previousReporter =
        SetErrorReporter([this](QWidget*, const std::string& m) { errors.push_back(m); });
    window->resize(500, 400);
  }
  void ShowFocused() {
    window->show();
    window->activateWindow();
    QApplication::processEvents();
    widget->setFocus();
    QApplication::processEvents();
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(widget, &press);
  }
  void Wheel(int delta) {
    const QPointF at(50, 50);
    QWheelEvent ev(at, widget->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget->viewport(), &ev);
  }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent ev(type, at, widget->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget->viewport(), &ev);
  }
  void SetLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
    editor->Lines().SetTextStr(text);
  }

  std::unique_ptr<QWidget> window;
  QLineEdit* other = nullptr;
  EditorWidget* widget = nullptr;
  RecordingEditor* editor = nullptr;
  std::vector<std::string> errors;
  ErrorReporter previousReporter;
  ~WidgetFixture() override { SetErrorReporter(std::move(previousReporter)); }
};

using EditorWidgetTest = WidgetFixture;

// A shown highlighting editor of a fixed size on a script with comments (italic, so
// drawn glyph by glyph where they leave their cells) and underlined numbers.
std::unique_ptr<EditorWidget> ScriptWidget() {
  auto widget = std::make_unique<EditorWidget>([](EditorHost& host) {
    auto editor = std::make_unique<TRAHLEditor>(host);
    editor->SetHighLighter(hlMarvek);
    editor->SetGutterWidth(18);
    editor->Colors().Comment.SetAll(clOlive, clWindow, fsItalic);
    editor->Colors().Number.SetAll(clNavy, clSilver, fsUnderline);
    editor->Colors().Reserved.SetAll(clRed, clWindow, fsBold);
    std::string text;
    for (int i = 0; i < 200; ++i) {
      text += "label L" + std::to_string(i) + "  # note " + std::to_string(i * 7) + "\r\n";
      text += "\tDisplayLine(\"row\" + " + std::to_string(i) + ") /* fjy| */\r\n";
    }
    editor->Lines().SetTextStr(text);
    return editor;
  });
  widget->resize(420, 310);
  widget->show();
  QApplication::processEvents();
  return widget;
}

// Slow-path drawing (clipped and underlined text, slanted lines) over every row, so that
// some of it crosses wherever the backing image wraps.
void DrawOverEveryRow(Canvas& c, int width, int height) {
  c.SetPenColor(clBlue);
  c.SetPenWidth(2);
  c.MoveTo(0, 0);
  c.LineTo(width, height);
  TFont font = c.Font();
  font.Style = fsUnderline;
  c.SetFont(font);
  c.SetBrushColor(clWhite);
  const std::string text = "Wrap|gjy";
  const std::vector<int> advances(text.size(), 8);
  const TRect clip{30, 0, 90, height};
  for (int y = -6; y < height; y += 5) c.TextOut(y % 40, y, text, advances.data(), &clip);
}

}  // namespace

// ---- independent of the control's own handlers ----

TEST_F(EditorWidgetTest, PostedCommandsRunAfterTheCurrentEventInOrder) {
  editor->OnCommand = [this](TEditCommand code) {
    // A command posted while one runs waits for it to finish.
    if (code == cmdTab) {
      widget->PostCommand(cmdBlockIndent);
      EXPECT_EQ(editor->Commands.back(), cmdTab);
    }
  };
  widget->PostCommand(cmdTab);
  widget->PostCommand(cmdCopy);
  EXPECT_TRUE(editor->Commands.empty());
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(editor->Commands, (std::vector<TEditCommand>{cmdTab, cmdCopy, cmdBlockIndent}));
}

TEST_F(EditorWidgetTest, AFailingCommandIsReportedAndLaterOnesStillRun) {
  editor->OnCommand = [](TEditCommand code) {
    if (code == cmdRedo) throw ERAEditorError("Redo not yet implemented");
  };
  widget->PostCommand(cmdRedo);
  widget->PostCommand(cmdUndo);
  QApplication::processEvents();
  EXPECT_EQ(errors, (std::vector<std::string>{"Redo not yet implemented"}));
  EXPECT_EQ(editor->Commands, (std::vector<TEditCommand>{cmdRedo, cmdUndo}));
}

// A timer's tick (completion, drag scrolling) is an entry from Qt like any event.
TEST_F(EditorWidgetTest, AFailingTimerHandlerIsReportedAndTheTimerGoesOn) {
  std::unique_ptr<Timer> timer = widget->CreateTimer();
  int ticks = 0;
  timer->OnTimer = [&] {
    ++ticks;
    throw ERAEditorError("tick");
  };
  timer->SetInterval(1);
  QElapsedTimer waited;
  waited.start();
  while (ticks < 2 && waited.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_GE(ticks, 2);
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.front(), "tick");
}

TEST_F(EditorWidgetTest, TabAndShortcutsAreLeftWhereTheyBelong) {
  ShowFocused();
  ASSERT_TRUE(widget->hasFocus());
  // Tab and Shift+Tab stay with the control instead of moving the focus.
  Key(Qt::Key_Tab);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(widget->hasFocus());
  EXPECT_FALSE(other->hasFocus());

  // The windows' shortcuts go first: the override is not accepted.
  QKeyEvent overrideEvent(QEvent::ShortcutOverride, Qt::Key_C, Qt::ControlModifier);
  overrideEvent.ignore();
  QApplication::sendEvent(widget, &overrideEvent);
  EXPECT_FALSE(overrideEvent.isAccepted());
}

TEST_F(EditorWidgetTest, HostCaretExistsOnlyBetweenCreateAndDestroy) {
  EXPECT_FALSE(widget->CaretExists());
  widget->ShowCaret();
  EXPECT_FALSE(widget->CaretVisible());  // nothing to show

  widget->CreateCaret(2, 13);
  EXPECT_TRUE(widget->CaretExists());
  EXPECT_FALSE(widget->CaretVisible());  // a new caret starts hidden
  widget->SetCaretPos(30, 45);
  widget->ShowCaret();
  EXPECT_TRUE(widget->CaretVisible());
  EXPECT_EQ(widget->CaretRect(), QRect(30, 45, 2, 13));
  widget->HideCaret();
  EXPECT_FALSE(widget->CaretVisible());
  widget->ShowCaret();
  widget->DestroyCaret();
  EXPECT_FALSE(widget->CaretExists());
  EXPECT_FALSE(widget->CaretVisible());
}

TEST_F(EditorWidgetTest, ScrollBarsTakeTheControlsRangeAndPage) {
  QScrollBar* v = widget->verticalScrollBar();
  QScrollBar* h = widget->horizontalScrollBar();
  // Ten lines, twenty visible rows: range 0..28, page 20: the top line runs to 9.
  widget->SetScrollBar(TScrollBarKind::sbVertical, 0, 28, 20, 3);
  EXPECT_EQ(v->minimum(), 0);
  EXPECT_EQ(v->maximum(), 9);
  EXPECT_EQ(v->pageStep(), 20);
  EXPECT_EQ(v->value(), 3);
  EXPECT_TRUE(v->isEnabled());
  EXPECT_EQ(widget->ScrollTrackPosition(TScrollBarKind::sbVertical), 3);

  // A position beyond the last one the bar can take is clamped by the bar.
  widget->SetScrollBar(TScrollBarKind::sbHorizontal, 0, 255, 100, 300);
  EXPECT_EQ(h->maximum(), 156);
  EXPECT_EQ(h->value(), 156);

  // Nothing to scroll: shown, but disabled.
  widget->SetScrollBar(TScrollBarKind::sbVertical, 0, 1, 20, 0);
  EXPECT_EQ(v->maximum(), 0);
  EXPECT_FALSE(v->isEnabled());
  EXPECT_EQ(widget->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(widget->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(EditorWidgetTest, BackingImageFollowsTheViewportAndScrollingMovesItsPixels) {
  window->show();
  QApplication::processEvents();
  const QSize size = widget->viewport()->size();
  EXPECT_EQ(widget->Image().size(), size);
  EXPECT_EQ(widget->ClientWidth(), size.width());
  EXPECT_EQ(widget->ClientHeight(), size.height());

  // Rows of 10 pixels in distinct colours, then the area moves up by 10.
  Canvas& canvas = widget->GetCanvas();
  const TColor colours[] = {clRed, clGreen, clBlue, clNavy, clOlive};
  for (int i = 0; i < 5; ++i) {
    canvas.SetBrushColor(colours[i]);
    canvas.FillRect(TRect::FromSize(0, i * 10, 100, 10));
  }
  widget->ScrollArea(TRect::FromSize(0, 0, 80, 50), -10);
  QImage image = widget->Image();
  EXPECT_EQ(image.pixel(5, 0), ToQColor(clGreen).rgb());
  EXPECT_EQ(image.pixel(5, 35), ToQColor(clOlive).rgb());
  EXPECT_EQ(image.pixel(90, 0), ToQColor(clRed).rgb());  // outside the area
  EXPECT_EQ(image.pixel(5, 55), image.pixel(90, 55));    // below the area

  // And down by 20.
  widget->ScrollArea(TRect::FromSize(0, 0, 80, 50), 20);
  image = widget->Image();
  EXPECT_EQ(image.pixel(5, 20), ToQColor(clGreen).rgb());
  EXPECT_EQ(image.pixel(5, 45), ToQColor(clNavy).rgb());

  // A move by the whole height or more moves nothing.
  widget->ScrollArea(TRect::FromSize(0, 0, 80, 50), -50);
  EXPECT_EQ(widget->Image().pixel(5, 20), ToQColor(clGreen).rgb());

  // The whole image (the area may reach beyond it) moves the same way; the rows
  // uncovered are painted by the control, the others keep their pixels.
  widget->ScrollArea(TRect::FromSize(0, 0, size.width(), size.height() + 30), -10);
  image = widget->Image();
  EXPECT_EQ(image.pixel(90, 0), ToQColor(clGreen).rgb());
  EXPECT_EQ(image.pixel(90, 35), ToQColor(clOlive).rgb());
  widget->ScrollArea(TRect::FromSize(0, 0, size.width(), size.height()), 15);
  EXPECT_EQ(widget->Image().pixel(90, 15 + 35), ToQColor(clOlive).rgb());

  // The image shown is the logical picture.
  canvas.SetBrushColor(clPurple);
  canvas.FillRect(TRect::FromSize(0, 0, size.width(), 4));
  widget->UpdateNow();
  EXPECT_EQ(widget->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32),
            widget->Image());

  window->resize(600, 500);
  QApplication::processEvents();
  EXPECT_EQ(widget->Image().size(), widget->viewport()->size());
}

TEST_F(EditorWidgetTest, SystemColoursComeFromThePalette) {
  const QPalette& p = widget->palette();
  EXPECT_EQ(widget->ResolveColor(clWindow), FromQColor(p.color(QPalette::Base)));
  EXPECT_EQ(widget->ResolveColor(clWindowText), FromQColor(p.color(QPalette::Text)));
  EXPECT_EQ(widget->ResolveColor(clHighlight), FromQColor(p.color(QPalette::Highlight)));
  EXPECT_EQ(widget->ResolveColor(clHighlightText), FromQColor(p.color(QPalette::HighlightedText)));
  EXPECT_EQ(widget->ResolveColor(clBtnFace), FromQColor(p.color(QPalette::Button)));
  EXPECT_EQ(widget->ResolveColor(clSilver), clSilver);
  EXPECT_EQ(widget->ResolveColor(0x00123456), 0x00123456);

  // Another palette: the control paints again in its colours.
  window->show();
  QApplication::processEvents();
  QPalette dark = widget->palette();
  dark.setColor(QPalette::Base, QColor(10, 20, 30));
  widget->setPalette(dark);
  EXPECT_EQ(widget->ResolveColor(clWindow), 0x1E140A);
  widget->UpdateNow();
  const QPoint belowText(widget->ClientWidth() / 2, widget->ClientHeight() - 3);
  EXPECT_EQ(widget->Image().pixel(belowText), qRgb(10, 20, 30));
  // The scheme's plain colours, chosen for a light window, are lightened on the dark one
  // until readable, keeping their hue; on the light palette they were kept exactly.
  for (TColor plain : {clNavy, clBlue, clPurple, clOlive, clGreen, clSilver}) {
    const QColor shown = ToQColor(widget->ResolveColor(plain));
    EXPECT_GE(ReadableColor::Contrast(shown, QColor(10, 20, 30)), 4.5) << plain;
    EXPECT_EQ(shown.hslHue(), ToQColor(plain).hslHue()) << plain;
  }
  EXPECT_EQ(widget->ResolveColor(clSilver), clSilver);
}

TEST_F(EditorWidgetTest, HostServices) {
  const TPoint screen = widget->ScreenSize();
  EXPECT_GT(screen.X, 0);
  EXPECT_GT(screen.Y, 0);
  const QPoint origin = widget->viewport()->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(widget->ClientToScreen({3, 4}), (TPoint{origin.x() + 3, origin.y() + 4}));

  auto timer = widget->CreateTimer();
  int ticks = 0;
  timer->SetInterval(1);
  timer->SetEnabled(true);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1);
  QEventLoop loop;
  timer->OnTimer = [&] {
    ++ticks;
    loop.quit();
  };
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_GT(ticks, 0);
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->Enabled());

  const QSize hint = widget->sizeHint();
  EXPECT_GT(hint.width(), 80 * 5);
  EXPECT_GT(hint.height(), 25 * 10);
}

TEST(QtClipboardTest, TextThroughTheCodePageAndNamedFormatsBesideIt) {
  QtClipboard clip;
  clip.SetText(
      "a\x80"
      "b\r\n");
  EXPECT_TRUE(clip.HasText());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("a\xE2\x82\xAC"
                                                                    "b\r\n"));
  EXPECT_EQ(clip.Text(),
            "a\x80"
            "b\r\n");
  EXPECT_FALSE(clip.Format("Block Type").has_value());

  // A format added keeps the text.
  clip.AddFormat("Block Type", std::string("\x02\x00", 2));
  EXPECT_EQ(clip.Text(),
            "a\x80"
            "b\r\n");
  ASSERT_TRUE(clip.Format("Block Type").has_value());
  EXPECT_EQ(*clip.Format("Block Type"), std::string("\x02\x00", 2));
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  EXPECT_TRUE(data->hasFormat("application/x-qt-windows-mime;value=\"Block Type\""));

  // New text drops the formats.
  clip.SetText("x");
  EXPECT_FALSE(clip.Format("Block Type").has_value());

  // Text from elsewhere that the code page cannot hold arrives as '?'.
  QGuiApplication::clipboard()->setText(QString::fromUtf8("\xC4\x80z"));
  EXPECT_EQ(clip.Text(), "?z");

  // Under Shift-JIS a character is its two bytes, both ways.
  clip.SetCodePage(TCodePage::cp932);
  clip.SetText("\x93\xFA\x96\x7B");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("\u65e5\u672c"));
  QGuiApplication::clipboard()->setText(QString::fromUtf8("\u30bd\u00e9"));
  EXPECT_EQ(clip.Text(), "\x83\x5C?");
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(clip.HasText());
}

// ---- through the control's handlers ----

TEST_F(EditorWidgetTest, KeysBecomeCommandsAndCharacters) {
  Key(Qt::Key_A, Qt::NoModifier, "a");
  Key(0x20AC, Qt::NoModifier, QString(QChar(0x20AC)));
  Key(Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x0100)));  // not in the code page
  Key(Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_EQ(editor->Commands, (std::vector<TEditCommand>{'a', 0x80}));

  editor->Commands.clear();
  Key(Qt::Key_A, Qt::ControlModifier, "\x01");
  Key(Qt::Key_Enter, Qt::KeypadModifier, "\r");
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  Key(Qt::Key_Tab, Qt::NoModifier, "\t");
  Key(Qt::Key_Percent, Qt::ControlModifier | Qt::ShiftModifier, "%");
  Key(Qt::Key_PageDown);
  EXPECT_EQ(editor->Commands,
            (std::vector<TEditCommand>{cmdSelectAll, cmdReturn, cmdBackTab, cmdTab,
                                       cmdSetBookmark0 + 5, cmdPageDown}));

  // A chord: Ctrl+K, then a key that completes none types nothing; a Ctrl pressed
  // again in between does not end it.
  editor->Commands.clear();
  Key(Qt::Key_K, Qt::ControlModifier, "\x0b");
  Key(Qt::Key_Control, Qt::ControlModifier);
  Key(Qt::Key_T, Qt::ControlModifier, "\x14");
  Key(Qt::Key_K, Qt::ControlModifier, "\x0b");
  Key(Qt::Key_X, Qt::NoModifier, "x");
  Key(Qt::Key_B, Qt::NoModifier, "b");
  EXPECT_EQ(editor->Commands, (std::vector<TEditCommand>{cmdSelectWord, 'b'}));

  // A key without a code of its own still types after a key that ran a command.
  editor->Commands.clear();
  Key(Qt::Key_Left);
  Key(Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));
  EXPECT_EQ(editor->Commands, (std::vector<TEditCommand>{cmdCaretLeft, 0xE9}));

  // Text composed by an input method is typed the same way, and refused whole when the
  // document cannot hold one of its characters.
  editor->Commands.clear();
  QStringList refusals;
  QObject::connect(widget, &EditorWidget::TypingRefused,
                   [&](const QString& message) { refusals.append(message); });
  Key(Qt::Key_Right);
  QInputMethodEvent composed;
  composed.setCommitString(QString(QChar(0xE8)) + QChar(0xE0));
  QApplication::sendEvent(widget, &composed);
  composed.setCommitString(QString(QChar(0xE8)) + QChar(0x0100));
  QApplication::sendEvent(widget, &composed);
  EXPECT_EQ(editor->Commands, (std::vector<TEditCommand>{cmdCaretRight, 0xE8, 0xE0}));
  ASSERT_EQ(refusals.size(), 1);
  EXPECT_TRUE(refusals[0].startsWith(QString::fromUtf8("Cannot type \"\xC4\x80\"")));
}

TEST_F(EditorWidgetTest, FocusCreatesTheCaretAndLosingItDestroysIt) {
  ShowFocused();
  ASSERT_TRUE(widget->hasFocus());
  EXPECT_TRUE(widget->CaretExists());
  EXPECT_TRUE(widget->CaretVisible());
  EXPECT_EQ(widget->CaretRect().width(), 2);
  EXPECT_EQ(widget->CaretRect().height(), editor->CellHeight() - 2);

  // The caret is drawn over the image, inverting it.
  const int flashTime = QApplication::cursorFlashTime();
  QApplication::setCursorFlashTime(0);  // no blinking
  widget->ShowCaret();
  const QImage shown = widget->viewport()->grab().toImage();
  QApplication::setCursorFlashTime(flashTime);
  const QPoint inside = widget->CaretRect().center();
  const QRgb under = widget->Image().pixel(inside);
  EXPECT_EQ(QColor(shown.pixel(inside)),
            QColor(255 - qRed(under), 255 - qGreen(under), 255 - qBlue(under)));
  const QPoint beside = widget->CaretRect().topRight() + QPoint(3, 1);
  EXPECT_EQ(shown.pixel(beside), widget->Image().pixel(beside));

  other->setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(widget->CaretExists());
  EXPECT_FALSE(widget->CaretVisible());

  // A click takes the focus back.
  Mouse(QEvent::MouseButtonPress, QPoint(60, 5), Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, QPoint(60, 5), Qt::LeftButton, Qt::NoButton);
  QApplication::processEvents();
  EXPECT_TRUE(widget->hasFocus());
  EXPECT_TRUE(widget->CaretExists());
}

TEST_F(EditorWidgetTest, WheelAndScrollBarRequestsReachTheControl) {
  window->show();
  QApplication::processEvents();
  SetLines(300);
  ASSERT_GT(editor->VisibleRowCount(), 3);
  int scrolls = 0;
  editor->OnScroll = [&](TRACustomEditor*) { ++scrolls; };

  Wheel(-120);  // one notch down: three lines
  EXPECT_EQ(editor->TopRow(), 3);
  Wheel(-60);  // half notches add up
  Wheel(-60);
  EXPECT_EQ(editor->TopRow(), 6);
  Wheel(120);
  EXPECT_EQ(editor->TopRow(), 3);
  EXPECT_GT(scrolls, 0);

  QScrollBar* v = widget->verticalScrollBar();
  EXPECT_EQ(v->value(), 3);
  v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(editor->TopRow(), 4);
  v->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(editor->TopRow(), 4 + editor->VisibleRowCount());
  v->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(editor->TopRow(), 3 + editor->VisibleRowCount());
  EXPECT_EQ(v->value(), editor->TopRow());
  // Top and bottom only move the bar.
  v->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(editor->TopRow(), 3 + editor->VisibleRowCount());
  EXPECT_EQ(v->value(), 0);
}

TEST_F(EditorWidgetTest, DoubleClickReachesTheControlBeforeItsPress) {
  window->show();
  QApplication::processEvents();
  editor->Lines().SetTextStr("alpha beta\r\n");
  std::vector<std::string> seen;
  editor->OnMouseDown = [&](TRACustomEditor*, TMouseButton, TShiftState, int, int) {
    seen.push_back("down");
  };
  editor->OnDblClick = [&](TRACustomEditor*) { seen.push_back("dbl"); };
  const QPoint at(editor->GutterWidth() + 2 + 8 * editor->CellWidth(), 3);
  Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  Mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  // The press that follows the double click is skipped by the control.
  EXPECT_EQ(seen, (std::vector<std::string>{"down", "dbl"}));
  EXPECT_EQ(editor->SelText(), "beta");
}

TEST_F(EditorWidgetTest, PointerIsAnArrowOverTheGutter) {
  window->show();
  QApplication::processEvents();
  editor->SetGutterWidth(18);
  Mouse(QEvent::MouseMove, QPoint(5, 10), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(widget->viewport()->cursor().shape(), Qt::ArrowCursor);
  Mouse(QEvent::MouseMove, QPoint(100, 10), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(widget->viewport()->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(EditorWidgetTest, TheControlPaintsIntoTheBackingImage) {
  window->show();
  QApplication::processEvents();
  editor->Lines().SetTextStr("WWWWWWWW\r\n");
  widget->Invalidate();
  widget->UpdateNow();
  const QImage image = widget->Image();
  const int left = editor->GutterWidth() + 3;
  int ink = 0;
  for (int y = 0; y < editor->CellHeight(); ++y) {
    for (int x = left; x < left + 8 * editor->CellWidth(); ++x)
      ink += qGray(image.pixel(x, y)) < 128;
  }
  EXPECT_GT(ink, 20);
  // The second line is empty: background only.
  const QRgb background = image.pixel(left + 2, editor->CellHeight() + 3);
  EXPECT_EQ(background, ToQColor(widget->ResolveColor(clWindow)).rgb());
}

// Breaking a line moves the pixels of the rows below instead of painting them again;
// the view must look exactly as a fresh paint of the same text.
TEST(EditorWidgetRing, BrokenLinesLookLikeAFreshlyPaintedView) {
  auto edited = ScriptWidget();
  TRACustomEditor& editor = edited->Editor();
  editor.SetLeftTop(0, 10);
  edited->UpdateNow();
  const int last = 10 + editor.VisibleRowCount() - 1;
  for (const auto& [x, y] : {std::pair{5, 12}, {30, 15}, {0, 11}, {36, 13}, {2, last}}) {
    editor.SetCaret(x, y);
    editor.Command(cmdReturn);
    edited->UpdateNow();
  }
  auto fresh = ScriptWidget();
  fresh->Editor().Lines().SetTextStr(editor.Lines().GetTextStr());
  fresh->Editor().SetLeftTop(editor.LeftCol(), editor.TopRow());
  fresh->UpdateNow();
  EXPECT_EQ(Difference(edited->Image(), fresh->Image()), "") << "top " << editor.TopRow();
}

// Scrolling the whole view turns the backing image as a ring instead of moving its
// pixels; what it shows must stay exactly what a fresh paint of the same view gives.
TEST(EditorWidgetRing, ScrolledViewLooksLikeAFreshlyPaintedOne) {
  auto scrolled = ScriptWidget();
  TRACustomEditor& editor = scrolled->Editor();
  const QSize size = scrolled->Image().size();
  ASSERT_GT(editor.VisibleRowCount(), 6);
  ASSERT_GT(14 * 4 * editor.CellHeight(), 2 * size.height());  // wraps more than once

  const auto compareWithFresh = [&](const char* when) {
    auto fresh = ScriptWidget();
    fresh->Editor().SetLeftTop(editor.LeftCol(), editor.TopRow());
    fresh->UpdateNow();
    ASSERT_EQ(fresh->Image().size(), size);
    EXPECT_EQ(Difference(scrolled->Image(), fresh->Image()), "")
        << when << ", top " << editor.TopRow();
    // The same slow-path drawing on both: it crosses the wrap of the turned image.
    DrawOverEveryRow(scrolled->GetCanvas(), size.width(), size.height());
    DrawOverEveryRow(fresh->GetCanvas(), size.width(), size.height());
    EXPECT_EQ(Difference(scrolled->Image(), fresh->Image()), "") << when << " and drawn over";
    // Scrolled again, the drawing moves with the text and the rest is painted anew.
    editor.SetLeftTop(editor.LeftCol(), editor.TopRow() + 1);
    fresh->Editor().SetLeftTop(editor.LeftCol(), editor.TopRow());
    EXPECT_EQ(Difference(scrolled->Image(), fresh->Image()), "")
        << when << ", drawn over and scrolled";
    // What the viewport shows is the logical picture.
    const QImage shown = scrolled->viewport()->grab().toImage();
    EXPECT_EQ(Difference(shown.convertToFormat(QImage::Format_RGB32), scrolled->Image()), "")
        << when;
    // Painting everything again makes the two equal once more.
    scrolled->Invalidate();
    scrolled->UpdateNow();
  };

  int turns = 0;
  for (int cycle = 0; cycle < 4; ++cycle) {
    for (int step : {3, 2, -1, 4, 5, -2, 3}) {
      const int before = scrolled->RowOffset();
      editor.SetLeftTop(editor.LeftCol(), editor.TopRow() + step);
      turns += scrolled->RowOffset() != before;
    }
    compareWithFresh(cycle % 2 ? "down" : "up and down");
  }
  EXPECT_EQ(turns, 28);  // every scroll turned the ring, none copied rows

  // Back up by a few rows at a time.
  for (int i = 0; i < 12; ++i) editor.SetLeftTop(editor.LeftCol(), editor.TopRow() - 4);
  compareWithFresh("up");

  // A new size starts the ring afresh.
  scrolled->resize(scrolled->width() + 10, scrolled->height() - 17);
  QApplication::processEvents();
  EXPECT_EQ(scrolled->RowOffset(), 0);
  EXPECT_EQ(scrolled->Image().size(), scrolled->viewport()->size());
}
