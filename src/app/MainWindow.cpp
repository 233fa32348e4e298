#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <algorithm>

#include "app/Actions.h"
#include "app/ChildForm.h"
#include "app/DocumentFile.h"
#include "app/DocumentScript.h"
#include "app/Documents.h"
#include "app/EncodingMenu.h"
#include "app/FileDrop.h"
#include "app/KeysWindow.h"
#include "app/OpenScriptsSearch.h"
#include "app/PrintCommands.h"
#include "app/ScriptAssist.h"
#include "app/Settings.h"
#include "app/Shortcuts.h"
#include "app/WindowBounds.h"
#include "app/WindowPlacement.h"
#include "highlight/RAHLEditor.h"

namespace {

// The status bar's panels and their least widths.
constexpr int kPanelCount = 3;
constexpr int kPanelWidths[kPanelCount] = {100, 100, 50};

// The windows of Area that are not minimised, in Order.
QList<QMdiSubWindow*> ShownWindows(const QMdiArea& area, QMdiArea::WindowOrder order) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : area.subWindowList(order)) {
    if (!window->isMinimized()) windows.append(window);
  }
  return windows;
}

// Panel 0 as wide as the caret position needs on the document's last row and furthest
// column (the caret stops at column 1025), panel 1 as "Modified" needs: neither text ever
// runs into the next panel. Neither is narrower than designed.
void FitPositionPanels(QLabel* position, QLabel* modified, const TRAHLEditor& editor) {
  const QFontMetrics metrics(position->font());
  const int rows = std::max(editor.Lines().Count(), editor.CaretY() + 1);
  const QString widest =
      QStringLiteral("Row:%1 Col:1025").arg(QString(QString::number(rows).size(), u'8'));
  const int padding = 2 * metrics.averageCharWidth();
  const int positionWidth = std::max(kPanelWidths[0], metrics.horizontalAdvance(widest) + padding);
  if (position->minimumWidth() != positionWidth) position->setMinimumWidth(positionWidth);
  const int modifiedWidth =
      std::max(kPanelWidths[1], metrics.horizontalAdvance(QStringLiteral("Modified")) + padding);
  if (modified->minimumWidth() != modifiedWidth) modified->setMinimumWidth(modifiedWidth);
}

}  // namespace

TForm1::TForm1(TAppDialogs dialogs, QWidget* parent)
    : QMainWindow(parent), FDialogs(std::move(dialogs)) {
  // Failures anywhere in the program are shown through this window's dialogs.
  FPreviousReporter = SetErrorReporter([this](QWidget* where, const std::string& message) {
    FDialogs.ShowError(where ? where : this, QString::fromStdString(message));
  });
  setWindowTitle(QStringLiteral("MarvekWorld Script Editor"));
  FMdiArea = new QMdiArea(this);
  // Screen readers name the area when the focus comes back to a document.
  FMdiArea->setAccessibleName(QStringLiteral("Documents"));
  setCentralWidget(FMdiArea);
  CreateDocuments();
  CreateActions();
  CreateMenus();
  CreateStatusBar();
  CreateViewMenu();
  CreateDesktopShortcuts();
  CreateSessionCommands();
  connect(FMdiArea, &QMdiArea::subWindowActivated, this, &TForm1::OnSubWindowActivated);
  Timer1 = new QTimer(this);
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, [this] {
    Guarded(this, [this] {
      UpdateStatus();
      UpdateActions();
    });
  });
  Timer1->start();
  ApplySettings();
  LoadPreferences();
  UpdateActions();
  setAcceptDrops(true);
}

TForm1::~TForm1() {
  // The document windows go with the frame; no more refreshes while they do.
  Timer1->stop();
  disconnect(FMdiArea, nullptr, this, nullptr);
  SetErrorReporter(std::move(FPreviousReporter));
}

