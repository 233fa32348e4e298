#pragma once
// Printed pages of a document drawn onto any QPainter device (a printer, a PDF writer, the
// preview, an image). The grid is a TPageLayout in the editor's font scaled from the
// screen's 96 dots per inch to the device's; each cell is drawn in the look the control
// paints it with, on white paper (black on white without colours); the header carries the
// file's name on the left and the date on the right above a rule, the footer "Page N of M"
// in the middle.
//
// The text of a page is drawn as one glyph run per font and colour, positioned on the
// grid, which keeps a PDF of a long script small and quick to write.
#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QRgb>
#include <QString>
#include <QVector>
#include <array>
#include <vector>

#include "app/PrintOptions.h"
#include "editor/EditorTypes.h"
#include "editor/PageLayout.h"

class QPainter;
class QPaintDevice;
class TPrintSource;

class TPagePainter {
 public:
  // Date is the header's; empty gives today's in the short form of the user's locale.
  TPagePainter(TPrintSource& source, const TPrintOptions& options, const QPaintDevice& device,
               QString date = QString());

  // The pages of the document; lay them out (LayOutUntil) before painting.
  TPageLayout& Layout() { return FLayout; }
  const TPageLayout& Layout() const { return FLayout; }
  // Draws Page (0-based) with the painter's origin at the top left of the printable area.
  void PaintPage(QPainter& painter, int page);

  qreal CellWidth() const { return FCellWidth; }
  qreal RowHeight() const { return FRowHeight; }
  const QString& Date() const { return FDate; }

 private:
  // Text of one font and colour on the page, drawn when the page is done.
  struct TBatch {
    int Font = 0;
    QRgb Color = 0;
    QVector<quint32> Glyphs;
    QVector<QPointF> Positions;
  };
  TPageGrid Grid() const;
  void PaintRow(QPainter& painter, const TPrintedRow& row, qreal top);
  void PaintRun(QPainter& painter, const QString& text, int col, int count, const TLineAttr& attr,
                qreal x, qreal top);
  void PaintMargin(const TPrintedRow& row, qreal baseline);
  void PaintHeader(QPainter& painter) const;
  void PaintFooter(QPainter& painter, int page) const;
  // Adds the characters that show (not blanks or control characters) to the batch of
  // Font and Color, one cell apart from X.
  void AddText(int font, QRgb color, const QChar* chars, int count, qreal x, qreal baseline);
  quint32 GlyphOf(int font, QChar c);
  void DrawBatches(QPainter& painter);

  TPrintSource& FSource;
  TPrintOptions FOptions;
  QString FDate;
  // Regular, bold, italic, bold italic: the style's bold and italic bits.
  std::array<QRawFont, 4> FFonts;
  // Glyphs of the characters up to kCachedChars, looked up once per font.
  std::array<std::vector<quint32>, 4> FGlyphs;
  QFont FFrameFont;
  qreal FCellWidth = 1;
  qreal FRowHeight = 1;
  qreal FAscent = 0;
  qreal FPageWidth = 0;
  qreal FPageHeight = 0;
  QChar FMark;
  TPageLayout FLayout;
  std::vector<TBatch> FBatches;
  // The line whose text and look the rows of the page being painted use.
  int FRowLine = -1;
  QString FRowText;
  const TLineAttrs* FRowAttrs = nullptr;
};
