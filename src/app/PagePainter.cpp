#include "app/PagePainter.h"

#include <QDate>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/PrintSource.h"
#include "highlight/RAHLEditor.h"

namespace {

constexpr char16_t kCachedChars = 0x2200;
constexpr quint32 kUnknownGlyph = 0xFFFFFFFFu;
const QColor kMarginColor(128, 128, 128);

// The editor's font at the device's resolution (the screen's pixels are 1/96 inch).
QRawFont RawFont(const TFont& font, int style, qreal pixelSize) {
  QFont f(QString::fromStdString(font.Name));
  f.setStyleHint(QFont::TypeWriter);
  f.setBold((style & fsBold) != 0);
  f.setItalic((style & fsItalic) != 0);
  QRawFont raw = QRawFont::fromFont(f);
  raw.setPixelSize(pixelSize);
  return raw;
}

qreal Advance(const QRawFont& font, QChar c) {
  const QVector<quint32> glyphs = font.glyphIndexesForString(QString(c));
  if (glyphs.isEmpty()) return 0;
  const QVector<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
  return advances.isEmpty() ? 0 : advances.first().x();
}

// The first of the marks the font has for a row that continues the line above.
QChar ContinuationMark(const QRawFont& font) {
  for (const QChar c : {QChar(0x2192), QChar(0x00BB)}) {
    if (font.supportsCharacter(c)) return c;
  }
  return QLatin1Char('+');
}

bool SameLook(const TLineAttr& a, const TLineAttr& b, bool colors) {
  return a.Style == b.Style &&
         (!colors || (a.ForeColor == b.ForeColor && a.BackColor == b.BackColor));
}

}  // namespace

TPagePainter::TPagePainter(TPrintSource& source, const TPrintOptions& options,
                           const QPaintDevice& device, QString date)
    : FSource(source),
      FOptions(options),
      FDate(date.isEmpty() ? QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) : date),
      FLayout(
          [&] {
            const TFont& font = source.Editor().Font();
            const qreal pixelSize = font.Height * device.logicalDpiY() / 96.0;
            for (int style = 0; style < 4; ++style) {
              FFonts[style] = RawFont(font, style, pixelSize);
              FGlyphs[style].assign(kCachedChars, kUnknownGlyph);
            }
            const QRawFont& regular = FFonts[0];
            FCellWidth = std::max(Advance(regular, QLatin1Char('0')), 1.0);
            FAscent = regular.ascent();
            FRowHeight = std::max(std::ceil(regular.ascent() + regular.descent()), 1.0);
            FPageWidth = device.width();
            FPageHeight = device.height();
            FMark = ContinuationMark(regular);
            FFrameFont = QFont(QString::fromStdString(font.Name));
            FFrameFont.setStyleHint(QFont::TypeWriter);
            FFrameFont.setPixelSize(std::max(qRound(pixelSize), 1));
            return Grid();
          }(),
          source.LineCount(), [&source](int line) { return source.PrintedLength(line); }) {}

TPageGrid TPagePainter::Grid() const {
  TPageGrid grid;
  grid.Columns = static_cast<int>(FPageWidth / FCellWidth);
  grid.Rows = static_cast<int>(FPageHeight / FRowHeight);
  grid.LineNumbers = FOptions.LineNumbers;
  grid.Header = FOptions.Header;
  grid.Footer = FOptions.Footer;
  return grid;
}

void TPagePainter::PaintPage(QPainter& painter, int page) {
  painter.save();
  // Painting the screen between two pages reuses the control's attribute array.
  FRowLine = -1;
  for (TBatch& batch : FBatches) {
    batch.Glyphs.clear();
    batch.Positions.clear();
  }
  if (FOptions.Header) PaintHeader(painter);
  const std::vector<TPrintedRow> rows = FLayout.PageRows(page);
  for (size_t i = 0; i < rows.size(); ++i) {
    PaintRow(painter, rows[i], (FLayout.TextTop() + static_cast<int>(i)) * FRowHeight);
  }
  DrawBatches(painter);
  if (FOptions.Footer) PaintFooter(painter, page);
  painter.restore();
}

void TPagePainter::PaintRow(QPainter& painter, const TPrintedRow& row, qreal top) {
  // The document may have changed under a long job: a line that went prints nothing.
  if (row.Line >= FSource.LineCount()) return;
  PaintMargin(row, top + FAscent);
  if (row.Line != FRowLine) {
    FRowLine = row.Line;
    FRowText = FSource.CellText(row.Line);
    FRowAttrs = &FSource.PaperAttrs(row.Line);
  }
  const int end = std::min(row.Col + row.Count, static_cast<int>(FRowText.size()));
  const qreal left = FLayout.MarginCells() * FCellWidth;
  for (int col = row.Col; col < end;) {
    const TLineAttr& attr = FSource.CellAttr(*FRowAttrs, col);
    int next = col + 1;
    while (next < end && SameLook(FSource.CellAttr(*FRowAttrs, next), attr, FOptions.Colors))
      ++next;
    PaintRun(painter, FRowText, col, next - col, attr, left + (col - row.Col) * FCellWidth, top);
    col = next;
  }
}

