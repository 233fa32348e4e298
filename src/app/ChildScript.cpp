// The document window's script commands in its Search menu: the next and
// previous problem, Go To Label, from a jump to its label and back again. A move that
// cannot be made says why in the status bar.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStringList>
#include <string>

#include "app/Actions.h"
#include "app/AppDialogs.h"
#include "app/ChildForm.h"
#include "app/DocumentScript.h"
#include "app/Shortcuts.h"
#include "qt/Codepage1252.h"
#include "qt/Guarded.h"

void TChildForm::CreateScriptActions() {
  SearchNextProblem = MakeAction(this, "Ne&xt Problem", QKeySequence(Qt::Key_F8),
                                 "Next Problem|Goes to the next problem of the script");
  SearchPreviousProblem =
      MakeAction(this, "Previous &Problem", QKeySequence(Qt::SHIFT | Qt::Key_F8),
                 "Previous Problem|Goes to the previous problem of the script");
  SearchGotoLabel =
      MakeAction(this, "Go To &Label...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G),
                 "Go To Label|Goes to a label of the script");
  SearchDefinition =
      MakeAction(this, "Go To &Definition", QKeySequence(Qt::Key_F12),
                 "Go To Definition|Goes to the label that the jump at the caret names");
  SearchBack = MakeAction(this, "Go Bac&k", QKeySequence(Qt::ALT | Qt::Key_Left),
                          "Go Back|Returns to where the last jump to a label started");
  connect(SearchNextProblem, &QAction::triggered, this, [this] { GotoProblem(true); });
  connect(SearchPreviousProblem, &QAction::triggered, this, [this] { GotoProblem(false); });
  connect(SearchGotoLabel, &QAction::triggered, this, &TChildForm::GotoLabel);
  connect(SearchDefinition, &QAction::triggered, this, &TChildForm::GotoDefinition);
  connect(SearchBack, &QAction::triggered, this, &TChildForm::GoBack);
  // Beside Go To, in front of the bookmark submenus.
  const QList<QAction*> entries = SearchMenu->actions();
  QAction* afterGoto = entries.value(entries.indexOf(SearchGoto) + 1);
  SearchMenu->insertActions(afterGoto, {SearchGotoLabel, SearchDefinition, SearchBack});
  SearchMenu->insertSeparator(afterGoto);
  SearchMenu->insertActions(afterGoto, {SearchNextProblem, SearchPreviousProblem});
  const QList<QAction*> actions{SearchNextProblem, SearchPreviousProblem, SearchGotoLabel,
                                SearchDefinition, SearchBack};
  for (QAction* action : actions)
    BindWindowShortcut(action, this, Qt::WidgetWithChildrenShortcut, [this] { UpdateActions(); });
}

void TChildForm::Refuse(const QString& message) {
  emit Message(message);
  QApplication::beep();
}

void TChildForm::GotoProblem(bool forward) {
  Guarded(this, [&] {
    if (!FScript->GoToProblem(forward)) return Refuse(QStringLiteral("The script has no problems"));
    // The status bar names the problem the caret went to.
    emit Message(FScript->ProblemAtCaret());
  });
}

void TChildForm::GotoLabel() {
  QStringList names;
  for (const TScriptPlace& label : FScript->Model().Labels())
    names.append(Codepage1252::ToQString(label.Name));
  if (names.isEmpty()) return Refuse(QStringLiteral("The script has no labels"));
  const std::optional<QString> typed = FDialogs.GotoLabel(this, names);
  if (!typed || typed->trimmed().isEmpty()) return;
  const QString name = typed->trimmed();
  Guarded(this, [&] {
    if (!FScript->GoToLabel(Codepage1252::FromQString(name, '?')))
      Refuse(QStringLiteral("No label \"%1\"").arg(name));
  });
}

void TChildForm::GotoDefinition() {
  Guarded(this, [&] {
    std::string target;
    switch (FScript->GoToDefinition(target)) {
      case TDocumentScript::TJumpResult::Jumped:
        emit Message(QString());
        break;
      case TDocumentScript::TJumpResult::NoJump:
        Refuse(QStringLiteral("The caret is not on the target of a goto or a menu entry"));
        break;
      case TDocumentScript::TJumpResult::UndefinedLabel:
        Refuse(QStringLiteral("No label \"%1\"").arg(Codepage1252::ToQString(target)));
        break;
    }
  });
}

void TChildForm::GoBack() {
  Guarded(this, [&] {
    if (!FScript->GoBack()) Refuse(QStringLiteral("No jump to go back from"));
  });
}
