#pragma once
// Program > Production Line: the open document is the plan, written into one radio after
// another (core/transfer/Station.h) on the ports chosen here, each radio's line going into
// the log. A row per port shows what it does; the tally and the log's name below. The
// dialog is modal, so the plan cannot be edited while the line runs, and the program's
// own port is left alone; runningChanged tells the main window to grey its link commands.
#include <QDialog>

#include <memory>

#include "core/transfer/Station.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace qorrin::gui {

class ILinkHost;
class StationTable;

class CStationDlg : public QDialog, private IStationObserver {
  Q_OBJECT
 public:
  explicit CStationDlg(ILinkHost& host, QWidget* parent = nullptr);
  ~CStationDlg() override;  // a line still running is cancelled and waited for

  bool Running() const { return m_station != nullptr; }
  // The ports are the device links that appear in `folder` (the folder button asks).
  void UseFolder(const QString& folder);
  void SetLogPath(const QString& path);

  QComboBox* Ports() const { return m_ports; }
  QCheckBox* Verify() const { return m_verify; }
  QPushButton* StartButton() const { return m_start; }
  QPushButton* StopButton() const { return m_stop; }
  QPushButton* CloseButton() const { return m_close; }
  StationTable* Table() const { return m_table; }
  QLabel* Tally() const { return m_tally; }
  QLabel* LogName() const { return m_logName; }
  QLabel* Notice() const { return m_notice; }

 Q_SIGNALS:
  void runningChanged(bool running);

 protected:
  void reject() override;  // nothing closes the dialog while the line runs

 private:
  void FillPorts();
  void OnPortsChosen(int index);
  void OnChangeLog();
  void OnStart();
  void OnStop();
  QString AskLogPath();
  StationSource ChosenSource() const;
  void ShowRunning(bool running);

  // The station's threads: each call is handed to the dialog's thread.
  void OnPortChanged(const StationPortView& port) override;
  void OnRadioFinished(const StationRadio& radio, const StationTally& tally) override;
  void OnStationEnded(const StationTally& tally) override;
  void Ended();

  ILinkHost& m_host;
  std::unique_ptr<Station> m_station;
  int m_stops = 0;
  QString m_logPath;
  QString m_folder;

  QLabel* m_plan = nullptr;
  QComboBox* m_ports = nullptr;
  QCheckBox* m_verify = nullptr;
  QLabel* m_logName = nullptr;
  QPushButton* m_changeLog = nullptr;
  StationTable* m_table = nullptr;
  QLabel* m_tally = nullptr;
  QLabel* m_notice = nullptr;
  QPushButton* m_start = nullptr;
  QPushButton* m_stop = nullptr;
  QPushButton* m_close = nullptr;
};

}  // namespace qorrin::gui
