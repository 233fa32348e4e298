// Printing a document to a PDF file and reading the text back; the pages drawn onto an
// image; the PDF and HTML exports read back; a long export cancelled; the About box.
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QXmlStreamReader>
#include <cstdlib>
#include <functional>

#include "app/AboutBox.h"
#include "app/PagePainter.h"
#include "app/PrintSource.h"
#include "app_fixture.h"

namespace {

bool HavePoppler() {
  return !QStandardPaths::findExecutable("pdftotext").isEmpty() &&
         !QStandardPaths::findExecutable("pdfinfo").isEmpty();
}

// The File menu's entry Caption, or that of its submenu Submenu.
QAction* FileEntry(TForm1& form, const QString& caption, const QString& submenu = {}) {
  QMenu* menu = SubmenuNamed(form.menuBar(), "&File");
  if (menu != nullptr && !submenu.isEmpty()) menu = SubmenuNamed(menu, submenu);
  if (menu == nullptr) return nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text() == caption) return action;
  }
  return nullptr;
}

// Runs a poppler tool on a PDF file and returns what it prints.
QString RunPdfTool(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

TEST_F(AppTest, PrintWritesTheActiveDocument) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  const QString pdf = PathOf("out.pdf");
  Dialogs.Print = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  };
  TForm1& form = MakeForm();

  // No document window: nothing is printed.
  QPrinter idle;
  idle.setOutputFormat(QPrinter::PdfFormat);
  idle.setOutputFileName(pdf);
  form.Print(idle);
  EXPECT_FALSE(QFileInfo::exists(pdf));

  TChildForm* child = form.Documents().NewDocument();
  child->Editor1().Lines().SetTextStr("label Start\r\n  Display(\"caf\xE9\")\r\nexitscript\r\n");
  form.PrintDlg1->trigger();
  EXPECT_EQ(Dialogs.PrintAsked, 1);
  ASSERT_TRUE(QFileInfo::exists(pdf));

  const QString text = RunPdfTool("pdftotext", {"-layout", pdf, "-"});
  EXPECT_TRUE(text.contains("label Start")) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromUtf8("Display(\"café\")"))) << text.toStdString();
  EXPECT_TRUE(text.contains("exitscript")) << text.toStdString();
  EXPECT_LT(text.indexOf("label Start"), text.indexOf("exitscript"));
  EXPECT_TRUE(RunPdfTool("pdfinfo", {pdf}).contains("Print file"));
  // The document itself is not changed by printing.
  EXPECT_EQ(child->Editor1().Lines().Count(), 3);
  EXPECT_FALSE(child->Editor1().Modified());
}

TEST_F(AppTest, PrintPaginatesLongDocumentsAndFollowsThePrintersRangeAndCopies) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().NewDocument();
  std::string text;
  for (int i = 0; i < 300; ++i) text += "WaitForShutter()\r\n";
  child->Editor1().Lines().SetTextStr(text);
  const QString pdf = PathOf("long.pdf");
  const auto print = [&](int from, int to, int copies) {
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setFromTo(from, to);
    if (from > 0) printer.setPrintRange(QPrinter::PageRange);
    printer.setCopyCount(copies);
    form.Print(printer);
    const QString info = RunPdfTool("pdfinfo", {pdf});
    const QRegularExpressionMatch pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
  };
  const int all = print(0, 0, 1);
  ASSERT_GT(all, 2);
  EXPECT_TRUE(RunPdfTool("pdftotext", {pdf, "-"}).contains(QString("Page %1 of %1").arg(all)));
  EXPECT_EQ(print(2, 3, 1), 2);
  const QString second = RunPdfTool("pdftotext", {pdf, "-"});
  EXPECT_TRUE(second.contains(QString("Page 2 of %1").arg(all))) << second.toStdString();
  EXPECT_FALSE(second.contains(QString("Page 1 of %1").arg(all)));
  // Copies the printer does not make itself are printed one after the other.
  EXPECT_EQ(print(2, 2, 3), 3);
  // A range beyond the last page prints nothing and says why.
  EXPECT_EQ(print(all + 1, all + 2, 1), 0);
  ASSERT_EQ(Dialogs.Errors.size(), 1);
  EXPECT_TRUE(Dialogs.Errors[0].contains(QString("has %1 pages").arg(all)));
}

