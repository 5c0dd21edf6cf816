#pragma once
// The read and write dialog: OK starts a run of the transfer engine on a worker thread,
// a 20 ms timer follows it (search, percent, outcome); a complete read goes into the
// document and the window is refreshed; a complete write closes the dialog. Cancel, Esc
// or the close box end it at once: the run is cancelled and the port shut.
#include <QDialog>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>

namespace qorrin {
struct TransferState;
}

class QLabel;
class QProgressBar;
class QPushButton;

namespace qorrin::gui {

class CQorrinApp;

class CTransferDlg : public QDialog {
  Q_OBJECT
 public:
  CTransferDlg(CQorrinApp& app, QWidget* parent = nullptr);
  ~CTransferDlg() override;
  void SetReadMode(int bRead) { m_bRead = bRead; }

  QLabel* Text() const { return m_textLabel; }
  QProgressBar* Progress() const { return m_progress; }
  QPushButton* OkButton() const { return m_ok; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OnInitDialog();
  void OnOK();
  void OnCancel();
  void OnTimer();
  void EndRun();  // timer off, port shut
  QString PromptText() const;
  QString PortErrorText() const;

  CQorrinApp& m_app;
  int m_bRead = 1;
  bool m_bInitialised = false;
  QLabel* m_textLabel = nullptr;
  QProgressBar* m_progress = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  QTimer m_timer;
  std::shared_ptr<TransferState> m_state;
};

}  // namespace qorrin::gui
