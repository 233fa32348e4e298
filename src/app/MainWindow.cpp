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
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <exception>

#include "app/ChildForm.h"
#include "app/DocumentFile.h"
#include "app/FileDrop.h"
#include "app/FileWatcher.h"
#include "app/Printing.h"
#include "app/RecoveryDrafts.h"
#include "app/Settings.h"
#include "app/Shortcuts.h"
#include "app/WindowBounds.h"
#include "app/Zoom.h"
#include "highlight/RAHLEditor.h"

namespace {

// Hint: "short|long"; the long part is the status tip. A hint without a bar is both.
QAction* MakeAction(QObject* parent, const char* caption, const char* hint = nullptr) {
  auto* action = new QAction(QString::fromLatin1(caption), parent);
  if (hint != nullptr) {
    const QString text = QString::fromLatin1(hint);
    action->setToolTip(text.section(QLatin1Char('|'), 0, 0));
    action->setStatusTip(text.section(QLatin1Char('|'), -1));
  }
  return action;
}

// The rectangle of window I of N when Area is cut into N strips.
QRect Strip(const QRect& area, int i, int n, bool sideBySide) {
  if (sideBySide) {
    const int left = area.width() * i / n;
    return QRect(left, 0, area.width() * (i + 1) / n - left, area.height());
  }
  const int top = area.height() * i / n;
  return QRect(0, top, area.width(), area.height() * (i + 1) / n - top);
}

// The design size of a document window.
constexpr QSize kDocumentSize(617, 465);
// The least size a placed or cascaded document window keeps inside the frame.
constexpr QSize kLeastDocumentSize(200, 150);

// How far a cascaded window lies right of and below the one before: the title bar of
// that one stays visible.
int CascadeStep(const QWidget* window) {
  const QStyle* style = window->style();
  return style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) +
         style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
}

// How many cascade positions fit in Area with the least window size.
int CascadeSlots(const QRect& area, int step) {
  const int across = (area.width() - kLeastDocumentSize.width()) / step;
  const int down = (area.height() - kLeastDocumentSize.height()) / step;
  return std::max(std::min(across, down) + 1, 1);
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
  CreateActions();
  CreateMenus();
  CreateStatusBar();
  CreateViewMenu();
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
  UpdateActions();
  setAcceptDrops(true);
  CreateRecovery();
}

TForm1::~TForm1() {
  // The document windows go with the frame; no more refreshes while they do.
  Timer1->stop();
  disconnect(FMdiArea, nullptr, this, nullptr);
  SetErrorReporter(std::move(FPreviousReporter));
}

void TForm1::CreateActions() {
  Action1 = MakeAction(this, "&New");
  connect(Action1, &QAction::triggered, this, [this] { Guarded(this, [this] { NewDocument(); }); });
  FileOpen1 = MakeAction(this, "&Open...", "Open|Opens an existing file");
  FileOpen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(FileOpen1, &QAction::triggered, this, &TForm1::ExecuteOpen);
  Action2 = MakeAction(this, "&Save");
  connect(Action2, &QAction::triggered, this, [this] { SaveDocument(ActiveMDIChild()); });
  FileSaveAs1 = MakeAction(this, "Save &As...", "Save As|Saves the active file with a new name");
  connect(FileSaveAs1, &QAction::triggered, this, [this] { SaveDocumentAs(ActiveMDIChild()); });
  PrintDlg1 = MakeAction(this, "&Print...");
  PrintDlg1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  connect(PrintDlg1, &QAction::triggered, this, &TForm1::ExecutePrint);
  FileExit1 = MakeAction(this, "E&xit", "Exit|Quits the application");
  connect(FileExit1, &QAction::triggered, this, &QWidget::close);

  WindowClose1 = MakeAction(this, "C&lose", "Close");
  connect(WindowClose1, &QAction::triggered, this, [this] {
    if (QMdiSubWindow* window = FMdiArea->currentSubWindow()) window->close();
  });
  WindowCascade1 = MakeAction(this, "&Cascade", "Cascade");
  connect(WindowCascade1, &QAction::triggered, this, &TForm1::CascadeWindows);
  WindowTileHorizontal1 = MakeAction(this, "Tile &Horizontally", "Tile Horizontal");
  connect(WindowTileHorizontal1, &QAction::triggered, this, [this] { TileWindows(false); });
  WindowTileVertical1 = MakeAction(this, "&Tile Vertically", "Tile Vertical");
  connect(WindowTileVertical1, &QAction::triggered, this, [this] { TileWindows(true); });
  WindowMinimizeAll1 = MakeAction(this, "&Minimize All", "Minimize All");
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
  CreateEncodingMenu();
  FFileMenu->addAction(PrintDlg1);
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
  const int widths[3] = {100, 100, 50};
  for (int i = 0; i < 3; ++i) {
    FPanels[i] = new QLabel(statusBar());
    // A panel grows to show its whole text.
    FPanels[i]->setMinimumWidth(widths[i]);
    statusBar()->addWidget(FPanels[i]);
  }
  FEncodingPanel = new QLabel(statusBar());
  statusBar()->addPermanentWidget(FEncodingPanel);
  FMessageTimer = new QTimer(this);
  FMessageTimer->setSingleShot(true);
  FMessageTimer->setInterval(8000);
  connect(FMessageTimer, &QTimer::timeout, FPanels[2], &QLabel::clear);
}

