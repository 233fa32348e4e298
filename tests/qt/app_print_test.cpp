// Printing a document to a PDF file and reading the text back; the About box.
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

#include "app/AboutBox.h"
#include "app/Printing.h"
#include "app_fixture.h"

namespace {

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

TEST_F(AppTest, PrintPaginatesLongDocuments) {
  if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
    GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
  }
  TForm1& form = MakeForm();
  TChildForm* child = form.Documents().NewDocument();
  std::string text;
  for (int i = 0; i < 300; ++i) text += "WaitForShutter()\r\n";
  child->Editor1().Lines().SetTextStr(text);
  const QString pdf = PathOf("long.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  form.Print(printer);
  const QString info = RunPdfTool("pdfinfo", {pdf});
  const QRegularExpressionMatch pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
  ASSERT_TRUE(pages.hasMatch()) << info.toStdString();
  EXPECT_GT(pages.captured(1).toInt(), 1);
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