void TPagePainter::PaintRun(QPainter& painter, const QString& text, int col, int count,
                            const TLineAttr& attr, qreal x, qreal top) {
  const qreal width = count * FCellWidth;
  QColor fore = Qt::black;
  if (FOptions.Colors) {
    fore = TPrintSource::PaperColor(attr.ForeColor);
    const QColor back = TPrintSource::PaperColor(attr.BackColor);
    if (back != Qt::white) painter.fillRect(QRectF(x, top, width, FRowHeight), back);
  }
  const int font = attr.Style & (fsBold | fsItalic);
  const qreal baseline = top + FAscent;
  AddText(font, fore.rgb(), text.constData() + col, count, x, baseline);
  const QRawFont& raw = FFonts[font];
  const qreal thickness = std::max(raw.lineThickness(), 1.0);
  if (attr.Style & fsUnderline) {
    painter.fillRect(QRectF(x, baseline + raw.underlinePosition(), width, thickness), fore);
  }
  if (attr.Style & fsStrikeOut) {
    painter.fillRect(QRectF(x, baseline - raw.xHeight() / 2, width, thickness), fore);
  }
}

void TPagePainter::PaintMargin(const TPrintedRow& row, qreal baseline) {
  const qreal markX = (FLayout.NumberCells() - 1) * FCellWidth;
  if (row.Continued()) {
    AddText(0, kMarginColor.rgb(), &FMark, 1, markX, baseline);
  } else if (FOptions.LineNumbers) {
    const QString number = QString::number(row.Line + 1);
    const qreal x = markX - (number.size() - 1) * FCellWidth;
    AddText(0, kMarginColor.rgb(), number.constData(), static_cast<int>(number.size()), x,
            baseline);
  }
}

void TPagePainter::PaintHeader(QPainter& painter) const {
  painter.setFont(FFrameFont);
  painter.setPen(Qt::black);
  const QFontMetricsF metrics(FFrameFont, painter.device());
  const qreal dateWidth = metrics.horizontalAdvance(FDate);
  const qreal nameWidth = std::max(FPageWidth - dateWidth - 2 * FCellWidth, FCellWidth);
  const QString name = metrics.elidedText(FSource.Name(), Qt::ElideMiddle, nameWidth);
  const QRectF row(0, 0, FPageWidth, FRowHeight);
  painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, name);
  painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, FDate);
  const qreal thickness = std::max(FFonts[0].lineThickness(), 1.0);
  painter.fillRect(QRectF(0, FRowHeight * 1.5, FPageWidth, thickness), kMarginColor);
}

void TPagePainter::PaintFooter(QPainter& painter, int page) const {
  painter.setFont(FFrameFont);
  painter.setPen(Qt::black);
  const QString text = QString::fromStdString(PageNumberText(page + 1, FLayout.PageCount()));
  painter.drawText(QRectF(0, FLayout.FooterRow() * FRowHeight, FPageWidth, FRowHeight),
                   Qt::AlignHCenter | Qt::AlignVCenter, text);
}

void TPagePainter::AddText(int font, QRgb color, const QChar* chars, int count, qreal x,
                           qreal baseline) {
  TBatch* batch = nullptr;
  for (TBatch& b : FBatches) {
    if (b.Font == font && b.Color == color) batch = &b;
  }
  if (batch == nullptr) batch = &FBatches.emplace_back(TBatch{font, color, {}, {}});
  for (int i = 0; i < count; ++i) {
    if (chars[i].unicode() <= ' ') continue;
    batch->Glyphs.append(GlyphOf(font, chars[i]));
    batch->Positions.append(QPointF(x + i * FCellWidth, baseline));
  }
}

quint32 TPagePainter::GlyphOf(int font, QChar c) {
  const auto lookUp = [&] {
    quint32 glyph = 0;
    int count = 1;
    FFonts[font].glyphIndexesForChars(&c, 1, &glyph, &count);
    return glyph;
  };
  if (c.unicode() >= kCachedChars) return lookUp();
  quint32& cached = FGlyphs[font][c.unicode()];
  if (cached == kUnknownGlyph) cached = lookUp();
  return cached;
}

void TPagePainter::DrawBatches(QPainter& painter) {
  for (TBatch& batch : FBatches) {
    if (batch.Glyphs.isEmpty()) continue;
    QGlyphRun run;
    run.setRawFont(FFonts[batch.Font]);
    run.setGlyphIndexes(batch.Glyphs);
    run.setPositions(batch.Positions);
    painter.setPen(QColor::fromRgb(batch.Color));
    painter.drawGlyphRun(QPointF(0, 0), run);
  }
}
