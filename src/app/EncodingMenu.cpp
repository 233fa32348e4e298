#include "app/EncodingMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/ChildForm.h"
#include "highlight/RAHLEditor.h"

namespace {

QString Latin1(std::string_view s) {
  return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

TEncodingMenu::TEncodingMenu(QMenu* fileMenu, TActive active, TReopen reopen, QObject* parent)
    : QObject(parent), FActive(std::move(active)), FReopen(std::move(reopen)) {
  Menu = fileMenu->addMenu(QStringLiteral("&Encoding"));
  auto* group = new QActionGroup(this);
  const auto add = [&](const char* caption, TTextEncoding encoding) {
    QAction* action = Menu->addAction(QString::fromLatin1(caption));
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, encoding] { Choose(encoding); });
    return action;
  };
  Utf8 = add("&UTF-8", TTextEncoding::Utf8);
  Utf8Bom = add("UTF-8 with &BOM", TTextEncoding::Utf8Bom);
  Windows1252 = add("&Windows-1252", TTextEncoding::Windows1252);
  Menu->addSeparator();
  ReopenMenu = Menu->addMenu(QStringLiteral("&Reopen with"));
  for (const TCodePage page : codepage::kCodePages) {
    // Numbered 1..9, 0 for the keyboard.
    const int key = (static_cast<int>(ReopenWith.size()) + 1) % 10;
    QAction* action =
        ReopenMenu->addAction(QStringLiteral("&%1 %2 (%3)")
                                  .arg(QString::number(key), Latin1(codepage::Name(page)),
                                       Latin1(codepage::WritingSystem(page))));
    connect(action, &QAction::triggered, this, [this, page] {
      if (TChildForm* child = FActive()) FReopen(child, page);
      emit EncodingChanged();
    });
    ReopenWith.push_back(action);
  }
}

void TEncodingMenu::Choose(TTextEncoding encoding) {
  TChildForm* child = FActive();
  if (child == nullptr || child->DiskFile().Encoding() == encoding) return;
  child->DiskFile().SetEncoding(encoding);
  // The file on disk no longer matches what the next save writes.
  child->Editor1().SetModified(true);
  emit EncodingChanged();
}

void TEncodingMenu::Update() {
  TChildForm* child = FActive();
  Menu->setEnabled(child != nullptr);
  if (child == nullptr) return;
  // A document with characters shown as '?' cannot be written in any encoding; its file
  // can still be read again in another code page.
  const bool writable = child->DiskFile().Unmappable() == 0;
  for (QAction* action : {Utf8, Utf8Bom, Windows1252}) action->setEnabled(writable);
  ReopenMenu->setEnabled(!child->FileName().isEmpty());
  const TTextEncoding encoding = child->DiskFile().Encoding();
  Windows1252->setText(QStringLiteral("&") + Latin1(codepage::Name(child->DiskFile().CodePage())));
  Utf8->setChecked(encoding == TTextEncoding::Utf8);
  Utf8Bom->setChecked(encoding == TTextEncoding::Utf8Bom);
  Windows1252->setChecked(encoding == TTextEncoding::Windows1252);
}