void TForm1::CreateViewMenu() {
  LineNumbers1 = MakeAction(this, "&Line Numbers",
                            "Line Numbers|Shows the number of every line in the gutter");
  LineNumbers1->setCheckable(true);
  connect(LineNumbers1, &QAction::toggled, this, &TForm1::SetLineNumbers);
  ZoomIn1 = MakeAction(this, "Zoom &In", "Zoom In|Makes the text larger");
  ZoomIn1->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(ZoomIn1, &QAction::triggered, this, [this] { ZoomBy(1); });
  ZoomOut1 = MakeAction(this, "Zoom &Out", "Zoom Out|Makes the text smaller");
  ZoomOut1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  connect(ZoomOut1, &QAction::triggered, this, [this] { ZoomBy(-1); });
  ZoomReset1 = MakeAction(this, "&Normal Size", "Normal Size|Shows the text in its designed size");
  ZoomReset1->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_0));
  connect(ZoomReset1, &QAction::triggered, this, [this] { SetFontHeight(kDesignFontHeight); });
  FViewMenu = new QMenu(QStringLiteral("&View"), this);
  FViewMenu->addAction(LineNumbers1);
  FViewMenu->addSeparator();
  FViewMenu->addActions({ZoomIn1, ZoomOut1, ZoomReset1});
  menuBar()->insertMenu(FWindowMenu->menuAction(), FViewMenu);
  // The keys work wherever the focus is in the frame.
  addActions({ZoomIn1, ZoomOut1, ZoomReset1});
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
  const QRect bounds = FitToScreens(settings.Bounds, TAppSettings().Bounds, AvailableScreenAreas());
  move(bounds.topLeft());
  resize(bounds.size());
}

void TForm1::WriteSettings() {
  // A store that cannot be written must not keep the program from closing.
  SaveSettings(TAppSettings{FFilePath, QRect(pos(), size()), FRecentFiles.Files(), FLineNumbers,
                            FFontHeight});
}

// ---- document windows ----

QList<TChildForm*> TForm1::MDIChildren() const {
  QList<TChildForm*> children;
  const QList<QMdiSubWindow*> windows = FMdiArea->subWindowList(QMdiArea::StackingOrder);
  for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
    if (auto* child = qobject_cast<TChildForm*>((*it)->widget())) children.append(child);
  }
  return children;
}

int TForm1::MDIChildCount() const {
  return static_cast<int>(FMdiArea->subWindowList().size());
}

TChildForm* TForm1::ActiveMDIChild() const {
  // The current window stays the active document also while the frame is inactive.
  QMdiSubWindow* window = FMdiArea->currentSubWindow();
  return window != nullptr ? qobject_cast<TChildForm*>(window->widget()) : nullptr;
}

TChildForm* TForm1::NewDocument() {
  auto* child = new TChildForm(*this);
  QMdiSubWindow* window = FMdiArea->addSubWindow(child);
  window->setAttribute(Qt::WA_DeleteOnClose);
  ApplyView(child);
  PlaceNewWindow(window);
  window->show();
  FMdiArea->setActiveSubWindow(window);
  child->setFocus();
  child->Editor1().OnChange = [this, child](TRACustomEditor*) { FDrafts->Changed(child); };
  UpdateActions();
  return child;
}

TChildForm* TForm1::OpenFile(const QString& fileName) {
  FFilePath = QFileInfo(fileName).absolutePath();
  TChildForm* child = NewDocument();
  child->SetFileName(fileName);
  Guarded(this, [&] {
    child->DiskFile().Load(child->Editor1().Lines(), fileName);
    FRecentFiles.Add(fileName);
  });
  if (child->DiskFile().CutAtNul()) FDialogs.ShowWarning(this, NulOpenedWarning(fileName));
  KeepUnshownCharacters(child);
  FWatcher->Track(child);
  return child;
}

