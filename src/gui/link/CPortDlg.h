#pragma once
// The port dialog: COM1 to COM8, each with the device behind its number; the ports that
// open are enabled, the configured one is checked. OK stores a changed choice and shows
// it in the status pane; Cancel stores nothing. The search switch is stored at each click.
#include <QDialog>

#include "core/lang/ResourceIds.h"

class QCheckBox;
class QRadioButton;

namespace qorrin::gui {

class ILinkHost;

class CPortDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kPortButtons = ctl::kPortButtonCount;

  CPortDlg(ILinkHost& host, QWidget* parent = nullptr);
  QRadioButton* PortButton(int n) const { return m_ports[n - 1]; }
  QCheckBox* SearchBox() const { return m_search; }

 private:
  void OnInitDialog();
  void OnOK();
  void OnSearchCom();

  ILinkHost& m_host;
  QRadioButton* m_ports[kPortButtons] = {};
  QCheckBox* m_search = nullptr;
};

}  // namespace qorrin::gui
