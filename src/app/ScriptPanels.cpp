#include "app/ScriptPanels.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

// The rows of a panel as a table the view reads as it draws.
class TScriptRows final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void SetRows(QStringList headers, std::vector<QStringList> rows) {
    beginResetModel();
    FHeaders = std::move(headers);
    FRows = std::move(rows);
    endResetModel();
  }
  const QStringList& Row(int i) const { return FRows[static_cast<size_t>(i)]; }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(FRows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(FHeaders.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return Row(index.row()).value(index.column());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return FHeaders.value(section);
  }

 private:
  QStringList FHeaders;
  std::vector<QStringList> FRows;
};

namespace {

// A view whose Enter activates the current row, as a double click does.
class TRowView final : public QTreeView {
 public:
  using QTreeView::QTreeView;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
      emit activated(currentIndex());
      return;
    }
    QTreeView::keyPressEvent(event);
  }
};

}  // namespace

TScriptPanel::TScriptPanel(QWidget* parent) : QWidget(parent) {
  FRows = new TScriptRows(this);
  FView = new TRowView(this);
  FView->setModel(FRows);
  FView->setRootIsDecorated(false);
  FView->setUniformRowHeights(true);
  FView->setAllColumnsShowFocus(true);
  FView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // A double click activates a row on every platform, whatever the style says of a single.
  connect(FView, &QTreeView::activated, this, [this](const QModelIndex& i) { Activate(i.row()); });
  connect(FView, &QTreeView::doubleClicked, this,
          [this](const QModelIndex& i) { Activate(i.row()); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FView);
  setFocusProxy(FView);
}

void TScriptPanel::SetDocument(const TScriptModel* model, TGoTo goTo) {
  FModel = model;
  FGoTo = std::move(goTo);
  Refresh();
}

void TScriptPanel::Activate(int row) {
  if (row < 0 || row >= static_cast<int>(FPlaces.size()) || !FGoTo) return;
  const auto [line, column] = FPlaces[static_cast<size_t>(row)];
  FGoTo(line, column);
}

QStringList TScriptPanel::RowTexts() const {
  QStringList texts;
  for (int i = 0; i < FRows->rowCount(); ++i) texts << FRows->Row(i).join('|');
  return texts;
}

TProblemsPanel::TProblemsPanel(QWidget* parent) : TScriptPanel(parent) {
  setWindowTitle(tr("Problems"));
  setAccessibleName(tr("Problems"));
}

void TProblemsPanel::Refresh() {
  std::vector<QStringList> rows;
  FPlaces.clear();
  if (FModel) {
    for (const TScriptProblem& p : FModel->Problems()) {
      rows.push_back({p.Severity == TScriptSeverity::Error ? tr("Error") : tr("Warning"),
                      QString::number(p.Line + 1), QString::fromLatin1(p.Message)});
      FPlaces.emplace_back(p.Line, p.Column);
    }
  }
  FRows->SetRows({tr("Severity"), tr("Line"), tr("Message")}, std::move(rows));
}

TLabelsPanel::TLabelsPanel(QWidget* parent) : TScriptPanel(parent) {
  setWindowTitle(tr("Labels"));
  setAccessibleName(tr("Labels"));
  FFilter = new QLineEdit(this);
  FFilter->setPlaceholderText(tr("Filter labels"));
  FFilter->setAccessibleName(tr("Filter labels"));
  FFilter->setClearButtonEnabled(true);
  static_cast<QVBoxLayout*>(layout())->insertWidget(0, FFilter);
  connect(FFilter, &QLineEdit::textChanged, this, [this] { Refresh(); });
  FFilter->installEventFilter(this);
  setFocusProxy(FFilter);
}

void TLabelsPanel::Refresh() {
  std::vector<QStringList> rows;
  FPlaces.clear();
  const QString filter = FFilter->text().trimmed();
  if (FModel) {
    for (const TScriptPlace& label : FModel->Labels()) {
      const QString name = QString::fromLatin1(label.Name);
      if (!filter.isEmpty() && !name.contains(filter, Qt::CaseInsensitive)) continue;
      rows.push_back({name, QString::number(label.Line + 1)});
      FPlaces.emplace_back(label.Line, label.Column);
    }
  }
  FRows->SetRows({tr("Label"), tr("Line")}, std::move(rows));
  if (!FPlaces.empty()) FView->setCurrentIndex(FView->model()->index(0, 0));
}

bool TLabelsPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FFilter && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Activate(FView->currentIndex().isValid() ? FView->currentIndex().row() : 0);
      return true;
    }
    if (key == Qt::Key_Down) {
      FView->setFocus();
      return true;
    }
  }
  return TScriptPanel::eventFilter(watched, event);
}