void TForm1::CreateActions() {
  Action1 = MakeAction(this, "&New");
  connect(Action1, &QAction::triggered, this,
          [this] { Guarded(this, [this] { FDocuments->NewDocument(); }); });
  FileOpen1 = MakeAction(this, "&Open...", Qt::CTRL | Qt::Key_O, "Open|Opens an existing file");
  connect(FileOpen1, &QAction::triggered, this, &TForm1::ExecuteOpen);
  Action2 = MakeAction(this, "&Save");
  connect(Action2, &QAction::triggered, this,
          [this] { FDocuments->SaveDocument(FDocuments->ActiveMDIChild()); });
  FileSaveAs1 =
      MakeAction(this, "Save &As...", {}, "Save As|Saves the active file with a new name");
  connect(FileSaveAs1, &QAction::triggered, this,
          [this] { FDocuments->SaveDocumentAs(FDocuments->ActiveMDIChild()); });
  PrintDlg1 = MakeAction(this, "&Print...", Qt::CTRL | Qt::Key_P);
  connect(PrintDlg1, &QAction::triggered, this, &TForm1::ExecutePrint);
  FileExit1 = MakeAction(this, "E&xit", {}, "Exit|Quits the application");
  connect(FileExit1, &QAction::triggered, this, &QWidget::close);

  WindowClose1 = MakeAction(this, "C&lose", {}, "Close");
  connect(WindowClose1, &QAction::triggered, this, [this] {
    if (QMdiSubWindow* window = FMdiArea->currentSubWindow()) window->close();
  });
  WindowCascade1 = MakeAction(this, "&Cascade", {}, "Cascade");
  connect(WindowCascade1, &QAction::triggered, this, &TForm1::CascadeWindows);
  WindowTileHorizontal1 = MakeAction(this, "Tile &Horizontally", {}, "Tile Horizontal");
  connect(WindowTileHorizontal1, &QAction::triggered, this, [this] { TileWindows(false); });
  WindowTileVertical1 = MakeAction(this, "&Tile Vertically", {}, "Tile Vertical");
  connect(WindowTileVertical1, &QAction::triggered, this, [this] { TileWindows(true); });
  WindowMinimizeAll1 = MakeAction(this, "&Minimize All", {}, "Minimize All");
  connect(WindowMinimizeAll1, &QAction::triggered, this, [this] {
    for (QMdiSubWindow* window : FMdiArea->subWindowList()) window->showMinimized();
  });
  WindowArrange1 = MakeAction(this, "&Arrange");
  connect(WindowArrange1, &QAction::triggered, this, &TForm1::ArrangeIcons);

  About1 = MakeAction(this, "&About");
  connect(About1, &QAction::triggered, this, [this] { FDialogs.ShowAbout(this); });
}

void TForm1::CreateMenus() {
  FFileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  FFileMenu->addActions({Action1, FileOpen1, Action2, FileSaveAs1});
  FEncodingMenu = new TEncodingMenu(
      FFileMenu, [this] { return FDocuments->ActiveMDIChild(); },
      [this](TChildForm* child, TCodePage page) { FDocuments->ReopenWith(child, page); }, this);
  connect(FEncodingMenu, &TEncodingMenu::EncodingChanged, this, &TForm1::UpdateStatus);
  FFileMenu->addAction(PrintDlg1);
  // Print Preview... and Export, enabled as the menu opens.
  FPrintCommands = new TPrintCommands(
      this, FDialogs, [this] { return FDocuments->ActiveMDIChild(); },
      [this](const QString& message) { ShowMessage(message); });
  FFileMenu->addActions(FPrintCommands->MenuActions());
  connect(FFileMenu, &QMenu::aboutToShow, FPrintCommands, &TPrintCommands::UpdateActions);
  FFileMenu->addSeparator();
  FFileMenu->addAction(FileExit1);
  // A document window's menus go in front of this one while it is active.
  FWindowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
  FWindowMenu->addActions({WindowClose1, WindowCascade1, WindowTileHorizontal1, WindowTileVertical1,
                           WindowMinimizeAll1, WindowArrange1});
  FHelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  FHelpMenu->addAction(About1);
  connect(FFileMenu, &QMenu::aboutToShow, this, &TForm1::ShowRecentFiles);
  connect(FWindowMenu, &QMenu::aboutToShow, this, &TForm1::ShowWindowList);
  // The frame takes these keys before the editor, also while their entry is disabled.
  BindWindowShortcut(FileOpen1, this);
  BindWindowShortcut(PrintDlg1, this);
}