void TForm1::SaveDocument(TChildForm* window) {
  if (window == nullptr) return;
  if (window->FileName().isEmpty()) {
    SaveDocumentAs(window);
    return;
  }
  if (!WriteDocument(window, window->FileName())) return;
  window->Editor1().SetModified(false);
  DocumentSaved(window);
}

void TForm1::SaveDocumentAs(TChildForm* window) {
  if (window == nullptr) return;
  // A document that cannot be written is refused before a name is asked for.
  bool writable = false;
  Guarded(this, [&] {
    window->DiskFile().CheckWritable(window->FileName());
    writable = true;
  });
  if (!writable) return;
  const QString fileName = FDialogs.SaveFileName(this, window->FileName());
  if (!fileName.isEmpty()) SaveAs(window, fileName);
}

void TForm1::SaveAs(TChildForm* window, const QString& fileName) {
  if (window == nullptr) return;
  if (!WriteDocument(window, fileName)) return;
  window->SetFileName(fileName);
  window->Editor1().SetModified(false);
  DocumentSaved(window);
}

bool TForm1::WriteDocument(TChildForm* window, const QString& fileName) {
  const TDocumentFile::TRisk risk = window->DiskFile().RiskOfWriting(fileName);
  if (risk != TDocumentFile::TRisk::None &&
      !FDialogs.ConfirmOverwrite(this, OverwriteQuestion(risk, fileName))) {
    return false;
  }
  bool written = false;
  Guarded(this, [&] {
    window->DiskFile().Save(window->Editor1().Lines(), fileName);
    written = true;
  });
  return written;
}

void TForm1::ExecuteOpen() {
  const QString fileName = FDialogs.OpenFileName(this);
  if (!fileName.isEmpty()) OpenFile(fileName);
}

void TForm1::ExecutePrint() {
  QPrinter printer(QPrinter::HighResolution);
  if (FDialogs.PrintSetup(this, printer)) Print(printer);
}

void TForm1::Print(QPrinter& printer) {
  TChildForm* child = ActiveMDIChild();
  if (child == nullptr) return;
  Guarded(this, [&] { PrintScript(child->Editor1().Lines(), printer); });
}

// ---- window arrangement ----

void TForm1::PlaceNewWindow(QMdiSubWindow* window) {
  // The next cascade position, the design size cut to what fits inside the frame.
  const QRect area = FMdiArea->viewport()->rect();
  const int step = CascadeStep(window);
  const int others = static_cast<int>(FMdiArea->subWindowList().size()) - 1;
  const int offset = (std::max(others, 0) % CascadeSlots(area, step)) * step;
  window->setGeometry(offset, offset, std::min(kDocumentSize.width(), area.width() - offset),
                      std::min(kDocumentSize.height(), area.height() - offset));
}

void TForm1::CascadeWindows() {
  // Bottom to top, each a step further: every title bar stays visible and the window on
  // top stays there. All get the size that lets the last position fit the frame.
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : FMdiArea->subWindowList(QMdiArea::StackingOrder)) {
    if (!window->isMinimized()) windows.append(window);
  }
  if (windows.isEmpty()) return;
  const QRect area = FMdiArea->viewport()->rect();
  const int step = CascadeStep(windows.constFirst());
  const int positions = std::min(CascadeSlots(area, step), static_cast<int>(windows.size()));
  const int extra = (positions - 1) * step;
  for (int i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* window = windows[i];
    if (window->isMaximized()) window->showNormal();
    const int offset = (i % positions) * step;
    window->setGeometry(offset, offset, area.width() - extra, area.height() - extra);
    window->raise();
  }
}

void TForm1::TileWindows(bool sideBySide) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : FMdiArea->subWindowList()) {
    if (!window->isMinimized()) windows.append(window);
  }
  const QRect area = FMdiArea->viewport()->rect();
  const int n = static_cast<int>(windows.size());
  for (int i = 0; i < n; ++i) {
    if (windows[i]->isMaximized()) windows[i]->showNormal();
    windows[i]->setGeometry(Strip(area, i, n, sideBySide));
  }
}

