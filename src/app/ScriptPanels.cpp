#include "app/ScriptPanels.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

#include "qt/Codepage1252.h"

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

TScriptPanel::TScriptPanel(QWidget* parent) : QWidget(parent) {
  FRows = new TScriptRows(this);
  FView = new QTreeView(this);
  FView->setModel(FRows);
  FView->setRootIsDecorated(false);
  FView->setUniformRowHeights(true);
  FView->setAllColumnsShowFocus(true);
  FView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Only a double click or Enter goes there, whatever the style says of a single click.
  connect(FView, &QTreeView::doubleClicked, this,
          [this](const QModelIndex& i) { Activate(i.row()); });
  FView->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FView);
  setFocusProxy(FView);
}

void TScriptPanel::SetRows(QStringList headers, std::vector<QStringList> rows,
                           std::vector<std::pair<int, int>> places) {
  // The row the user was on stays current when the rows are taken again.
  const int current = FView->currentIndex().isValid() ? FView->currentIndex().row() : 0;
  FPlaces = std::move(places);
  FRows->SetRows(std::move(headers), std::move(rows));
  if (!FPlaces.empty())
    FView->setCurrentIndex(FRows->index(std::min(current, FRows->rowCount() - 1), 0));
}

void TScriptPanel::Activate(int row) {
  if (row < 0 || row >= static_cast<int>(FPlaces.size())) return;
  const auto [line, column] = FPlaces[static_cast<size_t>(row)];
  emit Activated(line, column);
}

QStringList TScriptPanel::RowTexts() const {
  QStringList texts;
  for (int i = 0; i < FRows->rowCount(); ++i) texts << FRows->Row(i).join('|');
  return texts;
}

bool TScriptPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == FView && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
        FView->currentIndex().isValid()) {
      Activate(FView->currentIndex().row());
      return true;
    }
    if (key == Qt::Key_Escape) {
      emit Dismissed();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

TProblemsPanel::TProblemsPanel(QWidget* parent) : TScriptPanel(parent) {
  setWindowTitle(tr("Problems"));
  setAccessibleName(tr("Problems"));
  FView->setAccessibleName(tr("Problems"));
}

void TProblemsPanel::Refresh(const TScriptModel* model) {
  std::vector<QStringList> rows;
  std::vector<std::pair<int, int>> places;
  if (model != nullptr) {
    for (const TScriptProblem& p : model->Problems()) {
      rows.push_back({p.Severity == TScriptSeverity::Error ? tr("Error") : tr("Warning"),
                      QString::number(p.Line + 1), Codepage1252::ToQString(p.Message)});
      places.emplace_back(p.Line, p.Column);
    }
  }
  SetRows({tr("Severity"), tr("Line"), tr("Message")}, std::move(rows), std::move(places));
}

TLabelsPanel::TLabelsPanel(QWidget* parent) : TScriptPanel(parent) {
  setWindowTitle(tr("Labels"));
  setAccessibleName(tr("Labels"));
  FView->setAccessibleName(tr("Labels"));
  FFilter = new QLineEdit(this);
  FFilter->setPlaceholderText(tr("Filter labels"));
  FFilter->setAccessibleName(tr("Filter labels"));
  FFilter->setClearButtonEnabled(true);
  static_cast<QVBoxLayout*>(layout())->insertWidget(0, FFilter);
  connect(FFilter, &QLineEdit::textChanged, this, [this] {
    ShowFiltered();
    // The first label shown is the one Enter goes to.
    if (FRows->rowCount() > 0) FView->setCurrentIndex(FRows->index(0, 0));
  });
  FFilter->installEventFilter(this);
  setFocusProxy(FFilter);
}

void TLabelsPanel::Refresh(const TScriptModel* model) {
  FLabels = model != nullptr ? model->Labels() : std::vector<TScriptPlace>();
  ShowFiltered();
}

void TLabelsPanel::ShowFiltered() {
  std::vector<QStringList> rows;
  std::vector<std::pair<int, int>> places;
  const QString filter = FFilter->text().trimmed();
  for (const TScriptPlace& label : FLabels) {
    const QString name = Codepage1252::ToQString(label.Name);
    if (!filter.isEmpty() && !name.contains(filter, Qt::CaseInsensitive)) continue;
    rows.push_back({name, QString::number(label.Line + 1)});
    places.emplace_back(label.Line, label.Column);
  }
  SetRows({tr("Label"), tr("Line")}, std::move(rows), std::move(places));
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