void TForm1::CreateStatusBar() {
  for (int i = 0; i < kPanelCount; ++i) {
    FPanels[i] = new QLabel(statusBar());
    // A panel grows to show its whole text.
    FPanels[i]->setMinimumWidth(kPanelWidths[i]);
    statusBar()->addWidget(FPanels[i]);
  }
  FSearchPanel = new QLabel(statusBar());
  statusBar()->addPermanentWidget(FSearchPanel);
  FEncodingPanel = new QLabel(statusBar());
  statusBar()->addPermanentWidget(FEncodingPanel);
  FMessageTimer = new QTimer(this);
  FMessageTimer->setSingleShot(true);
  FMessageTimer->setInterval(8000);
  connect(FMessageTimer, &QTimer::timeout, FPanels[2], &QLabel::clear);
}

void TForm1::CreateViewMenu() {
  LineNumbers1 = MakeAction(this, "&Line Numbers", {},
                            "Line Numbers|Shows the number of every line in the gutter");
  LineNumbers1->setCheckable(true);
  connect(LineNumbers1, &QAction::toggled, this, &TForm1::SetLineNumbers);
  HighlightWord1 =
      MakeAction(this, "&Highlight Word Under Caret", {},
                 "Highlight Word Under Caret|Marks every occurrence of the word at the caret");
  HighlightWord1->setCheckable(true);
  connect(HighlightWord1, &QAction::toggled, this, &TForm1::SetHighlightWord);
  ZoomIn1 = MakeAction(this, "Zoom &In", {}, "Zoom In|Makes the text larger");
  ZoomIn1->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(ZoomIn1, &QAction::triggered, this, [this] { ZoomBy(1); });
  ZoomOut1 =
      MakeAction(this, "Zoom &Out", Qt::CTRL | Qt::Key_Minus, "Zoom Out|Makes the text smaller");
  connect(ZoomOut1, &QAction::triggered, this, [this] { ZoomBy(-1); });
  ZoomReset1 = MakeAction(this, "&Normal Size", Qt::CTRL | Qt::ALT | Qt::Key_0,
                          "Normal Size|Shows the text in its designed size");
  connect(ZoomReset1, &QAction::triggered, this, [this] { SetFontHeight(kDesignFontHeight); });
  FViewMenu = new QMenu(QStringLiteral("&View"), this);
  FViewMenu->addActions({LineNumbers1, HighlightWord1});
  FViewMenu->addSeparator();
  FViewMenu->addActions({ZoomIn1, ZoomOut1, ZoomReset1});
  menuBar()->insertMenu(FWindowMenu->menuAction(), FViewMenu);
  // The keys work wherever the focus is in the frame.
  addActions({ZoomIn1, ZoomOut1, ZoomReset1});
  FScriptAssist = new TScriptAssist(*this, *FViewMenu);
  connect(FScriptAssist, &TScriptAssist::SuggestWordsChanged, this, [this] {
    for (TChildForm* child : FDocuments->MDIChildren()) FScriptAssist->Apply(child);
  });
}

void TForm1::ApplySettings() {
  TAppSettings settings;
  try {
    LoadSettings(settings);
  } catch (const ESettingsError& e) {
    FDialogs.ShowError(this, QString::fromStdString(e.what()));
  }
  FFilePath = settings.FilePath;
  FRecentFiles.SetFiles(settings.RecentFiles);
  FLineNumbers = settings.LineNumbers;
  LineNumbers1->setChecked(FLineNumbers);
  FFontHeight = ValidFontHeight(settings.FontHeight);
  FScriptAssist->SetSuggestWords(settings.SuggestWords);
  const QRect bounds = FitToScreens(settings.Bounds, TAppSettings().Bounds, AvailableScreenAreas());
  move(bounds.topLeft());
  resize(bounds.size());
}

void TForm1::WriteSettings() {
  // A store that cannot be written must not keep the program from closing.
  SaveSettings(TAppSettings{FFilePath, QRect(pos(), size()), FRecentFiles.Files(), FLineNumbers,
                            FFontHeight, FScriptAssist->SuggestWords()});
}

// ---- documents ----

void TForm1::CreateDocuments() {
  FDocuments = new TDocuments(*FMdiArea, FDialogs, this);
  connect(FDocuments, &TDocuments::DocumentCreated, this, [this](TChildForm* child) {
    PrepareDocumentWindow(child);
    ApplyView(child);
    connect(child, &TChildForm::ZoomRequested, this, &TForm1::ZoomBy);
    ListenForOpenScriptsSearch(*FOpenScripts, *child);
  });
  connect(FDocuments, &TDocuments::FileOpened, this,
          [this](const QString& fileName) { FFilePath = QFileInfo(fileName).absolutePath(); });
  connect(FDocuments, &TDocuments::FileUsed, this,
          [this](const QString& fileName) { FRecentFiles.Add(fileName); });
  connect(FDocuments, &TDocuments::Message, this, &TForm1::ShowMessage);
  FOpenScripts = InstallOpenScriptsPanel(*this, [this] { return FDocuments->InOpeningOrder(); });
}

