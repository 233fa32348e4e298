#include "app/Printing.h"

#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/PagePainter.h"
#include "app/PrintOptions.h"
#include "app/PrintSource.h"
#include "app/WorkProgress.h"
#include "util/Errors.h"

namespace {

// Lines laid out between two looks at the events.
constexpr int kLinesPerStep = 20000;
// Of the progress, the layout's share in tenths.
constexpr qint64 kLayoutShare = 1;

[[noreturn]] void CannotCreate(const QString& fileName, const QString& reason) {
  throw EFileError("Cannot create file " + fileName.toStdString() + "\n" + reason.toStdString());
}

bool LayOut(TPagePainter& pages, TWorkProgress& progress) {
  TPageLayout& layout = pages.Layout();
  const qint64 lines = std::max(layout.LineCount(), 1);
  while (!layout.LayOutUntil(layout.LinesLaidOut() + kLinesPerStep)) {
    if (!progress.Advance(layout.LinesLaidOut() * kLayoutShare, lines * 10)) return false;
  }
  return true;
}

// The pages in the order they go out: the printer's range, page order and copies (those
// the printer does not make itself).
std::vector<int> PrintOrder(const QPrinter& printer, int pageCount) {
  int first = 0;
  int last = pageCount - 1;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    first = printer.fromPage() - 1;
    last = std::min(printer.toPage() > 0 ? printer.toPage() - 1 : last, last);
  }
  std::vector<int> range;
  for (int page = first; page <= last; ++page) range.push_back(page);
  if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(range.begin(), range.end());
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
  std::vector<int> order;
  if (printer.collateCopies()) {
    for (int copy = 0; copy < copies; ++copy) order.insert(order.end(), range.begin(), range.end());
  } else {
    for (const int page : range) order.insert(order.end(), static_cast<size_t>(copies), page);
  }
  return order;
}

std::vector<int> AllPages(int pageCount) {
  std::vector<int> order(static_cast<size_t>(pageCount));
  for (int page = 0; page < pageCount; ++page) order[static_cast<size_t>(page)] = page;
  return order;
}

// Paints the pages of Order on Device, a new sheet before each but the first; false
// when cancelled.
bool PaintPages(TPagePainter& pages, QPagedPaintDevice& device, QPainter& painter,
                const std::vector<int>& order, TWorkProgress& progress) {
  const qint64 total = std::max<qint64>(static_cast<qint64>(order.size()), 1);
  for (size_t i = 0; i < order.size(); ++i) {
    const qint64 done = static_cast<qint64>(i);
    if (!progress.Advance(total * kLayoutShare + done * (10 - kLayoutShare), total * 10))
      return false;
    if (i > 0) device.newPage();
    pages.PaintPage(painter, order[i]);
  }
  return true;
}

QPageSize LocalePaperSize() {
  return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                              : QPageSize::A4);
}

}  // namespace

bool PrintScript(TPrintSource& source, const TPrintOptions& options, QPrinter& printer,
                 QWidget* parent) {
  printer.setDocName(QStringLiteral("Print file"));
  TWorkProgress progress(parent, QStringLiteral("Printing %1...").arg(source.Name()));
  TPagePainter pages(source, options, printer);
  if (!LayOut(pages, progress)) return false;
  const int pageCount = pages.Layout().PageCount();
  const std::vector<int> order = PrintOrder(printer, pageCount);
  if (order.empty()) {
    throw std::runtime_error("The pages chosen do not exist: the printout of " +
                             source.Name().toStdString() + " has " + std::to_string(pageCount) +
                             (pageCount == 1 ? " page" : " pages"));
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    throw EFileError("Cannot print " + source.Name().toStdString() +
                     ": the printer could not be started");
  }
  if (!PaintPages(pages, printer, painter, order, progress)) {
    printer.abort();
    return false;
  }
  painter.end();
  return true;
}

bool ExportPdf(TPrintSource& source, const TPrintOptions& options, const QString& fileName,
               QWidget* parent) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) CannotCreate(fileName, file.errorString());
  TWorkProgress progress(parent, QStringLiteral("Exporting %1 as PDF...").arg(source.Name()));
  QPdfWriter writer(&file);
  writer.setTitle(source.Name());
  writer.setCreator(QStringLiteral("MarvekWorld Script Editor"));
  writer.setPageLayout(QPageLayout(LocalePaperSize(), QPageLayout::Portrait,
                                   QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
  QPainter painter;
  if (!painter.begin(&writer))
    CannotCreate(fileName, QStringLiteral("The PDF could not be started"));
  TPagePainter pages(source, options, writer);
  const bool done =
      LayOut(pages, progress) &&
      PaintPages(pages, writer, painter, AllPages(pages.Layout().PageCount()), progress);
  painter.end();
  if (!done) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) CannotCreate(fileName, file.errorString());
  return true;
}
