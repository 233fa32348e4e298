// The editor as the real program starts it (main window, recovery offer, signal
// handling), driven line by line through its standard input so that tests can make
// changes, end it by a signal or a kill, and start it again. Every command is answered by
// one line beginning with "ok".
//   open PATH | new | type TEXT | caret X Y | bookmark N | save [TITLE] | flush | report |
//   reopen (File > Reopen Last Session) | quit
// The recovery dialog is answered by HOST_RECOVERY (recover, discard; keep by default);
// "Save changes?" by No; the question before overwriting a changed file by No.
#include <unistd.h>

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <cstdio>

#include "app/ChildForm.h"
#include "app/Documents.h"
#include "app/MainWindow.h"
#include "app/RecoveryDrafts.h"
#include "app/TerminationSignals.h"
#include "highlight/RAHLEditor.h"

namespace {

int gOffered = 0;
int gOverwriteAsked = 0;
QStringList gWarnings;

TAppDialogs HostDialogs() {
  TAppDialogs dialogs = TAppDialogs::Standard();
  dialogs.RecoverDrafts = [](QWidget*, const QList<TDraftManifest>& drafts) {
    gOffered += static_cast<int>(drafts.size());
    const QString answer = qEnvironmentVariable("HOST_RECOVERY");
    if (answer == "recover") return TRecoveryChoice::Recover;
    return answer == "discard" ? TRecoveryChoice::Discard : TRecoveryChoice::Keep;
  };
  dialogs.ConfirmSave = [](QWidget*) { return QMessageBox::No; };
  dialogs.ConfirmOverwrite = [](QWidget*, const QString&) {
    ++gOverwriteAsked;
    return false;
  };
  dialogs.ShowError = [](QWidget*, const QString& message) {
    std::printf("error %s\n", qPrintable(message));
  };
  dialogs.ShowWarning = [](QWidget*, const QString& message) { gWarnings.append(message); };
  return dialogs;
}

QJsonObject Report(TForm1& form) {
  QJsonArray documents;
  for (TChildForm* child : form.Documents().MDIChildren()) {
    TRAHLEditor& editor = child->Editor1();
    QJsonArray bookmarks;
    for (const TBookmark& b : editor.Bookmarks()) bookmarks.append(b.Valid ? b.Y : -1);
    documents.append(QJsonObject{{"title", child->windowTitle()},
                                 {"modified", editor.Modified()},
                                 {"caret", QJsonArray{editor.CaretX(), editor.CaretY()}},
                                 {"top", editor.TopRow()},
                                 {"active", child == form.Documents().ActiveMDIChild()},
                                 {"bookmarks", bookmarks},
                                 {"text", QString::fromLatin1(editor.Lines().GetTextStr())}});
  }
  return {{"offered", gOffered},
          {"overwriteAsked", gOverwriteAsked},
          {"warnings", QJsonArray::fromStringList(gWarnings)},
          {"documents", documents}};
}

QString Run(TForm1& form, const QString& line) {
  const QString command = line.section(' ', 0, 0);
  const QString argument = line.section(' ', 1);
  TChildForm* child = form.Documents().ActiveMDIChild();
  if (command == "open") form.Documents().OpenFile(argument);
  if (command == "new") form.Documents().NewDocument();
  if (command == "type" && child != nullptr) {
    for (char c : argument.toLatin1()) child->Editor1().Command(static_cast<unsigned char>(c));
  }
  if (command == "caret" && child != nullptr) {
    child->Editor1().SetCaret(argument.section(' ', 0, 0).toInt(),
                              argument.section(' ', 1).toInt());
  }
  if (command == "bookmark" && child != nullptr) child->ToggleBookmark(argument.toInt());
  if (command == "save") {
    for (TChildForm* window : form.Documents().MDIChildren()) {
      if (window->windowTitle() == argument) child = window;
    }
    form.Documents().SaveDocument(child);
  }
  if (command == "flush") {
    form.Documents().Drafts().WriteAll();
    form.Documents().Drafts().Flush();
  }
  if (command == "report") return QJsonDocument(Report(form)).toJson(QJsonDocument::Compact);
  if (command == "quit") form.close();
  if (command == "reopen") form.ReopenLastSession();
  return {};
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("MarvekWorld"));
  QApplication::setApplicationName(QStringLiteral("MarvekEdit"));
  TForm1 form(HostDialogs());
  TTerminationSignals endings;
  QObject::connect(&endings, &TTerminationSignals::Received, &form, &TForm1::EndBySignal);
  form.show();
  form.Documents().OfferRecovery();

  QByteArray pending;
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
      input.setEnabled(false);
      return;
    }
    pending.append(buffer, n);
    for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
      const QString reply = Run(form, QString::fromUtf8(pending.left(end)));
      std::printf("ok %s\n", qPrintable(reply));
      std::fflush(stdout);
    }
  });
  std::printf("ok started\n");
  std::fflush(stdout);
  return QApplication::exec();
}
