#pragma once
// The port dialog: COM1 to COM8, each with the device behind its number and the cable on
// it (chip and serial number); the ports that open are enabled, the configured one is
// checked. OK stores a changed choice and shows it in the status pane; with "keep this
// number" ticked it pins the number to the chosen cable (its /dev/serial/by-id name), so
// the cable keeps it in any USB socket. Cancel stores nothing. The search switch is
// stored at each click.
#include <QDialog>

#include <vector>

#include "core/lang/ResourceIds.h"
#include "core/link/PortNames.h"

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
  QCheckBox* PinBox() const { return m_pin; }

 private:
  void OnInitDialog();
  void OnOK();
  void OnSearchCom();
  // The pin box follows the chosen port: offered where its cable has a stable name,
  // ticked where the number is pinned to it already.
  void UpdatePinBox();
  int ChosenPort() const;  // 0 when none is chosen
  const link::PortListing* Listing(int n) const;

  ILinkHost& m_host;
  QRadioButton* m_ports[kPortButtons] = {};
  QCheckBox* m_search = nullptr;
  QCheckBox* m_pin = nullptr;
  std::vector<link::PortListing> m_listing;
};

}  // namespace qorrin::gui
