#pragma once
// A document window: one script in a highlighting editor, with its file name and title
// and the question whether to save changes when it closes.
#include <QList>
#include <QString>
#include <QWidget>

#include "app/DocumentFile.h"

class EditorWidget;
class QMenu;
class TForm1;
class TRAHLEditor;

// Gives an editor the document window's settings: script highlighter, font, gutter, tab
// stops, selection colours, colour scheme and (disabled) completion.
void ConfigureScriptEditor(TRAHLEditor& editor);

class TChildForm : public QWidget {
  Q_OBJECT
 public:
  explicit TChildForm(TForm1& mainForm, QWidget* parent = nullptr);
  ~TChildForm() override;

  TRAHLEditor& Editor1() const { return *FEditor1; }
  EditorWidget& EditorView() const { return *FEditorView; }
  TForm1& MainForm() const { return FMainForm; }

  const QString& FileName() const { return FFileName; }
  // The document's file name; the caption shows it.
  void SetFileName(const QString& fileName);
  // What the window knows of its file on disk.
  TDocumentFile& DiskFile() { return FDiskFile; }

  // Whether the window may close: a modified document asks "Save changes?" first.
  bool CloseQuery();

  // The menus the main window shows between its "&File" and "&Window" menus while this
  // window is the active document window.
  const QList<QMenu*>& MergedMenus() const { return FMergedMenus; }

 protected:
  void closeEvent(QCloseEvent* event) override;

  QList<QMenu*> FMergedMenus;

 private:
  TForm1& FMainForm;
  QString FFileName;
  TDocumentFile FDiskFile;
  EditorWidget* FEditorView = nullptr;
  TRAHLEditor* FEditor1 = nullptr;
};
