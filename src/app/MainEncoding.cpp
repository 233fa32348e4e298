// The main window's part in encodings: the File menu's Encoding entries, the status
// bar's encoding panel and documents that hold characters the code page cannot show.
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>

#include "app/ChildForm.h"
#include "app/DocumentFile.h"
#include "app/MainWindow.h"
#include "highlight/RAHLEditor.h"

void TForm1::CreateEncodingMenu() {
  EncodingMenu = FFileMenu->addMenu(QStringLiteral("&Encoding"));
  auto* group = new QActionGroup(this);
  const auto add = [&](const char* caption, TTextEncoding encoding) {
    QAction* action = EncodingMenu->addAction(QString::fromLatin1(caption));
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, encoding] { SetDocumentEncoding(encoding); });
    return action;
  };
  EncodingUtf8 = add("&UTF-8", TTextEncoding::Utf8);
  EncodingUtf8Bom = add("UTF-8 with &BOM", TTextEncoding::Utf8Bom);
  Encoding1252 = add("&Windows-1252", TTextEncoding::Windows1252);
}

void TForm1::SetDocumentEncoding(TTextEncoding encoding) {
  TChildForm* child = ActiveMDIChild();
  if (child == nullptr || child->DiskFile().Encoding() == encoding) return;
  child->DiskFile().SetEncoding(encoding);
  // The file on disk no longer matches what the next save writes.
  child->Editor1().SetModified(true);
  UpdateStatus();
}

void TForm1::UpdateEncodingActions(TChildForm* child) {
  // A document with characters shown as '?' cannot be written in any encoding.
  EncodingMenu->setEnabled(child != nullptr && child->DiskFile().Unmappable() == 0);
  if (child == nullptr) return;
  const TTextEncoding encoding = child->DiskFile().Encoding();
  EncodingUtf8->setChecked(encoding == TTextEncoding::Utf8);
  EncodingUtf8Bom->setChecked(encoding == TTextEncoding::Utf8Bom);
  Encoding1252->setChecked(encoding == TTextEncoding::Windows1252);
}

QString TForm1::EncodingStatus() const {
  return FEncodingPanel->text();
}

void TForm1::KeepUnshownCharacters(TChildForm* child) {
  // Characters shown as '?' must not be written back: the document stays read-only.
  const size_t unshown = child->DiskFile().Unmappable();
  child->Editor1().SetReadOnly(unshown > 0);
  if (unshown > 0) FDialogs.ShowWarning(this, UnmappableOpenedWarning(child->FileName(), unshown));
}
