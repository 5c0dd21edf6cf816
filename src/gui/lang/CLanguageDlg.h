#pragma once
// The language dialog: the display names of the program folder's language files in a
// sorted list, the current one selected. After OK, ApplyChoice makes the first file
// (in file-name order) with the chosen display name current and stores it; with nothing
// chosen it changes nothing. The caller refreshes the window either way.
#include <QDialog>

#include <vector>

#include "core/lang/LanguageFiles.h"

class QComboBox;

namespace qorrin::gui {

class CLanguageDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CLanguageDlg(QWidget* parent = nullptr);
  QComboBox* List() const { return m_list; }
  void ApplyChoice();

 private:
  std::vector<LanguageFile> m_candidates;
  QComboBox* m_list = nullptr;
};

}  // namespace qorrin::gui
