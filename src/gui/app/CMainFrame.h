#pragma once
// The main window: menu, tool bar, the one status pane with the configured port, and the
// main form as its client. Every command, whether from the menu, the tool bar, a key or a
// test, goes through ExecuteCommand with its numeric id.
#include <QMainWindow>
#include <QMap>

class QLabel;
class QMenu;
class QToolBar;

namespace qorrin::gui {

class CQorrinApp;
class CQorrinView;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(CQorrinApp& app);

  void ExecuteCommand(int id);
  // The menu item of a command (null for commands without one).
  QAction* MenuAction(int id) const { return m_menuActions.value(id, nullptr); }
  QToolBar* ToolBar() const { return m_toolBar; }
  QLabel* PortPane() const { return m_portPane; }
  CQorrinView* View() const { return m_view; }

  // The commands that use the program's port (read, write, compare with the radio, the
  // port dialog, the production line), greyed while the production line has its own.
  void SetLinkCommandsEnabled(bool enabled);
  // "COM<n>" in the status pane; the device behind the number as its tooltip.
  void SetPortPane(int port);
  // Menu texts, tool-bar tooltips and the recent-file entries in the current language.
  void LocalizeMenus();
  void LocalizeToolBar();
  void UpdateRecentFileMenu();
  // Undo and Redo as the edit history stands.
  void UpdateEditMenu();
  // The size the form needs (at least 900 x 800), bounded by the screen, centred.
  void PlaceAtStart();
  // After a language switch: grown to what the form needs, bounded by the screen.
  void FitAfterLanguageChange();

 Q_SIGNALS:
  // After every command, whatever it did (tests and the status of later dialogs use it).
  void commandExecuted(int id);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Resizes to the form's size (at least `atLeast`) within the screen's free area and
  // keeps the window on the screen; gives that area (invalid without a screen).
  QRect FitToForm(const QSize& atLeast);
  QAction* AddCommand(QMenu* menu, int id, const char* builtInText, const QList<QKeySequence>& keys = {});
  void BuildMenus();
  void BuildToolBar();
  void AddSilentKeys();

  CQorrinApp& m_app;
  QMap<int, QAction*> m_menuActions;
  QList<QAction*> m_toolActions;
  QMenu* m_fileMenu = nullptr;
  QMenu* m_editMenu = nullptr;
  QAction* m_recentPlaceholder = nullptr;
  QList<QAction*> m_recentActions;
  QToolBar* m_toolBar = nullptr;
  QLabel* m_portPane = nullptr;
  bool m_linkCommandsEnabled = true;
  CQorrinView* m_view = nullptr;
};

}  // namespace qorrin::gui
