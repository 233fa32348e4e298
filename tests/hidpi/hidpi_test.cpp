// The editor widget on a screen of device pixel ratio 2 (this executable runs with
// QT_SCALE_FACTOR=2): it draws at device resolution, and everything observable stays in
// logical pixels. The reference is the same scene rendered by this executable again, in
// a child process at ratio 1.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdlib>
#include <memory>

#include "app/ChildForm.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"

namespace {

const char kScript[] =
    "# camera set-up\r\n"
    "name \"Sunrise over the bay\"\r\n"
    "SetZoom(3, 0.5)\r\n"
    "if GetCameraStatus() == 1 then\r\n"
    "   Shoot(\"first\") /* kept */\r\n"
    "end\r\n";

// A document window's editor, 360 by 180 logical pixels, with a selection and the caret.
struct Scene {
  Scene() {
    Widget = std::make_unique<EditorWidget>([this](EditorHost& host) {
      auto editor = std::make_unique<TRAHLEditor>(host);
      ConfigureScriptEditor(*editor);
      Editor = editor.get();
      return editor;
    });
    Editor->Loaded();
    Widget->resize(360, 180);
    Widget->show();
    Widget->activateWindow();
    Widget->setFocus();
    QApplication::processEvents();
    Editor->Lines().SetTextStr(kScript);
    Editor->SetSelStart(20);
    Editor->SetSelLength(14);
    Editor->SetCaret(4, 3);
    Paint();
  }
  void Paint() {
    Widget->viewport()->repaint();
    QApplication::processEvents();
  }
  // The figures a user or the control can observe, one per line.
  QString Figures() const {
    QString out;
    QTextStream s(&out);
    const auto rect = [](const TRect& r) {
      return QStringLiteral("%1 %2 %3 %4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
    };
    s << "viewport " << Widget->viewport()->width() << " " << Widget->viewport()->height() << "\n"
      << "client " << Widget->ClientWidth() << " " << Widget->ClientHeight() << "\n"
      << "cell " << Editor->CellWidth() << " " << Editor->CellHeight() << "\n"
      << "visible " << Editor->VisibleColCount() << " " << Editor->VisibleRowCount() << "\n"
      << "cellrect " << rect(Editor->CellRect(3, 2)) << "\n"
      << "caret " << Editor->CaretX() << " " << Editor->CaretY() << "\n"
      << "caretrect " << Widget->CaretRect().x() << " " << Widget->CaretRect().y() << " "
      << Widget->CaretRect().width() << " " << Widget->CaretRect().height() << "\n"
      << "vbar " << Widget->verticalScrollBar()->maximum() << " "
      << Widget->verticalScrollBar()->pageStep() << "\n"
      << "hbar " << Widget->horizontalScrollBar()->maximum() << " "
      << Widget->horizontalScrollBar()->pageStep() << "\n";
    return out;
  }
  // A click at logical point At, as the window system delivers it.
  void Click(QPoint at) {
    QWidget* target = Widget->viewport();
    const QPointF global = target->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
  }

  std::unique_ptr<EditorWidget> Widget;
  TRAHLEditor* Editor = nullptr;
};

QString ClickFigures(Scene& scene) {
  scene.Click(QPoint(scene.Editor->CellRect(6, 4).Left + 2, scene.Editor->CellRect(6, 4).Top + 2));
  return QStringLiteral("after click ") + QString::number(scene.Editor->CaretX()) + " " +
         QString::number(scene.Editor->CaretY()) + "\n";
}

// The child process: renders the scene at the ratio it was started with.
int Render(const QString& imagePath, const QString& figuresPath) {
  Scene scene;
  if (!scene.Widget->Image().save(imagePath)) return 1;
  QString figures = scene.Figures();
  figures += ClickFigures(scene);
  QFile out(figuresPath);
  if (!out.open(QIODevice::WriteOnly)) return 1;
  out.write(figures.toUtf8());
  return 0;
}

struct Reference {
  QImage Image;
  QString Figures;
};

// The scene rendered at ratio 1 by a child process.
Reference RenderAtRatio1(const QTemporaryDir& dir) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1"));
  child.setProcessEnvironment(env);
  const QString image = dir.filePath("ratio1.png");
  const QString figures = dir.filePath("ratio1.txt");
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--render"), image, figures});
  child.waitForFinished(-1);
  Reference ref;
  if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) return ref;
  ref.Image = QImage(image).convertToFormat(QImage::Format_RGB32);
  QFile in(figures);
  if (in.open(QIODevice::ReadOnly)) ref.Figures = QString::fromUtf8(in.readAll());
  return ref;
}

int Channel(QRgb c, int i) {
  return (c >> (8 * i)) & 0xFF;
}

// The 2 by 2 block of device pixels of logical pixel (X, Y) averaged.
QRgb BlockMean(const QImage& image, int x, int y) {
  int sum[3] = {};
  for (int dy = 0; dy < 2; ++dy) {
    for (int dx = 0; dx < 2; ++dx) {
      const QRgb c = image.pixel(2 * x + dx, 2 * y + dy);
      for (int i = 0; i < 3; ++i) sum[i] += Channel(c, i);
    }
  }
  return qRgb(sum[2] / 4, sum[1] / 4, sum[0] / 4);
}

bool BlockUniform(const QImage& image, int x, int y, QRgb* colour = nullptr) {
  const QRgb c = image.pixel(2 * x, 2 * y);
  if (colour) *colour = c;
  return image.pixel(2 * x + 1, 2 * y) == c && image.pixel(2 * x, 2 * y + 1) == c &&
         image.pixel(2 * x + 1, 2 * y + 1) == c;
}

