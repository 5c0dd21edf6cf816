#pragma once
// The application: start-up (program folder, setting.ini, language, the first document,
// a file from the command line), the one serial port, the document with its prompts, the
// main window, and the commands the application handles (New, Open, Save, language,
// about, help). RefreshAll re-applies the current language and the document everywhere.
// It is the link dialogs' host (gui/link/LinkHost.h).
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <string>

#include "core/edit/EditHistory.h"
#include "gui/app/GuiPrompts.h"
#include "gui/app/RecentFiles.h"
#include "gui/link/LinkHost.h"  // also names the document, the port and the worker

namespace qorrin::gui {

class CMainFrame;
class CTransferDlg;
class DocumentBinding;

struct StartupOptions {
  std::string configDir;  // --config-dir; empty: $QORRIN_HOME or the program's own folder
  QStringList files;      // project files named on the command line
  bool show = true;       // show the window (tests may keep it hidden)
};

class CQorrinApp : public QObject, public ILinkHost {
  Q_OBJECT
 public:
  CQorrinApp();
  ~CQorrinApp() override;

  // False when the program must end without a window (no setting.ini, or a file named on
  // the command line that cannot be opened); the reason has been shown.
  bool InitInstance(const StartupOptions& options);

  CQorrinDoc& Document() override { return *m_doc; }
  DocumentBinding& Binding() { return *m_binding; }
  CMainFrame* MainFrame() const { return m_frame.get(); }
  const std::shared_ptr<CSerialPort>& Port() const override { return m_port; }
  RecentFiles& Recent() { return m_recent; }
  EditHistory& History() { return m_history; }
  TransferWorker& Worker() override { return *m_worker; }
  void ShowPort(int port) override;
  // Ends an open transfer dialog as Cancel does (the main window is closing).
  void CancelTransfer();

  // Menus, band limits and every view in the current language, at once.
  void RefreshAll() override;
  void LocalizeMenus();

  // Commands.
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave();
  void OnFileSaveAs();
  void OnAppAbout();
  void OnLanguage();
  void OnNextLanguage();
  void OnHelp();
  void OnTransfer(bool read);
  void OnPort();
  // Program > Production Line: the document programmed into one radio after another.
  void OnProductionLine();
  // One of the automatic backups, chosen in the open dialog in the backups folder.
  void OnOpenBackup();
  // The document against a project file, or against the radio read into a scratch image.
  void OnCompareFile();
  void OnCompareRadio();
  void OnUndo();
  void OnRedo();

  // Opens a project file as File Open does. The file is read and checked first: one that
  // cannot be read or is no project file is reported and changes nothing (document, its
  // name and modified flag, the recent-file list); only a good file leads to the
  // save-changes question and replaces the document. From the recent-file list, an entry
  // whose file is gone is offered for removal from the list instead.
  enum class OpenSource { Dialog, RecentList, CommandLine, Drop };
  enum class OpenOutcome { Opened, Cancelled, NotAProjectFile, CannotOpen };
  OpenOutcome OpenDocumentFile(const QString& path, OpenSource source = OpenSource::Dialog);

  // The save-changes question for a modified document: Yes saves (asking for a name when
  // untitled), No discards. False when the user cancelled or the save failed.
  bool SaveModified();

 private:
  void AfterDocumentSaved();
  void OfferRecentRemoval(const QString& path);

  std::shared_ptr<CSerialPort> m_port;
  std::unique_ptr<CQorrinDoc> m_doc;
  EditHistory m_history;  // of the document, attached while the application lives
  std::unique_ptr<DocumentBinding> m_binding;
  GuiPrompts m_prompts{nullptr};
  RecentFiles m_recent;
  std::unique_ptr<TransferWorker> m_worker;
  QPointer<CTransferDlg> m_transfer;  // the open transfer dialog, if any
  std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace qorrin::gui
