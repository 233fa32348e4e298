#include "app/ChildForm.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QVBoxLayout>
#include <exception>

#include "app/AppDialogs.h"
#include "app/DocumentScript.h"
#include "app/FindAsYouType.h"
#include "app/LineNumbers.h"
#include "app/OccurrenceMarks.h"
#include "app/SearchCount.h"
#include "app/Zoom.h"
#include "editor/Completion.h"
#include "editor/UndoBuffer.h"
#include "highlight/RAHLEditor.h"
#include "qt/EditorWidget.h"
#include "qt/Guarded.h"

void SetClassicColors(TColors& colors) {
  colors.Comment.SetAll(clOlive, clWindow, fsItalic);
  colors.Number.SetAll(clNavy, clWindow, 0);
  colors.Strings.SetAll(clPurple, clWindow, 0);
  colors.Symbol.SetAll(clBlue, clWindow, 0);
  colors.Reserved.SetAll(clRed, clWindow, fsBold);
  colors.Identifer.SetAll(clWindowText, clWindow, 0);
  colors.Preproc.SetAll(clGreen, clWindow, 0);
  colors.FunctionCall.SetAll(clWindowText, clWindow, 0);
  colors.Declaration.SetAll(clWindowText, clWindow, 0);
  colors.Statement.SetAll(clGreen, clWindow, fsBold);
  colors.PlainText.SetAll(clWindowText, clWindow, 0);
}

namespace {

// Completion stays disabled with empty lists: it never offers anything here.
void SetCompletion(TCompletion& completion) {
  // Rows as high as the designed text lines.
  completion.SetItemHeight(kDesignFontHeight);
  completion.SetInterval(800);
  completion.SetCaretChar('|');
  completion.SetCRLF("/n");
  completion.SetSeparator("=");
}

}  // namespace

void ConfigureScriptEditor(TRAHLEditor& editor) {
  editor.SetHighLighter(hlMarvek);
  TFont font;
  font.Name = "Courier New";
  font.Height = kDesignFontHeight;
  editor.SetFont(font);
  editor.SetGutterWidth(kDesignGutterWidth);
  editor.SetRightMarginColor(clSilver);
  editor.SetTabStops("3 5");
  editor.SetSelForeColor(clHighlightText);
  editor.SetSelBackColor(clHighlight);
  SetCompletion(editor.Completion());
  SetClassicColors(editor.Colors());
  editor.OnPaintGutter = [](TRACustomEditor* sender, Canvas& canvas) {
    PaintBookmarkNumbers(*sender, canvas);
  };
}

TChildForm::TChildForm(const TAppDialogs& dialogs, TSave save, QWidget* parent)
    : QWidget(parent), FDialogs(dialogs), FSave(std::move(save)) {
  ShowFileName();
  FEditorView = new EditorWidget(
      [this](EditorHost& host) {
        auto editor = std::make_unique<TRAHLEditor>(host);
        ConfigureScriptEditor(*editor);
        FEditor1 = editor.get();
        return editor;
      },
      this);
  FEditor1->Loaded();
  // The empty text of a new document counts as saved: undoing back to it asks nothing.
  MarkSaved();
  FScript = std::make_unique<TDocumentScript>(*FEditor1, *FEditorView);
  FEditor1->OnPaintGutter = [this](TRACustomEditor*, Canvas& canvas) { PaintGutter(canvas); };
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FEditorView);
  setFocusProxy(FEditorView);
  CreateSearchDialogs();
  CreateActions();
  CreateSearchActions();
  CreateMenus();
  BindShortcuts();
  CreateScriptActions();
  FEditorView->installEventFilter(this);
  ZoomOnCtrlWheel(FEditorView->viewport(), [this](int steps) { emit ZoomRequested(steps); });
  FEditorView->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FEditorView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    UpdateActions();
    PopupMenu1->popup(FEditorView->mapToGlobal(at));
  });
  connect(FEditorView, &EditorWidget::TypingRefused, this, &TChildForm::Message);
  // A UTF-8 file can be written from any code page: typing may move the document to
  // another one, which its next save then converts from.
  FEditorView->SetCodePageSwitching(
      [this] { return FDiskFile.Encoding() != TTextEncoding::Windows1252; });
  connect(FEditorView, &EditorWidget::CodePageSwitched, this,
          [this](TCodePage page, const QString& message) {
            FDiskFile.SetCodePage(page);
            emit Message(message);
          });
}

TChildForm::~TChildForm() = default;

void TChildForm::ShowFileName() {
  setWindowTitle(FileName().isEmpty() ? QStringLiteral("Unnamed file") : FileName());
}

void TChildForm::MarkSaved() {
  FEditor1->SetModified(false);
  FEditor1->UndoBuffer()->SetSavePoint();
}

void TChildForm::BringToFront() {
  auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
  if (window == nullptr) return;
  if (window->isMinimized()) window->showNormal();
  if (QMdiArea* area = window->mdiArea()) area->setActiveSubWindow(window);
  window->raise();
}

bool TChildForm::CloseQuery() {
  if (!FEditor1->Modified()) return true;
  // The user must see which document the question is about.
  BringToFront();
  switch (FDialogs.ConfirmSave(this)) {
    case QMessageBox::Yes:
      if (FSave) FSave(this);
      // Cancelling the Save dialog or a failed write leaves the document modified.
      return !FEditor1->Modified();
    case QMessageBox::No:
      return true;
    default:
      return false;
  }
}

void TChildForm::closeEvent(QCloseEvent* event) {
  if (CloseQuery()) {
    event->accept();
    emit Closed();
  } else {
    event->ignore();
  }
}
