#include "app/EncodingMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/ChildForm.h"
#include "highlight/RAHLEditor.h"

TEncodingMenu::TEncodingMenu(QMenu* fileMenu, TActive active, QObject* parent)
    : QObject(parent), FActive(std::move(active)) {
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
  // A document with characters shown as '?' cannot be written in any encoding.
  Menu->setEnabled(child != nullptr && child->DiskFile().Unmappable() == 0);
  if (child == nullptr) return;
  const TTextEncoding encoding = child->DiskFile().Encoding();
  Utf8->setChecked(encoding == TTextEncoding::Utf8);
  Utf8Bom->setChecked(encoding == TTextEncoding::Utf8Bom);
  Windows1252->setChecked(encoding == TTextEncoding::Windows1252);
}
