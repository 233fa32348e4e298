#pragma once
// Search > Find in Open Scripts: a panel at the bottom of the main window that lists
// every occurrence of a search in every open document, in the order the documents were
// opened and, within one, from the top: the document, the line number and the line's
// text with the occurrence marked. Enter or a double click on a row brings that document
// to the front with the occurrence selected. The list is what the documents held when it
// was made; Find All makes it again.
#include <QAbstractTableModel>
#include <QDockWidget>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "editor/EditorSearch.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;
class QTreeView;
class TChildForm;

// One occurrence as the panel lists it.
struct TScriptHit {
  QPointer<TChildForm> Window;
  QString Document;
  editorsearch::TOccurrence Place;
  // The line's text as shown (leading blanks cut) and the marked part of it.
  QString Text;
  int MarkFrom = 0;
  int MarkLength = 0;
};

// Every occurrence of Options in Windows, in that order; at most Limit of them.
std::vector<TScriptHit> FindInScripts(const QList<TChildForm*>& windows,
                                      const editorsearch::TSearchOptions& options, int limit);

// The rows of the panel: document, line, text.
class TScriptHitModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void SetHits(std::vector<TScriptHit> hits);
  const std::vector<TScriptHit>& Hits() const { return FHits; }
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<TScriptHit> FHits;
};

class TOpenScriptsPanel : public QDockWidget {
  Q_OBJECT
 public:
  using TWindows = std::function<QList<TChildForm*>()>;
  // Windows gives the open documents in the order to list them.
  explicit TOpenScriptsPanel(TWindows windows, QWidget* parent = nullptr);

  // Shows the panel with Text to search for (the last one when empty) and, with a text,
  // lists its occurrences at once.
  void Execute(const QString& text);
  // Lists the occurrences of the panel's text with its options.
  void FindAll();
  // Brings the document of row Row to the front with that occurrence selected.
  void GoTo(int row);
  const TScriptHitModel& Model() const { return *FModel; }

  QLineEdit* FindEdit = nullptr;
  QCheckBox* MatchCaseBox = nullptr;
  QCheckBox* WholeWordBox = nullptr;
  QCheckBox* RegexBox = nullptr;
  QPushButton* FindAllButton = nullptr;
  QLabel* Summary = nullptr;
  QTreeView* Results = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TWindows FWindows;
  TScriptHitModel* FModel = nullptr;
};

// Puts a panel listing Windows' documents on Frame, hidden until a document window asks
// for it; Listen(window) lets a new document window ask through its Search menu.
TOpenScriptsPanel* InstallOpenScriptsPanel(QMainWindow& frame, TOpenScriptsPanel::TWindows windows);
void ListenForOpenScriptsSearch(TOpenScriptsPanel& panel, TChildForm& window);
