#include "qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "qt/CodePageText.h"

namespace {
const QMimeData* Current() {
  return QGuiApplication::clipboard()->mimeData();
}
}  // namespace

QString QtClipboard::MimeTypeOf(const std::string& formatName) {
  return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"")
      .arg(QString::fromStdString(formatName));
}

bool QtClipboard::HasText() const {
  const QMimeData* data = Current();
  return data && data->hasText();
}

// A character the code page cannot hold arrives as '?', as the platform converts it.
std::string QtClipboard::Text() const {
  return codepagetext::FromQString(QGuiApplication::clipboard()->text(), FCodePage, '?');
}

void QtClipboard::SetText(const std::string& text) {
  auto* data = new QMimeData;
  data->setText(codepagetext::ToQString(text, FCodePage));
  QGuiApplication::clipboard()->setMimeData(data);
}

void QtClipboard::AddFormat(const std::string& name, const std::string& data) {
  auto* merged = new QMimeData;
  if (const QMimeData* old = Current()) {
    for (const QString& format : old->formats()) merged->setData(format, old->data(format));
  }
  merged->setData(MimeTypeOf(name), QByteArray(data.data(), static_cast<qsizetype>(data.size())));
  QGuiApplication::clipboard()->setMimeData(merged);
}

std::optional<std::string> QtClipboard::Format(const std::string& name) const {
  const QMimeData* data = Current();
  const QString mime = MimeTypeOf(name);
  if (!data || !data->hasFormat(mime)) return std::nullopt;
  return data->data(mime).toStdString();
}
