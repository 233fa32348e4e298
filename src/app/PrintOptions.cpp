#include "app/PrintOptions.h"

#include <QCheckBox>
#include <QSettings>
#include <QVBoxLayout>

namespace {

// The options live in the group "print" of the application's store.
QSettings OpenStore() {
  return QSettings(QSettings::UserScope, QStringLiteral("MarvekWorld"),
                   QStringLiteral("MarvekEdit"));
}

const QString kGroup = QStringLiteral("print/");

bool ReadFlag(const QSettings& store, const char* name, bool fallback) {
  bool ok = false;
  const int n = store.value(kGroup + QLatin1String(name)).toInt(&ok);
  return ok ? n != 0 : fallback;
}

QCheckBox* AddBox(QVBoxLayout* layout, const char* caption, bool checked) {
  auto* box = new QCheckBox(QString::fromLatin1(caption));
  box->setChecked(checked);
  layout->addWidget(box);
  return box;
}

}  // namespace

TPrintOptions LoadPrintOptions(bool viewShowsLineNumbers) {
  const QSettings store = OpenStore();
  const TPrintOptions defaults;
  TPrintOptions options;
  options.LineNumbers = ReadFlag(store, "linenumbers", viewShowsLineNumbers);
  options.Colors = ReadFlag(store, "colors", defaults.Colors);
  options.Header = ReadFlag(store, "header", defaults.Header);
  options.Footer = ReadFlag(store, "footer", defaults.Footer);
  return options;
}

void SavePrintOptions(const TPrintOptions& options) {
  QSettings store = OpenStore();
  store.setValue(kGroup + QStringLiteral("linenumbers"), options.LineNumbers ? 1 : 0);
  store.setValue(kGroup + QStringLiteral("colors"), options.Colors ? 1 : 0);
  store.setValue(kGroup + QStringLiteral("header"), options.Header ? 1 : 0);
  store.setValue(kGroup + QStringLiteral("footer"), options.Footer ? 1 : 0);
}

TPrintOptionsTab::TPrintOptionsTab(const TPrintOptions& options, QWidget* parent)
    : QWidget(parent) {
  setWindowTitle(QStringLiteral("Script"));
  auto* layout = new QVBoxLayout(this);
  LineNumbersBox = AddBox(layout, "&Line numbers", options.LineNumbers);
  ColorsBox = AddBox(layout, "&Colours of the script", options.Colors);
  HeaderBox = AddBox(layout, "&Header: file name and date", options.Header);
  FooterBox = AddBox(layout, "&Footer: page numbers", options.Footer);
  layout->addStretch();
}

TPrintOptions TPrintOptionsTab::Options() const {
  return {LineNumbersBox->isChecked(), ColorsBox->isChecked(), HeaderBox->isChecked(),
          FooterBox->isChecked()};
}
