#pragma once
// The read and write dialog: OK starts a transfer run (core/transfer/TransferRun.h) on a
// worker thread, a 20 ms timer reads the run's progress (search, percent) and, once it
// finished, shows its outcome in the language's texts: a complete read goes into the
// document and the window is refreshed; a complete write closes the dialog, or, with
// "verify" on, the dialog says whether the radio holds what was sent (a difference is a
// failure). A backup that the run could not save is reported afterwards. Cancel, Esc or
// the close box end it at once: the run is cancelled and the port shut.
#include <QDialog>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>

namespace qorrin {
class TransferRun;
struct TransferOutcome;
struct TransferProgress;
}

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace qorrin::gui {

class ILinkHost;

class CTransferDlg : public QDialog {
  Q_OBJECT
 public:
  CTransferDlg(ILinkHost& host, QWidget* parent = nullptr);
  ~CTransferDlg() override;
  void SetReadMode(bool bRead) { m_bRead = bRead; }
  // A read that leaves the document alone: the image read is kept for ReadImage().
  void SetKeepDocument(bool keep) { m_bKeepDocument = keep; }
  const std::array<std::uint8_t, 4096>* ReadImage() const { return m_bHaveReadImage ? &m_readImage : nullptr; }

  QLabel* Text() const { return m_textLabel; }
  QProgressBar* Progress() const { return m_progress; }
  QPushButton* OkButton() const { return m_ok; }
  QCheckBox* VerifyBox() const { return m_verify; }
  QPlainTextEdit* Details() const { return m_details; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OnInitDialog();
  void OnOK();
  void OnCancel();
  void OnTimer();
  void ShowProgress(const TransferProgress& progress);
  void Conclude(const TransferOutcome& outcome);
  void EndRun();  // timer off, port shut
  QString PromptText(bool verifying) const;
  void StartVerification();
  void ShowVerification(const TransferOutcome& outcome);
  void ShowLinkError(const TransferOutcome& outcome, bool noAnswer);
  void Finish(int result);  // the outcome stays on show until OK or Cancel
  void ReportNotices();

  ILinkHost& m_host;
  bool m_bRead = true;
  bool m_bInitialised = false;
  QLabel* m_textLabel = nullptr;
  QProgressBar* m_progress = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  QCheckBox* m_verify = nullptr;
  QPlainTextEdit* m_details = nullptr;
  QTimer m_timer;
  std::shared_ptr<TransferRun> m_run;  // the run the timer follows
  bool m_bKeepDocument = false;
  bool m_bHaveReadImage = false;
  std::array<std::uint8_t, 4096> m_readImage{};
  bool m_bFinished = false;
  int m_finishedResult = 0;
};

}  // namespace qorrin::gui
