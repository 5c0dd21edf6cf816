#pragma once
// Help > Check Connection: the connection check (core/transfer/ConnectionCheck.h) on the
// configured port, run on a worker thread while the dialog shows which step is under way,
// then its findings as a list, each with its status icon, its text and its fix. "Check
// Again" runs it anew; closing the dialog during a check stops it at its next step (a
// radio that answered is still sent back to its normal work first).
#include <QDialog>
#include <QTimer>

#include <memory>
#include <thread>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace qorrin::gui {

class ILinkHost;
struct CheckRunState;

class CCheckConnectionDlg : public QDialog {
  Q_OBJECT
 public:
  CCheckConnectionDlg(ILinkHost& host, QWidget* parent = nullptr);
  ~CCheckConnectionDlg() override;

  QLabel* Heading() const { return m_heading; }
  QListWidget* Findings() const { return m_findings; }
  QPushButton* AgainButton() const { return m_again; }
  QPushButton* CloseButton() const { return m_close; }
  bool Running() const { return m_thread.joinable(); }

 Q_SIGNALS:
  // The findings of a check are on show.
  void checkFinished();

 private:
  void Start();
  void Stop();  // asks a running check to end and waits for it
  void OnTimer();
  void ShowFindings();

  ILinkHost& m_host;
  QLabel* m_heading = nullptr;
  QLabel* m_step = nullptr;
  QProgressBar* m_busy = nullptr;
  QListWidget* m_findings = nullptr;
  QPushButton* m_again = nullptr;
  QPushButton* m_close = nullptr;
  QTimer m_timer;
  QString m_where;  // "COM1 (/dev/ttyUSB0)"
  std::shared_ptr<CheckRunState> m_run;
  std::thread m_thread;
};

}  // namespace qorrin::gui
