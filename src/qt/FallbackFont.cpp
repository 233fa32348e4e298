#include "qt/FallbackFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>
#include <algorithm>

namespace {

QFontDatabase::WritingSystem WritingSystemOf(TCodePage page) {
  switch (page) {
    case TCodePage::cp932:
      return QFontDatabase::Japanese;
    case TCodePage::cp936:
      return QFontDatabase::SimplifiedChinese;
    case TCodePage::cp949:
      return QFontDatabase::Korean;
    case TCodePage::cp950:
      return QFontDatabase::TraditionalChinese;
    default:
      return QFontDatabase::Any;
  }
}

}  // namespace

// A CJK glyph is about one em wide: an em of two cells, no more than the grid font's
// height, keeps it inside both.
FallbackFont::FallbackFont(const QFont& grid, int cellWidth, TCodePage page) {
  QFont font(grid);
  font.setFamilies({QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP"),
                    QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("WenQuanYi Zen Hei")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, std::min(grid.pixelSize(), 2 * cellWidth)));
  FRaw = QRawFont::fromFont(font, WritingSystemOf(page));
}

quint32 FallbackFont::Glyph(char32_t c) {
  if (const auto known = FGlyphs.find(c); known != FGlyphs.end()) return known->second;
  quint32 glyph = 0;
  if (FRaw.isValid()) {
    const QList<quint32> glyphs = FRaw.glyphIndexesForString(QString::fromUcs4(&c, 1));
    if (!glyphs.isEmpty()) glyph = glyphs.front();
  }
  FGlyphs.emplace(c, glyph);
  return glyph;
}

qreal FallbackFont::Advance(quint32 glyph) const {
  const QList<QPointF> advances = FRaw.advancesForGlyphIndexes(QList<quint32>{glyph});
  return advances.isEmpty() ? 0 : advances.front().x();
}
