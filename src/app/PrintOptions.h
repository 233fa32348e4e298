#pragma once
// What a printout shows besides the text: line numbers, the script's colours, a header
// with the file's name and the date, a footer with the page number. The choice is kept in
// the settings; the Print dialog offers it on a tab of its own.
#include <QWidget>

class QCheckBox;

struct TPrintOptions {
  bool LineNumbers = false;
  bool Colors = true;
  bool Header = true;
  bool Footer = true;
  bool operator==(const TPrintOptions&) const = default;
};

// The options last chosen; line numbers, while never chosen, as the view shows them. A
// stored value that is not a number counts as never chosen.
TPrintOptions LoadPrintOptions(bool viewShowsLineNumbers);
void SavePrintOptions(const TPrintOptions& options);

// The options as a tab of the Print dialog.
class TPrintOptionsTab : public QWidget {
  Q_OBJECT
 public:
  explicit TPrintOptionsTab(const TPrintOptions& options, QWidget* parent = nullptr);
  TPrintOptions Options() const;

  QCheckBox* LineNumbersBox = nullptr;
  QCheckBox* ColorsBox = nullptr;
  QCheckBox* HeaderBox = nullptr;
  QCheckBox* FooterBox = nullptr;
};