void TForm1::ExecuteOpen() {
  const QString fileName = FDialogs.OpenFileName(this);
  if (!fileName.isEmpty()) FDocuments->OpenFile(fileName);
}

void TForm1::ExecutePrint() {
  FPrintCommands->Print();
}

void TForm1::Print(QPrinter& printer) {
  FPrintCommands->PrintOn(printer);
}

void TForm1::EndBySignal() {
  FDocuments->KeepUnsavedForNextStart();
  RememberSession();
  WriteSettings();
  QApplication::exit(0);
  // A signal during a dialog shown before the main loop runs (the recovery offer) only
  // ends that dialog's loop; this ends the main loop once it starts.
  QMetaObject::invokeMethod(
      qApp, [] { QApplication::exit(0); }, Qt::QueuedConnection);
}

// ---- window arrangement ----

void TForm1::CascadeWindows() {
  // Bottom to top, each a step further: every title bar stays visible and the window on
  // top stays there.
  const QList<QMdiSubWindow*> windows = ShownWindows(*FMdiArea, QMdiArea::StackingOrder);
  if (windows.isEmpty()) return;
  const QList<QRect> places =
      CascadePlaces(FMdiArea->viewport()->rect(), CascadeStep(windows.constFirst()),
                    static_cast<int>(windows.size()));
  for (int i = 0; i < windows.size(); ++i) {
    if (windows[i]->isMaximized()) windows[i]->showNormal();
    windows[i]->setGeometry(places[i]);
    windows[i]->raise();
  }
}

void TForm1::TileWindows(bool sideBySide) {
  const QList<QMdiSubWindow*> windows = ShownWindows(*FMdiArea, QMdiArea::CreationOrder);
  const QList<QRect> places =
      TilePlaces(FMdiArea->viewport()->rect(), static_cast<int>(windows.size()), sideBySide);
  for (int i = 0; i < windows.size(); ++i) {
    if (windows[i]->isMaximized()) windows[i]->showNormal();
    windows[i]->setGeometry(places[i]);
  }
}

void TForm1::ArrangeIcons() {
  QList<QMdiSubWindow*> icons;
  QList<QSize> sizes;
  for (QMdiSubWindow* window : FMdiArea->subWindowList()) {
    if (!window->isMinimized()) continue;
    icons.append(window);
    sizes.append(window->size());
  }
  const QList<QPoint> places =
      IconPlaces(FMdiArea->viewport()->width(), FMdiArea->viewport()->height(), sizes);
  for (int i = 0; i < icons.size(); ++i) icons[i]->move(places[i]);
}

// ---- status and action update ----

QString TForm1::StatusPanel(int index) const {
  return index >= 0 && index < kPanelCount ? FPanels[index]->text() : QString();
}

void TForm1::UpdateStatus() {
  // While a menu is open, panel 0 keeps the hint of the entry the pointer or the keyboard
  // is on; the caret position comes back when it closes.
  const bool hinting = qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
  TChildForm* child = FDocuments->ActiveMDIChild();
  if (child == nullptr) {
    if (!hinting) FPanels[0]->clear();
    FPanels[1]->clear();
    FEncodingPanel->clear();
    FSearchPanel->clear();
    if (!FMessageTimer->isActive()) FPanels[2]->clear();
    return;
  }
  FEncodingPanel->setText(EncodingName(child->DiskFile().Encoding(), child->DiskFile().CodePage()));
  FSearchPanel->setText(child->SearchStatus());
  const TRAHLEditor& editor = child->Editor1();
  FitPositionPanels(FPanels[0], FPanels[1], editor);
  if (!hinting)
    FPanels[0]->setText(
        QStringLiteral("Row:%1 Col:%2").arg(editor.CaretY() + 1).arg(editor.CaretX() + 1));
  FPanels[1]->setText(editor.Modified() ? QStringLiteral("Modified") : QString());
  // Panel 2: a message while it lasts, otherwise the problem the caret stands in.
  if (!FMessageTimer->isActive() || FPanels[2]->text().isEmpty())
    FPanels[2]->setText(child->Script().ProblemAtCaret());
}

