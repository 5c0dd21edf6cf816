#include "gui/app/CQorrinApp.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QDir>
#include <QTimer>
#include <QUrl>

#include "core/backup/BackupStore.h"
#include "core/compare/DocumentDiff.h"
#include "core/lang/LanguageFiles.h"
#include "core/lang/ShellTexts.h"
#include "core/link/CSerialPort.h"
#include "core/model/CQorrinDoc.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ProgramFolder.h"
#include "gui/app/CAboutDlg.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/DifferencesDialog.h"
#include "gui/app/DocumentBinding.h"
#include "gui/app/FocusRingStyle.h"
#include "gui/app/SaveChangesPrompt.h"
#include "gui/app/ShellRegistration.h"
#include "gui/lang/CLanguageDlg.h"
#include "gui/lang/QtText.h"
#include "gui/lang/QtTranslations.h"
#include "gui/link/CPortDlg.h"
#include "gui/link/CTransferDlg.h"
#include "gui/link/TransferWorker.h"

namespace qorrin::gui {

CQorrinApp::CQorrinApp()
    : m_port(std::make_shared<CSerialPort>()),
      m_doc(std::make_unique<CQorrinDoc>()),
      m_worker(std::make_unique<TransferWorker>()) {
  m_binding = std::make_unique<DocumentBinding>(*m_doc);
  m_history.Attach(*m_doc);
}

CQorrinApp::~CQorrinApp() {
  m_worker.reset();  // cancels and joins a worker still running
  m_history.SetListener(nullptr);
  m_port->Close();
  m_doc->SetPrompts(nullptr);
  m_frame.reset();
}

bool CQorrinApp::InitInstance(const StartupOptions& options) {
  std::string error;
  if (!InitProgramPaths(ResolveProgramFolder(options.configDir), &error)) {
    QMessageBox::critical(nullptr, StandardCaption(), QStringLiteral("Can not find the file setting.ini!"));
    return false;
  }
  InstallFocusRingStyle();
  UseQtTranslations();
  RegisterProjectFileType();
  m_frame = std::make_unique<CMainFrame>(*this);
  m_prompts.SetParent(m_frame.get());
  m_doc->SetPrompts(&m_prompts);
  m_history.SetListener([frame = m_frame.get()] { frame->UpdateEditMenu(); });

  // The first document comes silently, with the defaults of the first model (and starts
  // the history).
  m_doc->OnNewDocument();
  m_doc->UpdateAllViews();
  LocalizeMenus();

  // A file that cannot be read ends the program; one that is no project file is refused
  // and the program starts with the new document.
  if (!options.files.isEmpty() &&
      OpenDocumentFile(options.files.first(), OpenSource::CommandLine) == OpenOutcome::CannotOpen) {
    return false;
  }
  if (options.show) {
    m_frame->show();
    // Once shown, the layouts know the size of the filled form: the window grows to it.
    QTimer::singleShot(0, m_frame.get(), [frame = m_frame.get()] { frame->PlaceAtStart(); });
    m_frame->raise();
  }
  m_frame->setWindowTitle(LangText("IDS_WINDOWNAME"));
  return true;
}

void CQorrinApp::RefreshAll() {
  UseQtTranslations();
  LocalizeMenus();
  m_frame->LocalizeToolBar();
  m_doc->RefreshBandLimits();  // updates the views, which re-read everything
}

void CQorrinApp::LocalizeMenus() { m_frame->LocalizeMenus(); }

void CQorrinApp::ShowPort(int port) { m_frame->SetPortPane(port); }

bool CQorrinApp::SaveModified() {
  if (!m_doc->IsModified()) return true;
  switch (AskSaveChanges(m_frame.get(), m_doc->GetTitle())) {
    case SaveChangesAnswer::No: return true;
    case SaveChangesAnswer::Cancel: return false;
    case SaveChangesAnswer::Yes: break;
  }
  if (!m_doc->Save(CQorrinDoc::SaveCommand::SaveChanges)) return false;
  AfterDocumentSaved();
  return true;
}

void CQorrinApp::OnFileNew() {
  if (!SaveModified()) return;
  if (!m_doc->OnNewDocument()) return;  // a new document starts a new history
  m_doc->UpdateAllViews();
  LocalizeMenus();
}

void CQorrinApp::OnFileOpen() {
  const QString path = AskOpenFileName(m_frame.get());
  if (!path.isEmpty()) OpenDocumentFile(path);
}

CQorrinApp::OpenOutcome CQorrinApp::OpenDocumentFile(const QString& path, OpenSource source) {
  const ProjectFileRead file = ReadProjectFile(Std(path));
  if (!file.ok()) {
    if (source == OpenSource::RecentList && file.bFileMissing) {
      OfferRecentRemoval(path);
    } else {
      m_doc->ReportUnreadable(file);
    }
    return file.status == LoadStatus::HeaderMismatch ? OpenOutcome::NotAProjectFile : OpenOutcome::CannotOpen;
  }
  if (!SaveModified()) return OpenOutcome::Cancelled;
  m_doc->OpenProjectFile(Std(path), file);  // an opened document starts a new history
  m_recent.Add(path);
  LocalizeMenus();
  return OpenOutcome::Opened;
}

void CQorrinApp::OfferRecentRemoval(const QString& path) {
  QString text = LangText("IDS_RECENT_MISSING");
  text.replace(QStringLiteral("%s"), QDir::toNativeSeparators(path));
  if (AskOkCancel(m_frame.get(), StandardCaption(), text)) {
    m_recent.Remove(path);
    m_frame->UpdateRecentFileMenu();
  }
}

void CQorrinApp::OnFileSave() {
  if (m_doc->OnSaveCommand()) AfterDocumentSaved();
}

void CQorrinApp::OnFileSaveAs() {
  if (m_doc->Save(CQorrinDoc::SaveCommand::SaveAs)) AfterDocumentSaved();
}

void CQorrinApp::OnUndo() { m_history.Undo(); }

void CQorrinApp::OnRedo() { m_history.Redo(); }

// The document itself knows what was saved; the window shows where.
void CQorrinApp::AfterDocumentSaved() {
  m_recent.Add(Qt(m_doc->GetPathName()));
  m_frame->UpdateRecentFileMenu();
  m_doc->UpdateAllViews();  // the title stays the program's; the form shows the new limits
}

void CQorrinApp::OnAppAbout() {
  CAboutDlg dialog(m_frame.get());
  dialog.exec();
}

void CQorrinApp::OnLanguage() {
  CLanguageDlg dialog(m_frame.get());
  if (dialog.exec() == QDialog::Accepted) {
    dialog.ApplyChoice();
    RefreshAll();
    m_frame->FitAfterLanguageChange();
  }
}

void CQorrinApp::OnNextLanguage() {
  const auto files = ListLanguageFiles(g_strAppDir, true);
  const LanguageFile* next = NextLanguageFile(files, g_strLangFile);
  if (next == nullptr) return;
  UseLanguageFile(*next);
  RefreshAll();
  m_frame->FitAfterLanguageChange();
}

void CQorrinApp::OnTransfer(bool read) {
  // An image of no known frequency range (an all-zero one, say) is no configuration for
  // any radio: sending it takes a clear OK.
  if (!read && !MatchesAnyModel(m_doc->Image()) &&
      !AskOkCancel(m_frame.get(), LangText("IDS_PROMPT"), LangText("IDS_WARN_UNKNOWN_MODEL"), true)) {
    return;
  }
  CTransferDlg dialog(*this, m_frame.get());
  dialog.SetReadMode(read);
  m_transfer = &dialog;
  dialog.exec();
}

void CQorrinApp::CancelTransfer() {
  if (m_transfer) m_transfer->reject();
}

void CQorrinApp::OnOpenBackup() {
  const QString folder = Qt(BackupFolder());
  QDir().mkpath(folder);
  const QString path = AskOpenBackupName(m_frame.get(), folder);
  if (!path.isEmpty()) OpenDocumentFile(path);
}

void CQorrinApp::OnCompareFile() {
  const QString path = AskOpenFileName(m_frame.get());
  if (path.isEmpty()) return;
  CQorrinDoc other;
  other.SetPrompts(&m_prompts);
  if (other.OnOpenDocument(Std(path)).status != LoadStatus::Ok) return;
  const QString name = QFileInfo(path).fileName();
  ShowDifferences(m_frame.get(), LangText("IDS_COMPARE_WITH_FILE") + QStringLiteral(": ") + name,
                  LangText("IDS_COMPARE_DOCUMENT") + QStringLiteral(" -> ") + name, DiffDocuments(*m_doc, other));
}

void CQorrinApp::OnCompareRadio() {
  CTransferDlg dialog(*this, m_frame.get());
  dialog.SetReadMode(true);
  dialog.SetKeepDocument(true);
  m_transfer = &dialog;
  if (dialog.exec() != QDialog::Accepted || !dialog.ReadImage()) return;
  const std::vector<DocumentDifference> differences = DiffWithRadio(*m_doc, *dialog.ReadImage());
  ShowDifferences(m_frame.get(), LangText("IDS_COMPARE_WITH_RADIO"),
                  LangText("IDS_COMPARE_DOCUMENT") + QStringLiteral(" -> ") + LangText("IDS_COMPARE_RADIO"), differences);
}

void CQorrinApp::OnPort() {
  CPortDlg dialog(*this, m_frame.get());
  dialog.exec();
}

void CQorrinApp::OnHelp() {
  const QString help = Qt(HelpFilePath(g_strLangFile));
  if (!QFileInfo(help).isFile()) return;
  // Without a browser or a desktop that opens HTML files nothing would show: say where
  // the file is, so the user can open it another way.
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help))) {
    ShowWarningBox(m_frame.get(), StandardCaption(),
                   LangText("IDS_HELP_FAILED") + QStringLiteral("\n\n") + QDir::toNativeSeparators(help));
  }
}

}  // namespace qorrin::gui