namespace {

// Pixels of Image inside Rect that Accept takes.
int CountPixels(const QImage& image, const QRectF& rect,
                const std::function<bool(QColor)>& accept) {
  int n = 0;
  const QRect r = rect.toAlignedRect() & image.rect();
  for (int y = r.top(); y <= r.bottom(); ++y) {
    for (int x = r.left(); x <= r.right(); ++x) n += accept(image.pixelColor(x, y)) ? 1 : 0;
  }
  return n;
}

bool IsInk(QColor c) {
  return c.lightness() < 200;
}
bool IsGray(QColor c) {
  return std::abs(c.red() - c.green()) < 24 && std::abs(c.green() - c.blue()) < 24;
}
bool IsRed(QColor c) {
  return c.red() > 150 && c.green() < 110 && c.blue() < 110;
}
bool IsOlive(QColor c) {
  return c.red() > 70 && c.green() > 70 && c.blue() < 60 && std::abs(c.red() - c.green()) < 40;
}

// Page Page of Child's document drawn on a white 600 by 420 image at 96 dots per inch.
QImage PaintedPage(TChildForm& child, const TPrintOptions& options, int page = 0,
                   int* pageCount = nullptr) {
  QImage image(600, 420, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  TPrintSource source(child.Editor1(), "sample.csm");
  TPagePainter pages(source, options, image, "12/9/26");
  EXPECT_TRUE(pages.Layout().LayOutUntil(source.LineCount()));
  if (pageCount != nullptr) *pageCount = pages.Layout().PageCount();
  QPainter painter(&image);
  pages.PaintPage(painter, page);
  return image;
}

// The text inside the <pre> element of an HTML page, the page's title, and each span's
// class with its text.
struct ParsedPage {
  QString Title;
  QString Text;
  QList<QPair<QString, QString>> Spans;
  QString Error;
};

ParsedPage ParseHtml(const QByteArray& html) {
  ParsedPage page;
  QXmlStreamReader reader(html);
  QString element;
  QString spanClass;
  QString spanText;
  bool inPre = false;
  while (!reader.atEnd()) {
    switch (reader.readNext()) {
      case QXmlStreamReader::StartElement:
        element = reader.name().toString();
        if (element == "pre") inPre = true;
        if (element == "span") {
          spanClass = reader.attributes().value("class").toString();
          spanText.clear();
        }
        break;
      case QXmlStreamReader::EndElement:
        if (reader.name() == u"pre") inPre = false;
        if (reader.name() == u"span") page.Spans.append({spanClass, spanText});
        element.clear();
        break;
      case QXmlStreamReader::Characters:
        if (element == "title") page.Title += reader.text();
        if (inPre) page.Text += reader.text();
        spanText += reader.text();
        break;
      default:
        break;
    }
  }
  if (reader.hasError()) page.Error = reader.errorString();
  return page;
}

}  // namespace

TEST_F(AppTest, PagesCarryTheColoursNumbersWrappedRowsHeaderAndFooter) {
  TChildForm& child = MakeChild("# a comment line\r\nlabel Start\r\ngoto Start\r\nDisplay(\"" +
                                std::string(150, 'x') + "\")\r\nexitscript\r\n");
  const TPrintOptions all{true, true, true, true};
  int pageCount = 0;
  const QImage page = PaintedPage(child, all, 0, &pageCount);
  EXPECT_EQ(pageCount, 1);

  // The grid the page was laid out on, as the painter computes it.
  QImage probe(600, 420, QImage::Format_RGB32);
  probe.setDotsPerMeterX(3780);
  probe.setDotsPerMeterY(3780);
  TPrintSource source(child.Editor1(), "sample.csm");
  TPagePainter pages(source, all, probe, "12/9/26");
  pages.Layout().LayOutUntil(source.LineCount());
  const qreal row = pages.RowHeight();
  const qreal cell = pages.CellWidth();
  const TPageLayout& layout = pages.Layout();
  // Courier New of 13 pixels: about 76 cells across 600 pixels and 28 rows down 420.
  EXPECT_NEAR(layout.Grid().Columns, 76, 3);
  EXPECT_NEAR(layout.Grid().Rows, 28, 3);
  // The long line (161 cells) goes on over three rows; each row of the page.
  const std::vector<TPrintedRow> rows = layout.PageRows(0);
  ASSERT_EQ(rows.size(), 7u);
  const int text = layout.TextColumns();
  EXPECT_EQ(rows[3], (TPrintedRow{3, 0, text}));
  EXPECT_EQ(rows[5], (TPrintedRow{3, 2 * text, 161 - 2 * text}));
  const auto rowRect = [&](int gridRow, qreal left, qreal width) {
    return QRectF(left, gridRow * row, width, row);
  };
  const qreal margin = layout.MarginCells() * cell;
  const int top = layout.TextTop();

  // Header: the name on the left, the date on the right, nothing between.
  EXPECT_GT(CountPixels(page, rowRect(0, 0, 200), IsInk), 20);
  EXPECT_GT(CountPixels(page, rowRect(0, 450, 150), IsInk), 20);
  EXPECT_EQ(CountPixels(page, rowRect(0, 250, 100), IsInk), 0);
  // Footer: "Page 1 of 1" in the middle.
  const int footer = layout.FooterRow();
  EXPECT_GT(CountPixels(page, rowRect(footer, 250, 100), IsInk), 20);
  EXPECT_EQ(CountPixels(page, rowRect(footer, 0, 150), IsInk), 0);
  // The comment olive, "goto" red (the script's commands), the numbers gray.
  EXPECT_GT(CountPixels(page, rowRect(top, margin, 10 * cell), IsOlive), 10);
  EXPECT_GT(CountPixels(page, rowRect(top + 2, margin, 4 * cell), IsRed), 10);
  EXPECT_EQ(CountPixels(page, rowRect(top + 2, margin + 5 * cell, 5 * cell), IsRed), 0);
  EXPECT_GT(CountPixels(page, rowRect(top, 0, margin - cell), IsInk), 5);
  // A continued row has its mark in the margin; a row after the last has nothing.
  EXPECT_GT(CountPixels(page, rowRect(top + 4, 0, margin - cell), IsInk), 3);
  EXPECT_EQ(CountPixels(page, rowRect(top + 8, 0, 600), IsInk), 0);

  // Without colours everything is gray or black; without the frame the text moves up.
  const QImage plain = PaintedPage(child, {true, false, false, false});
  EXPECT_EQ(CountPixels(plain, plain.rect(), [](QColor c) { return !IsGray(c); }), 0);
  EXPECT_GT(CountPixels(plain, rowRect(0, margin, 10 * cell), IsInk), 10);

  // A dark scheme prints in the classic colours.
  TColors& colors = child.Editor1().Colors();
  for (TSymbolColor* c : {&colors.PlainText, &colors.Identifer, &colors.Comment, &colors.Reserved,
                          &colors.Statement, &colors.Strings, &colors.Symbol, &colors.Number}) {
    c->SetAll(0xF0F0F0, 0x202020, c->Style);
  }
  EXPECT_TRUE(PaintedPage(child, all) == page);
}

TEST_F(AppTest, ExportPdfWritesThePrintedPagesTitledWithTheScriptsName) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  const QString script = PathOf("timed capture.csm");
  WriteFile(script, "label Start\r\n  Display(\"caf\xE9\")\r\ngoto Start\r\n");
  TForm1& form = MakeForm();
  Dialogs.ExportName = PathOf("exported.pdf");
  // Without a document the entries are disabled as the menu opens, and do nothing.
  QAction* pdf = FileEntry(form, "&PDF...", "Expor&t");
  ASSERT_NE(pdf, nullptr);
  emit SubmenuNamed(form.menuBar(), "&File")->aboutToShow();
  EXPECT_FALSE(pdf->isEnabled());
  EXPECT_FALSE(FileEntry(form, "Print Pre&view...")->isEnabled());
  pdf->trigger();
  EXPECT_TRUE(Dialogs.ExportProposed.isEmpty());

