#pragma once
// The system clipboard through QGuiApplication::clipboard(). Text goes through the
// document's code page (Windows-1252 until set); a named format travels as the MIME type
// application/x-qt-windows-mime;value="<name>" beside the text.
#include <QString>

#include "platform/Clipboard.h"
#include "util/CodePage.h"

class QtClipboard : public Clipboard {
 public:
  bool HasText() const override;
  std::string Text() const override;
  void SetText(const std::string& text) override;
  void AddFormat(const std::string& name, const std::string& data) override;
  std::optional<std::string> Format(const std::string& name) const override;

  void SetCodePage(TCodePage page) { FCodePage = page; }

  static QString MimeTypeOf(const std::string& formatName);

 private:
  TCodePage FCodePage = TCodePage::cp1252;
};