// Whether the 3 by 3 neighbourhood of (X, Y) in Image is one colour.
bool Flat(const QImage& image, int x, int y) {
  const QRgb c = image.pixel(x, y);
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (image.pixel(x + dx, y + dy) != c) return false;
    }
  }
  return true;
}

class HighDensity : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    Ref = RenderAtRatio1(Dir);
    ASSERT_FALSE(Ref.Image.isNull()) << "the ratio 1 rendering failed";
  }
  QTemporaryDir Dir;
  Reference Ref;
};

TEST_F(HighDensity, TheScreenHasRatio2) {
  EXPECT_EQ(qApp->devicePixelRatio(), 2.0);
  Scene scene;
  EXPECT_EQ(scene.Widget->Scale(), 2);
}

TEST_F(HighDensity, EveryObservableFigureStaysInLogicalPixels) {
  Scene scene;
  QString figures = scene.Figures();
  figures += ClickFigures(scene);
  EXPECT_EQ(figures.toStdString(), Ref.Figures.toStdString());
}

TEST_F(HighDensity, TheImageHasDeviceResolutionAndLinesUpWithRatio1) {
  Scene scene;
  const QImage image = scene.Widget->Image();
  const QSize logical = Ref.Image.size();
  ASSERT_EQ(image.size(), logical * 2);
  EXPECT_EQ(image.devicePixelRatio(), 2.0);

  // Backgrounds, gutter, margin and selection fills cover exactly twice their pixels.
  int flat = 0, misplaced = 0;
  for (int y = 1; y + 1 < logical.height(); ++y) {
    for (int x = 1; x + 1 < logical.width(); ++x) {
      if (!Flat(Ref.Image, x, y)) continue;
      ++flat;
      QRgb c;
      if (!BlockUniform(image, x, y, &c) || c != Ref.Image.pixel(x, y)) ++misplaced;
    }
  }
  EXPECT_GT(flat, logical.width() * logical.height() / 2);
  EXPECT_EQ(misplaced, 0);

  // Below the text every row, gutter edge and margin line included, is the ratio 1 row
  // with each pixel doubled.
  const int belowText = scene.Editor->CellRect(0, 7).Top;
  for (int y = belowText; y < logical.height(); ++y) {
    for (int x = 0; x < logical.width(); ++x) {
      QRgb c;
      ASSERT_TRUE(BlockUniform(image, x, y, &c) && c == Ref.Image.pixel(x, y))
          << "at " << x << ", " << y;
    }
  }
}

TEST_F(HighDensity, GlyphsAreDrawnAtDeviceResolution) {
  Scene scene;
  const QImage image = scene.Widget->Image();
  const QSize logical = Ref.Image.size();
  const int textBottom = scene.Editor->CellRect(0, 6).Top;
  const int textLeft = scene.Editor->CellRect(0, 0).Left;
  // Averaged back to logical pixels, the text looks like the ratio 1 text...
  long difference = 0, pixels = 0;
  // ...but its edges have detail finer than a logical pixel: a rendering scaled up from
  // ratio 1 would have none.
  int inked = 0, detailed = 0;
  for (int y = 0; y < textBottom; ++y) {
    for (int x = textLeft; x < logical.width(); ++x) {
      const QRgb mean = BlockMean(image, x, y);
      const QRgb ref = Ref.Image.pixel(x, y);
      for (int i = 0; i < 3; ++i) difference += std::abs(Channel(mean, i) - Channel(ref, i));
      ++pixels;
      if (!Flat(Ref.Image, x, y)) {
        ++inked;
        detailed += !BlockUniform(image, x, y);
      }
    }
  }
  ASSERT_GT(inked, 500);
  EXPECT_LT(difference / (3.0 * pixels), 6.0);
  EXPECT_GT(detailed, inked / 4);
}

TEST_F(HighDensity, TheCaretIsShownOverTheImageAtDeviceResolution) {
  Scene scene;
  ASSERT_TRUE(scene.Widget->CaretVisible());
  const QImage image = scene.Widget->Image();
  const QImage shown =
      scene.Widget->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), image.size());
  const QRect caret = scene.Widget->CaretRect();
  const QRect device(caret.topLeft() * 2, caret.size() * 2);
  int wrong = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb under = image.pixel(x, y);
      const QRgb expected = device.contains(x, y) ? (~under & 0xFFFFFF) | 0xFF000000 : under;
      wrong += shown.pixel(x, y) != expected;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(HighDensity, ScrollingMovesDevicePixelsLikeAFreshPaint) {
  const std::string text = std::string(kScript) + kScript + kScript + kScript;
  Scene scrolled;
  scrolled.Editor->Lines().SetTextStr(text);
  scrolled.Paint();
  for (TEditCommand command :
       {cmdScrollLineDown, cmdScrollLineDown, cmdScrollLineDown, cmdScrollLineUp}) {
    scrolled.Editor->Command(command);
    scrolled.Paint();
  }
  ASSERT_EQ(scrolled.Editor->TopRow(), 2);
  EXPECT_NE(scrolled.Widget->RowOffset(), 0);
  Scene fresh;
  fresh.Editor->Lines().SetTextStr(text);
  fresh.Editor->SetCaret(scrolled.Editor->CaretX(), scrolled.Editor->CaretY());
  fresh.Editor->SetLeftTop(0, 2);
  fresh.Widget->Invalidate();
  fresh.Paint();
  EXPECT_TRUE(scrolled.Widget->Image() == fresh.Widget->Image());
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  if (argc == 4 && QString::fromLatin1(argv[1]) == QLatin1String("--render")) {
    return Render(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