  form.SetLineNumbers(true);
  form.Documents().OpenFile(script);
  emit SubmenuNamed(form.menuBar(), "&File")->aboutToShow();
  EXPECT_TRUE(pdf->isEnabled());
  pdf->trigger();
  EXPECT_EQ(Dialogs.ExportProposed, PathOf("timed capture.pdf"));
  EXPECT_EQ(Dialogs.ExportFilter, "PDF Files (*.pdf)");
  EXPECT_EQ(form.StatusPanel(2), "Exported to " + PathOf("exported.pdf"));

  const QString text = RunPdfTool("pdftotext", {"-layout", PathOf("exported.pdf"), "-"});
  const QString today = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
  EXPECT_TRUE(QRegularExpression("timed capture\\.csm +" + QRegularExpression::escape(today))
                  .match(text)
                  .hasMatch())
      << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression("1 +label Start"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8("2 +Display\\(\"café\"\\)"))))
      << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression("3 +goto Start"))) << text.toStdString();
  EXPECT_TRUE(text.contains("Page 1 of 1")) << text.toStdString();
  EXPECT_TRUE(RunPdfTool("pdfinfo", {PathOf("exported.pdf")})
                  .contains(QRegularExpression("Title: +timed capture.csm")));
}

TEST_F(AppTest, ExportHtmlParsesBackToTheScriptWithItsColoursAsClasses) {
  const QString script = PathOf("a&b.csm");
  const QByteArray bytes =
      "# a <comment> & more\r\nlabel Start\r\n  Display(\"caf\xE9 \x80 5 > 3\")\r\n\r\ngoto "
      "Start\r\n";
  WriteFile(script, bytes);
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().OpenFile(script);
  // What the document window adds to the colouring goes out too: "Start" underlined.
  child->Editor1().OnGetLineAttr = [](TRACustomEditor*, std::string&, int index,
                                      TLineAttrs& attrs) {
    if (index != 1) return;
    for (int col = 6; col < 11; ++col) attrs[col + 1].Style |= fsUnderline;
  };
  Dialogs.ExportName = PathOf("page.html");
  FileEntry(form, "&HTML...", "Expor&t")->trigger();
  EXPECT_EQ(Dialogs.ExportProposed, PathOf("a&b.html"));

  const QByteArray html = ReadFile(PathOf("page.html"));
  const ParsedPage page = ParseHtml(html);
  ASSERT_TRUE(page.Error.isEmpty()) << page.Error.toStdString() << "\n" << html.toStdString();
  EXPECT_EQ(page.Title, "a&b.csm");
  EXPECT_EQ(page.Text, QString::fromUtf8("# a <comment> & more\nlabel Start\n"
                                         "  Display(\"café € 5 > 3\")\n\ngoto Start\n"));
  EXPECT_TRUE(page.Spans.contains({"comment", "# a <comment> & more"}));
  EXPECT_TRUE(page.Spans.contains({"reserved", "goto"}));
  EXPECT_TRUE(page.Spans.contains({"statement", "Display"}));
  EXPECT_TRUE(page.Spans.contains({"string", QString::fromUtf8("\"café € 5 > 3\"")}));
  EXPECT_TRUE(
      html.contains("<span style=\"color:#000000;text-decoration: underline;\">Start</span>"))
      << html.toStdString();
  // UTF-8, the three characters as entities, the colours as classes.
  EXPECT_TRUE(html.contains("caf\xC3\xA9 \xE2\x82\xAC 5 &gt; 3"));
  EXPECT_TRUE(html.contains("# a &lt;comment&gt; &amp; more"));
  EXPECT_TRUE(html.contains(".reserved { color:#ff0000;font-weight:bold; }")) << html.toStdString();
  EXPECT_TRUE(html.contains(".comment { color:#808000;font-style:italic; }"));
}