void TForm1::ArrangeIcons() {
  // Minimised windows in rows from the bottom left, a new row above when one is full.
  const int width = FMdiArea->viewport()->width();
  int x = 0;
  int bottom = FMdiArea->viewport()->height();
  for (QMdiSubWindow* window : FMdiArea->subWindowList()) {
    if (!window->isMinimized()) continue;
    const QSize size = window->size();
    if (x > 0 && x + size.width() > width) {
      x = 0;
      bottom -= size.height();
    }
    window->move(x, bottom - size.height());
    x += size.width();
  }
}

// ---- status and action update ----

QString TForm1::StatusPanel(int index) const {
  return index >= 0 && index < 3 ? FPanels[index]->text() : QString();
}

namespace {

// Panel 0 as wide as the caret position needs on the document's last row and furthest
// column (the caret stops at column 1025), panel 1 as "Modified" needs: neither text ever
// runs into the next panel. Neither is narrower than designed.
void FitPositionPanels(QLabel* position, QLabel* modified, const TRAHLEditor& editor) {
  const QFontMetrics metrics(position->font());
  const int rows = std::max(editor.Lines().Count(), editor.CaretY() + 1);
  const QString widest =
      QStringLiteral("Row:%1 Col:1025").arg(QString(QString::number(rows).size(), u'8'));
  const int padding = 2 * metrics.averageCharWidth();
  const int positionWidth = std::max(100, metrics.horizontalAdvance(widest) + padding);
  if (position->minimumWidth() != positionWidth) position->setMinimumWidth(positionWidth);
  const int modifiedWidth =
      std::max(100, metrics.horizontalAdvance(QStringLiteral("Modified")) + padding);
  if (modified->minimumWidth() != modifiedWidth) modified->setMinimumWidth(modifiedWidth);
}

}  // namespace

void TForm1::UpdateStatus() {
  // While a menu is open, panel 0 keeps the hint of the entry the pointer or the keyboard
  // is on; the caret position comes back when it closes.
  const bool hinting = qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
  TChildForm* child = ActiveMDIChild();
  if (child == nullptr) {
    if (!hinting) FPanels[0]->clear();
    FPanels[1]->clear();
    FEncodingPanel->clear();
    return;
  }
  FEncodingPanel->setText(EncodingName(child->DiskFile().Encoding()));
  const TRAHLEditor& editor = child->Editor1();
  FitPositionPanels(FPanels[0], FPanels[1], editor);
  if (!hinting)
    FPanels[0]->setText(
        QStringLiteral("Row:%1 Col:%2").arg(editor.CaretY() + 1).arg(editor.CaretX() + 1));
  FPanels[1]->setText(editor.Modified() ? QStringLiteral("Modified") : QString());
}

void TForm1::UpdateActions() {
  TChildForm* child = ActiveMDIChild();
  const bool active = child != nullptr;
  Action2->setEnabled(active);
  FileSaveAs1->setEnabled(active);
  PrintDlg1->setEnabled(active);
  WindowClose1->setEnabled(active);
  const bool any = MDIChildCount() > 0;
  for (QAction* action : {WindowCascade1, WindowTileHorizontal1, WindowTileVertical1,
                          WindowMinimizeAll1, WindowArrange1}) {
    action->setEnabled(any);
  }
  MergeMenus(child);
  UpdateEncodingActions(child);
  if (child != nullptr) child->UpdateActions();
}

void TForm1::OnSubWindowActivated(QMdiSubWindow*) {
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
  OpenFile(fileName);
}

void TForm1::ShowWindowList() {
  QList<TChildForm*> windows;
  for (QMdiSubWindow* window : FMdiArea->subWindowList(QMdiArea::CreationOrder)) {
    if (auto* child = qobject_cast<TChildForm*>(window->widget())) windows.append(child);
  }
  FWindowList.ShowIn(FWindowMenu, windows, ActiveMDIChild());
}

void TForm1::ApplyView(TChildForm* child) const {
  child->SetFontHeight(FFontHeight);
  child->ShowLineNumbers(FLineNumbers);
}

void TForm1::SetLineNumbers(bool on) {
  FLineNumbers = on;
  LineNumbers1->setChecked(on);
  for (TChildForm* child : MDIChildren()) ApplyView(child);
}

void TForm1::SetFontHeight(int height) {
  FFontHeight = ValidFontHeight(height);
  for (TChildForm* child : MDIChildren()) ApplyView(child);
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
  for (TChildForm* child : MDIChildren()) {
    if (!child->CloseQuery()) {
      event->ignore();
      return;
    }
  }
  WriteSettings();
  FDrafts->EndSession();
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
  for (const QString& file : files) OpenFile(file);
}
