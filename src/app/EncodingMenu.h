#pragma once
// File > Encoding: the encoding the active document's next save writes (UTF-8, UTF-8 with
// the byte order mark, Windows-1252), checked for the active document, disabled for a
// document whose characters no encoding could write back.
#include <QObject>
#include <functional>

#include "util/TextCodec.h"

class QAction;
class QMenu;
class TChildForm;

class TEncodingMenu : public QObject {
  Q_OBJECT
 public:
  // The active document window, none without one.
  using TActive = std::function<TChildForm*()>;

  // Adds the submenu at the end of FileMenu.
  TEncodingMenu(QMenu* fileMenu, TActive active, QObject* parent = nullptr);

  // The entries show the active document's encoding.
  void Update();

  QMenu* Menu = nullptr;
  QAction* Utf8 = nullptr;
  QAction* Utf8Bom = nullptr;
  QAction* Windows1252 = nullptr;

 signals:
  // The active document's encoding changed (its next save writes another one).
  void EncodingChanged();

 private:
  void Choose(TTextEncoding encoding);

  TActive FActive;
};