TEST_F(AppTest, PrintOptionsFollowTheViewUntilChosenAndThePreviewShowsThem) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  const QString pdf = PathOf("printed.pdf");
  Dialogs.Print = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  };
  TForm1& form = MakeForm();
  form.SetLineNumbers(true);
  TChildForm* child = form.Documents().NewDocument();
  child->Editor1().Lines().SetTextStr("label Start\r\nexitscript\r\n");

  // Never chosen: line numbers as the view shows them, the rest on.
  form.PrintDlg1->trigger();
  EXPECT_EQ(Dialogs.PrintOptionsOffered, (TPrintOptions{true, true, true, true}));
  QString text = RunPdfTool("pdftotext", {"-layout", pdf, "-"});
  EXPECT_TRUE(text.contains("Unnamed file")) << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression("2 +exitscript"))) << text.toStdString();
  EXPECT_TRUE(RunPdfTool("pdfinfo", {pdf}).contains("Print file"));

  // A choice on the tab is printed and offered the next time, whatever the view shows.
  Dialogs.ChoosePrintOptions = [](TPrintOptions& options) {
    options.LineNumbers = false;
    options.Header = false;
  };
  form.PrintDlg1->trigger();
  text = RunPdfTool("pdftotext", {"-layout", pdf, "-"});
  EXPECT_FALSE(text.contains("Unnamed file")) << text.toStdString();
  EXPECT_FALSE(text.contains(QRegularExpression("2 +exitscript"))) << text.toStdString();
  EXPECT_TRUE(text.contains("Page 1 of 1"));
  Dialogs.ChoosePrintOptions = nullptr;
  form.PrintDlg1->trigger();
  EXPECT_EQ(Dialogs.PrintOptionsOffered, (TPrintOptions{false, true, false, true}));

  // The preview draws the same pages.
  const QString preview = PathOf("preview.pdf");
  Dialogs.Preview = [&](const std::function<void(QPrinter&)>& paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(preview);
    paint(printer);
  };
  FileEntry(form, "Print Pre&view...")->trigger();
  EXPECT_EQ(Dialogs.PreviewShown, 1);
  EXPECT_EQ(RunPdfTool("pdftotext", {"-layout", preview, "-"}), text);
}

