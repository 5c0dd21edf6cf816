#pragma once
// The About box: the program icon, the version line and a second line, localised from
// [Resource] 100 (caption), 1015 and 65535. It closes with the caption's close button or
// Escape; it has no buttons of its own.
#include <QDialog>

namespace qorrin::gui {

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace qorrin::gui