void TForm1::UpdateActions() {
  TChildForm* child = FDocuments->ActiveMDIChild();
  const bool active = child != nullptr;
  Action2->setEnabled(active);
  FileSaveAs1->setEnabled(active);
  PrintDlg1->setEnabled(active);
  WindowClose1->setEnabled(active);
  const bool any = FDocuments->MDIChildCount() > 0;
  for (QAction* action : {WindowCascade1, WindowTileHorizontal1, WindowTileVertical1,
                          WindowMinimizeAll1, WindowArrange1}) {
    action->setEnabled(any);
  }
  MergeMenus(child);
  FEncodingMenu->Update();
  if (child != nullptr) child->UpdateActions();
}

void TForm1::OnSubWindowActivated(QMdiSubWindow*) {
  FScriptAssist->Follow(FDocuments->ActiveMDIChild());
  UpdateActions();
  UpdateStatus();
}

void TForm1::MergeMenus(TChildForm* child) {
  QList<QMenu*> wanted = child != nullptr ? child->MergedMenus() : QList<QMenu*>();
  QList<QMenu*> shown;
  for (const QPointer<QMenu>& menu : FMergedMenus) {
    if (menu) shown.append(menu.data());
  }
  if (shown == wanted) return;
  for (QMenu* menu : shown) menuBar()->removeAction(menu->menuAction());
  FMergedMenus.clear();
  for (QMenu* menu : wanted) {
    menuBar()->insertAction(FViewMenu->menuAction(), menu->menuAction());
    FMergedMenus.append(menu);
  }
}

QString TForm1::SearchStatus() const {
  return FSearchPanel->text();
}

QString TForm1::EncodingStatus() const {
  return FEncodingPanel->text();
}

void TForm1::ShowMessage(const QString& text) {
  FPanels[2]->setText(text);
  FMessageTimer->start();
}

// ---- recent files, window list, line numbers and zoom ----

void TForm1::ShowRecentFiles() {
  FRecentFiles.ShowIn(FFileMenu, FileExit1, [this](const QString& file) { OpenRecentFile(file); });
}

void TForm1::OpenRecentFile(const QString& fileName) {
  if (!QFileInfo::exists(fileName)) {
    FRecentFiles.Remove(fileName);
    FDialogs.ShowWarning(
        this, QStringLiteral("%1 no longer exists. It has been removed from the recent files.")
                  .arg(fileName));
    return;
  }
  FDocuments->OpenFile(fileName);
}

void TForm1::ShowWindowList() {
  FWindowList.ShowIn(FWindowMenu, FDocuments->InOpeningOrder(), FDocuments->ActiveMDIChild());
}

void TForm1::ApplyView(TChildForm* child) const {
  ApplyPreferences(child);
  child->SetFontHeight(FFontHeight);
  child->ShowLineNumbers(FLineNumbers);
  FScriptAssist->Apply(child);
  child->SetHighlightWord(FHighlightWord);
}

void TForm1::SetHighlightWord(bool on) {
  FHighlightWord = on;
  HighlightWord1->setChecked(on);
  for (TChildForm* child : FDocuments->MDIChildren()) child->SetHighlightWord(on);
}

void TForm1::SetLineNumbers(bool on) {
  FLineNumbers = on;
  LineNumbers1->setChecked(on);
  for (TChildForm* child : FDocuments->MDIChildren()) ApplyView(child);
}

void TForm1::SetFontHeight(int height) {
  FFontHeight = ValidFontHeight(height);
  for (TChildForm* child : FDocuments->MDIChildren()) ApplyView(child);
}

void TForm1::ZoomBy(int steps) {
  SetFontHeight(ZoomedFontHeight(FFontHeight, steps));
}

// ---- events ----

bool TForm1::event(QEvent* event) {
  // Hints go to panel 0; the status refresh overwrites them within 100 ms.
  if (event->type() == QEvent::StatusTip) {
    FPanels[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Every document window is asked first; one refusal keeps everything open.
  if (!FDocuments->CloseQueryAll()) {
    event->ignore();
    return;
  }
  RememberSession();
  WriteSettings();
  FDocuments->EndSession();
  event->accept();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
  if (!DroppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedFiles(event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  for (const QString& file : files) FDocuments->OpenFile(file);
}