TEST_F(AppTest, LongExportsShowProgressAndCancelledOnesLeaveNoFile) {
  std::string script;
  for (int i = 0; i < 60000; ++i)
    script += "  DisplayLine(\"Status: \" + NumberToString(status))\r\n";
  TChildForm& child = MakeChild(script);
  TForm1& form = *Form;
  for (const char* entry : {"&PDF...", "&HTML..."}) {
    const QString out = PathOf(QString("long-%1").arg(entry + 1));
    Dialogs.ExportName = out;
    // The progress dialog is there while the export runs, and the export goes on handling
    // events: a timer of the window's fires and presses Cancel.
    bool pressed = false;
    QTimer::singleShot(0, &form, [&] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<QProgressDialog*>(window)) {
          progress->cancel();
          pressed = true;
        }
      }
    });
    FileEntry(form, entry, "Expor&t")->trigger();
    EXPECT_TRUE(pressed) << entry;
    EXPECT_FALSE(QFileInfo::exists(out)) << entry;
    EXPECT_EQ(form.StatusPanel(2), "Cancelled") << entry;
  }
}

TEST(AboutBox, ShowsFourCentredLinesInAFixedDialogClosedByOKOrEscape) {
  TfrmAbout about;
  EXPECT_EQ(about.windowTitle(), "About");
  EXPECT_EQ(about.size(), QSize(298, 230));
  EXPECT_EQ(about.minimumSize(), about.maximumSize());
  const QList<QLabel*> labels = about.findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 4);
  const QStringList texts = {"MarvekWorld", "Script Editor", "v0.53 1/25/02", "By MarvekWorld"};
  const int heights[] = {32, 32, 16, 21};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(labels[i]->text(), texts[i]);
    EXPECT_EQ(labels[i]->font().family(), "Comic Sans MS");
    EXPECT_EQ(labels[i]->font().pixelSize(), heights[i]);
    EXPECT_TRUE(labels[i]->alignment() & Qt::AlignHCenter);
  }
  for (const bool escape : {false, true}) {
    about.show();
    if (escape) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QCoreApplication::sendEvent(&about, &key);
    } else {
      about.OKBtn->click();
    }
    EXPECT_FALSE(about.isVisible()) << escape;
  }
}
