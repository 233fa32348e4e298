#include "app/HtmlExport.h"

#include <QIODevice>
#include <QSaveFile>
#include <QString>
#include <utility>
#include <vector>

#include "app/PrintSource.h"
#include "app/WorkProgress.h"
#include "highlight/RAHLEditor.h"
#include "util/Errors.h"

namespace {

// Lines converted and written at a time.
constexpr int kLinesPerChunk = 2000;

struct TClass {
  const char* Name;
  TSymbolColor TColors::*Color;
};

// The token classes, plain text first: a cell takes the first class with its look, and
// plain text needs no element of its own.
constexpr TClass kClasses[] = {
    {"plain", &TColors::PlainText},       {"comment", &TColors::Comment},
    {"number", &TColors::Number},         {"string", &TColors::Strings},
    {"symbol", &TColors::Symbol},         {"reserved", &TColors::Reserved},
    {"identifier", &TColors::Identifer},  {"preproc", &TColors::Preproc},
    {"function", &TColors::FunctionCall}, {"declaration", &TColors::Declaration},
    {"statement", &TColors::Statement},
};

QString ColorName(TColor color) {
  return TPrintSource::PaperColor(color).name(QColor::HexRgb);
}

// The CSS declarations of a look.
QString Declarations(TColor fore, TColor back, TFontStyles style) {
  QString css = QStringLiteral("color:%1;").arg(ColorName(fore));
  if (TPrintSource::PaperColor(back) != Qt::white)
    css += QStringLiteral("background-color:%1;").arg(ColorName(back));
  if (style & fsBold) css += QStringLiteral("font-weight:bold;");
  if (style & fsItalic) css += QStringLiteral("font-style:italic;");
  if (style & (fsUnderline | fsStrikeOut)) {
    css += QStringLiteral("text-decoration:");
    if (style & fsUnderline) css += QStringLiteral(" underline");
    if (style & fsStrikeOut) css += QStringLiteral(" line-through");
    css += QLatin1Char(';');
  }
  return css;
}

void AppendEscaped(QString& out, const QChar* chars, qsizetype count) {
  for (qsizetype i = 0; i < count; ++i) {
    switch (chars[i].unicode()) {
      case '<':
        out += QLatin1String("&lt;");
        break;
      case '>':
        out += QLatin1String("&gt;");
        break;
      case '&':
        out += QLatin1String("&amp;");
        break;
      default:
        out += chars[i];
    }
  }
}

QString Escaped(const QString& text) {
  QString out;
  AppendEscaped(out, text.constData(), text.size());
  return out;
}

class THtmlWriter {
 public:
  THtmlWriter(TPrintSource& source, QIODevice& out) : FSource(source), FOut(out) {}

  void WriteHead() {
    const TColors& scheme = FSource.PaperScheme();
    QString head =
        QStringLiteral(
            "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n"
            "<title>%1</title>\n<style>\n"
            "body { background-color: #ffffff; }\n"
            "pre { font-family: \"%2\", monospace; font-size: %3px; }\n")
            .arg(Escaped(FSource.Name()), QString::fromStdString(FSource.Editor().Font().Name))
            .arg(FSource.Editor().Font().Height);
    for (const TClass& c : kClasses) {
      const TSymbolColor& color = scheme.*c.Color;
      const QString css = Declarations(color.ForeColor, color.BackColor, color.Style);
      if (c.Color == &TColors::PlainText)
        head += QStringLiteral("pre { %1 }\n").arg(css);
      else
        head += QStringLiteral(".%1 { %2 }\n").arg(QLatin1String(c.Name), css);
    }
    head += QStringLiteral("</style>\n</head>\n<body>\n<pre>");
    Write(head);
  }

  void AppendLine(int line) {
    const QString text = FSource.CellText(line);
    const TLineAttrs& attrs = FSource.PaperAttrs(line);
    const int length = static_cast<int>(text.size());
    for (int col = 0; col < length;) {
      const TLineAttr& attr = FSource.CellAttr(attrs, col);
      int next = col + 1;
      while (next < length && FSource.CellAttr(attrs, next) == attr) ++next;
      const QString& open = OpeningTag(attr);
      FChunk += open;
      AppendEscaped(FChunk, text.constData() + col, next - col);
      if (!open.isEmpty()) FChunk += QLatin1String("</span>");
      col = next;
    }
    FChunk += QLatin1Char('\n');
  }

  void WriteChunk() {
    Write(FChunk);
    FChunk.clear();
  }
  void WriteTail() { Write(QStringLiteral("</pre>\n</body>\n</html>\n")); }

 private:
  // The element a run of Attr's look opens: none for plain text, the class of its token
  // class, or its own style for a look the scheme has no class for. A script has few
  // looks: each tag is made once.
  const QString& OpeningTag(const TLineAttr& attr) {
    for (const auto& [look, tag] : FTags) {
      if (look == attr) return tag;
    }
    return FTags.emplace_back(attr, MakeOpeningTag(attr)).second;
  }

  QString MakeOpeningTag(const TLineAttr& attr) const {
    const TColors& scheme = FSource.PaperScheme();
    for (const TClass& c : kClasses) {
      const TSymbolColor& color = scheme.*c.Color;
      if (TLineAttr{color.ForeColor, color.BackColor, color.Style} != attr) continue;
      if (c.Color == &TColors::PlainText) return QString();
      return QStringLiteral("<span class=\"%1\">").arg(QLatin1String(c.Name));
    }
    return QStringLiteral("<span style=\"%1\">")
        .arg(Declarations(attr.ForeColor, attr.BackColor, attr.Style));
  }

  void Write(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    if (FOut.write(bytes) != bytes.size()) throw EFileError(FOut.errorString().toStdString());
  }

  TPrintSource& FSource;
  QIODevice& FOut;
  QString FChunk;
  std::vector<std::pair<TLineAttr, QString>> FTags;
};

}  // namespace

bool WriteHtml(TPrintSource& source, QIODevice& out, TWorkProgress& progress) {
  THtmlWriter writer(source, out);
  writer.WriteHead();
  const int lines = source.LineCount();
  for (int first = 0; first < lines; first += kLinesPerChunk) {
    if (!progress.Advance(first, lines)) return false;
    const int last = std::min(first + kLinesPerChunk, lines);
    for (int line = first; line < last; ++line) writer.AppendLine(line);
    writer.WriteChunk();
  }
  writer.WriteTail();
  return true;
}

bool ExportHtml(TPrintSource& source, const QString& fileName, QWidget* parent) {
  const auto fail = [&](const QString& reason) {
    throw EFileError("Cannot create file " + fileName.toStdString() + "\n" + reason.toStdString());
  };
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) fail(file.errorString());
  TWorkProgress progress(parent, QStringLiteral("Exporting %1 as HTML...").arg(source.Name()));
  bool done = false;
  try {
    done = WriteHtml(source, file, progress);
  } catch (const EFileError&) {
    fail(file.errorString());
  }
  if (!done) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) fail(file.errorString());
  return true;
}
