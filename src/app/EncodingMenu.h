#pragma once
// File > Encoding: the encoding the active document's next save writes (UTF-8, UTF-8 with
// the byte order mark, or the bytes of the document's code page), checked for the active
// document, disabled for a document whose characters no encoding could write back; and
// Reopen with, which reads the document's file again as the bytes of a code page.
#include <QObject>
#include <functional>
#include <vector>

#include "util/CodePage.h"
#include "util/TextCodec.h"

class QAction;
class QMenu;
class TChildForm;

class TEncodingMenu : public QObject {
  Q_OBJECT
 public:
  // The active document window, none without one.
  using TActive = std::function<TChildForm*()>;
  // Reads the window's file again in the code page.
  using TReopen = std::function<void(TChildForm*, TCodePage)>;

  // Adds the submenu at the end of FileMenu.
  TEncodingMenu(QMenu* fileMenu, TActive active, TReopen reopen, QObject* parent = nullptr);

  // The entries show the active document's encoding.
  void Update();

  QMenu* Menu = nullptr;
  QAction* Utf8 = nullptr;
  QAction* Utf8Bom = nullptr;
  // The document's code page as it is ("Windows-1252", "Shift-JIS" ...).
  QAction* Windows1252 = nullptr;
  QMenu* ReopenMenu = nullptr;
  // One entry per code page, in the order of codepage::kCodePages.
  std::vector<QAction*> ReopenWith;

 signals:
  // The active document's encoding changed (its next save writes another one).
  void EncodingChanged();

 private:
  void Choose(TTextEncoding encoding);

  TActive FActive;
  TReopen FReopen;
};
