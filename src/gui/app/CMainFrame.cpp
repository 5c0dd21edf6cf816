#include "gui/app/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include <algorithm>

#include "core/edit/EditHistory.h"
#include "core/lang/ShellTexts.h"
#include "core/link/CSerialPort.h"
#include "core/link/LinkSettings.h"
#include "core/link/PortNames.h"
#include "core/settings/AppPaths.h"
#include "gui/app/CQorrinApp.h"
#include "gui/app/FormScrollArea.h"
#include "gui/app/MainKeys.h"
#include "gui/app/ProgramIcons.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/LocalizeMenus.h"
#include "gui/lang/QtText.h"
#include "gui/link/CCheckConnectionDlg.h"
#include "gui/views/CQorrinView.h"
#include "gui/views/CFmRadioDlg.h"
#include "gui/views/ChannelCommandStates.h"
#include "gui/views/ChannelCommands.h"
#include "gui/views/ChannelListCommands.h"
#include "gui/views/ChannelTable.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/views/PrintCommands.h"

namespace qorrin::gui {
namespace {

constexpr int kStartWidth = 900;
constexpr int kStartHeight = 800;

struct ToolButton {
  int id;
  ProgramIcon icon;
};
constexpr ToolButton kToolButtons[] = {
    {cmd::kFileNew, ProgramIcon::New},     {cmd::kFileOpen, ProgramIcon::Open},
    {cmd::kFileSave, ProgramIcon::Save},   {0, ProgramIcon::New},
    {cmd::kReadData, ProgramIcon::Read},   {cmd::kWriteData, ProgramIcon::Write},
    {0, ProgramIcon::New},                 {cmd::kFilePrint, ProgramIcon::Print},
};

}  // namespace

CMainFrame::CMainFrame(CQorrinApp& app) : m_app(app) {
  setObjectName("MainFrame");
  setWindowIcon(DrawnIcon(ProgramIcon::Radio));
  BuildMenus();
  BuildToolBar();
  AddSilentKeys();

  m_portPane = new QLabel(QStringLiteral("COMX"), this);
  SetControlId(m_portPane, ctl::kStatusPane);
  m_portPane->setMinimumWidth(m_portPane->fontMetrics().horizontalAdvance(QStringLiteral("COMX")) + 8);
  m_portPane->setAlignment(Qt::AlignCenter);
  statusBar()->addPermanentWidget(m_portPane);

  m_view = new CQorrinView(app.Binding(), this);
  connect(m_view->Commands(), &ChannelCommands::commandRequested, this, &CMainFrame::ExecuteCommand);
  new ChannelCommandStates(*m_view->Commands(), app.Binding(), [this](int id) { return MenuAction(id); }, this);
  setCentralWidget(new FormScrollArea(m_view, this));
  setAcceptDrops(true);

  PlaceAtStart();
  SetPortPane(link::ReadComPort(g_strIniFile));
  setWindowTitle(LangText("IDS_WINDOWNAME"));
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const char* builtInText, const QList<QKeySequence>& keys) {
  QAction* action = menu->addAction(QString::fromUtf8(builtInText));
  SetCommandId(action, id);
  if (!keys.isEmpty()) {
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
  m_menuActions.insert(id, action);
  return action;
}

void CMainFrame::BuildMenus() {
  QMenuBar* bar = menuBar();
  m_fileMenu = bar->addMenu(QStringLiteral("文件(&F)"));
  AddCommand(m_fileMenu, cmd::kFileNew, "新建(&N)\tCtrl+N", {QKeySequence(Qt::CTRL | Qt::Key_N)});
  AddCommand(m_fileMenu, cmd::kFileOpen, "打开(&O)...\tCtrl+O", {QKeySequence(Qt::CTRL | Qt::Key_O)});
  AddCommand(m_fileMenu, cmd::kFileSave, "保存(&S)\tCtrl+S", {QKeySequence(Qt::CTRL | Qt::Key_S)});
  AddCommand(m_fileMenu, cmd::kFileSaveAs, "另存为(&A)...");
  AddCommand(m_fileMenu, cmd::kFileBackups, "打开备份(&B)...");
  m_fileMenu->addSeparator();
  AddCommand(m_fileMenu, cmd::kImportChannels, "导入信道(&I)...");
  AddCommand(m_fileMenu, cmd::kExportChannels, "导出信道(&E)...");
  m_fileMenu->addSeparator();
  AddCommand(m_fileMenu, cmd::kFilePrint, "打印(&P)...\tCtrl+P", {QKeySequence(Qt::CTRL | Qt::Key_P)});
  AddCommand(m_fileMenu, cmd::kFilePrintPreview, "打印预览(&V)");
  AddCommand(m_fileMenu, cmd::kFilePrintSetup, "打印设置(&R)...");
  m_fileMenu->addSeparator();
  m_recentPlaceholder = m_fileMenu->addAction(QStringLiteral("Recent File"));
  m_recentPlaceholder->setEnabled(false);
  m_fileMenu->addSeparator();
  AddCommand(m_fileMenu, cmd::kAppExit, "退出(&X)");

  m_editMenu = bar->addMenu(QStringLiteral("编辑(&E)"));
  AddCommand(m_editMenu, cmd::kEditUndo, "撤销(&U)\tCtrl+Z",
             {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
  AddCommand(m_editMenu, cmd::kEditRedo, "重做(&R)\tCtrl+Y",
             {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  m_editMenu->addSeparator();
  // Ctrl+C stays the port dialog's: Copy is Ctrl+Insert.
  AddCommand(m_editMenu, cmd::kEditCut, "剪切(&T)\tCtrl+X",
             {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
  AddCommand(m_editMenu, cmd::kEditCopy, "复制(&C)\tCtrl+Insert", {QKeySequence(Qt::CTRL | Qt::Key_Insert)});
  AddCommand(m_editMenu, cmd::kEditPaste, "粘贴(&P)\tCtrl+V",
             {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
  AddCommand(m_editMenu, cmd::kEditSelectAll, "全选(&A)\tCtrl+A", {QKeySequence(Qt::CTRL | Qt::Key_A)});
  m_editMenu->addSeparator();
  AddCommand(m_editMenu, cmd::kEditSetSelected, "批量设置所选信道(&S)...");
  m_editMenu->addSeparator();
  AddCommand(m_editMenu, cmd::kEditInsertChannel, "插入信道(&I)");
  AddCommand(m_editMenu, cmd::kEditDeleteChannel, "删除信道(&D)");
  AddCommand(m_editMenu, cmd::kEditMoveUp, "上移(&M)\tAlt+Up", {QKeySequence(Qt::ALT | Qt::Key_Up)});
  AddCommand(m_editMenu, cmd::kEditMoveDown, "下移(&W)\tAlt+Down", {QKeySequence(Qt::ALT | Qt::Key_Down)});
  AddCommand(m_editMenu, cmd::kEditClearChannels, "清除信道(&L)");
  AddCommand(m_editMenu, cmd::kEditSortFrequency, "按频率排序(&F)");
  AddCommand(m_editMenu, cmd::kEditSortName, "按名称排序(&N)");
  m_editMenu->addSeparator();
  AddCommand(m_editMenu, cmd::kEditGoTo, "转到信道(&G)...\tCtrl+G", {QKeySequence(Qt::CTRL | Qt::Key_G)});

  QMenu* program = bar->addMenu(QStringLiteral("编程(&P)"));
  AddCommand(program, cmd::kReadData, "从对讲机读取数据(&R)", {QKeySequence(Qt::CTRL | Qt::Key_R)});
  AddCommand(program, cmd::kWriteData, "向对讲机写入数据(&W)", {QKeySequence(Qt::CTRL | Qt::Key_W)});
  program->addSeparator();
  AddCommand(program, cmd::kFmRadio, "收音机频率");
  program->addSeparator();
  AddCommand(program, cmd::kCompareFile, "与文件比较(&C)...");
  AddCommand(program, cmd::kCompareRadio, "与对讲机比较(&D)...");

  QMenu* settings = bar->addMenu(QStringLiteral("设置(&S)"));
  // Ctrl+C belongs to the port dialog even where an edit field has the focus (MainKeys).
  AddCommand(settings, cmd::kPort, "通信端口(&C)", {QKeySequence(Qt::CTRL | Qt::Key_C)});
  AddCommand(settings, cmd::kLanguage, "语言转换(&L)", {QKeySequence(Qt::CTRL | Qt::Key_L)});

  QMenu* help = bar->addMenu(QStringLiteral("帮助(&H)"));
  AddCommand(help, cmd::kHelp, "帮助(&H)");
  AddCommand(help, cmd::kCheckConnection, "检查连接(&C)...");
  AddCommand(help, cmd::kAppAbout, "关于(&A)...");
}

void CMainFrame::BuildToolBar() {
  m_toolBar = new QToolBar(this);
  m_toolBar->setObjectName("ToolBar");
  m_toolBar->setMovable(true);
  m_toolBar->setFloatable(true);
  m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
  m_toolBar->setIconSize(QSize(16, 16));
  m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  addToolBar(Qt::TopToolBarArea, m_toolBar);
  for (const ToolButton& button : kToolButtons) {
    if (button.id == 0) {
      m_toolBar->addSeparator();
      continue;
    }
    QAction* action = m_toolBar->addAction(ToolIcon(button.icon), QString());
    SetCommandId(action, button.id);
    const int id = button.id;
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    m_toolActions.append(action);
  }
  LocalizeToolBar();
}

// Keys that the radio's other software reserves for editing and panes: they are taken
// here and do nothing, also inside edit fields of the window.
void CMainFrame::AddSilentKeys() {
  for (const QKeySequence& keys : SilentKeys()) {
    auto* action = new QAction(this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  InstallMainKeys(this);
}

void CMainFrame::ExecuteCommand(int id) {
  // A cell being edited counts as entered: the command sees what was typed.
  m_view->CommitOpenEditor();
  switch (id) {
    case cmd::kFileNew: m_app.OnFileNew(); break;
    case cmd::kFileOpen: m_app.OnFileOpen(); break;
    case cmd::kFileSave: m_app.OnFileSave(); break;
    case cmd::kFileSaveAs: m_app.OnFileSaveAs(); break;
    case cmd::kAppExit: close(); break;
    case cmd::kAppAbout: m_app.OnAppAbout(); break;
    case cmd::kLanguage: m_app.OnLanguage(); break;
    case cmd::kNextLanguage: m_app.OnNextLanguage(); break;
    case cmd::kHelp: m_app.OnHelp(); break;
    case cmd::kReadData: m_app.OnTransfer(true); break;
    case cmd::kWriteData: m_app.OnTransfer(false); break;
    case cmd::kPort: m_app.OnPort(); break;
    case cmd::kFilePrint: ChannelPrintCommands::Of(this).Print(m_app.Document()); break;
    case cmd::kFilePrintPreview: ChannelPrintCommands::Of(this).PrintPreview(m_app.Document()); break;
    case cmd::kFilePrintSetup: ChannelPrintCommands::Of(this).PrintSetup(); break;
    case cmd::kFileBackups: m_app.OnOpenBackup(); break;
    case cmd::kCompareFile: m_app.OnCompareFile(); break;
    case cmd::kCompareRadio: m_app.OnCompareRadio(); break;
    case cmd::kEditUndo: m_app.OnUndo(); break;
    case cmd::kEditRedo: m_app.OnRedo(); break;
    case cmd::kImportChannels: ImportChannels(this, m_app.Document(), m_view->Channels()->Grid()->FocusRow()); break;
    case cmd::kExportChannels: ExportChannels(this, m_app.Document()); break;
    case cmd::kEditCut:
    case cmd::kEditCopy:
    case cmd::kEditPaste:
    case cmd::kEditSelectAll:
    case cmd::kEditSetSelected:
    case cmd::kEditInsertChannel:
    case cmd::kEditDeleteChannel:
    case cmd::kEditMoveUp:
    case cmd::kEditMoveDown:
    case cmd::kEditClearChannels:
    case cmd::kEditSortFrequency:
    case cmd::kEditSortName:
    case cmd::kEditGoTo: m_view->Commands()->Execute(id); break;
    case cmd::kFmRadio: {
      CFmRadioDlg dialog(m_app.Document(), this);
      dialog.exec();
      break;
    }
    case cmd::kCheckConnection: {
      CCheckConnectionDlg dialog(m_app, this);
      dialog.exec();
      break;
    }
    default: break;
  }
  // Back to the window after a dialog, also where no window manager hands the focus back.
  if (isVisible() && QApplication::activeModalWidget() == nullptr) activateWindow();
  Q_EMIT commandExecuted(id);
}

void CMainFrame::SetPortPane(int port) {
  m_portPane->setText(Qt(link::PortLabel(port)));
  const QString device = Qt(link::DeviceForPort(port, g_strIniFile));
  m_portPane->setToolTip(device);
  m_portPane->setAccessibleName(m_portPane->text());
  m_portPane->setAccessibleDescription(device);
  m_portPane->repaint();
}

void CMainFrame::LocalizeMenus() {
  gui::LocalizeMenus(menuBar());
  menuBar()->setAccessibleName(LangText("IDS_MENU_BAR"));
  UpdateRecentFileMenu();
  UpdateEditMenu();
}

// Undo and Redo name the step they take back or do again, and are greyed when there is
// none.
void CMainFrame::UpdateEditMenu() {
  const EditHistory& history = m_app.History();
  auto name = [](QAction* action, bool possible, const char* plainKey, const char* namedKey,
                 const ChangeLabel& label) {
    if (action == nullptr) return;
    action->setEnabled(possible);
    action->setText(possible ? LangText(namedKey).replace(QStringLiteral("%s"), Qt(EditHistory::LabelText(label)))
                             : LangText(plainKey));
  };
  name(MenuAction(cmd::kEditUndo), history.CanUndo(), "Menu_Edit_Undo", "IDS_MENU_UNDO_NAMED",
       history.CanUndo() ? history.UndoLabel() : ChangeLabel{});
  name(MenuAction(cmd::kEditRedo), history.CanRedo(), "Menu_Edit_Redo", "IDS_MENU_REDO_NAMED",
       history.CanRedo() ? history.RedoLabel() : ChangeLabel{});
}

void CMainFrame::LocalizeToolBar() {
  m_toolBar->setAccessibleName(LangText("IDS_TOOL_BAR"));
  for (QAction* action : m_toolActions) {
    const QString tip = Qt(ToolTipText(CommandId(action)));
    action->setText(tip);
    action->setToolTip(tip);
  }
}

void CMainFrame::UpdateRecentFileMenu() {
  for (QAction* action : m_recentActions) {
    m_fileMenu->removeAction(action);
    action->deleteLater();
  }
  m_recentActions.clear();
  const QStringList entries = m_app.Recent().Entries();
  m_recentPlaceholder->setVisible(entries.isEmpty());
  for (int i = 0; i < entries.size(); ++i) {
    const QString path = entries[i];
    QString label = QDir::toNativeSeparators(path);
    label.replace(u'&', QStringLiteral("&&"));
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(label), m_fileMenu);
    SetCommandId(action, cmd::kFileMruFirst + i);
    connect(action, &QAction::triggered, this,
            [this, path] { m_app.OpenDocumentFile(path, CQorrinApp::OpenSource::RecentList); });
    m_fileMenu->insertAction(m_recentPlaceholder, action);
    m_recentActions.append(action);
  }
}

// At least 900 x 800 and as large as the whole form with the table's columns, centred;
// on a screen smaller than that (or at a large scaling) the screen's free area, so that
// the menu and title bar are never off-screen (the form scrolls inside).
void CMainFrame::PlaceAtStart() {
  const QRect area = FitToForm(QSize(kStartWidth, kStartHeight));
  if (area.isValid()) {
    const QSize spare = area.size() - frameGeometry().size();
    move(area.topLeft() + QPoint(std::max(0, spare.width() / 2), std::max(0, spare.height() / 2)));
  }
}

QRect CMainFrame::FitToForm(const QSize& atLeast) {
  // New texts (another language) or a table filled since the last look: the layouts
  // measure the form again now. Each group re-measures through a posted request that in
  // turn asks its parent, so those run first, a level at a time.
  for (int level = 0; level < 8; ++level) QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  if (m_view->layout()) m_view->layout()->activate();
  centralWidget()->updateGeometry();  // the scroll area asks for the form's size
  if (layout()) layout()->invalidate();
  QSize size = sizeHint().expandedTo(atLeast);
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect();
  if (!area.isValid()) {
    resize(size);
    return area;
  }
  // The title bar and borders, where a window manager has added them, count too.
  const QSize decoration = frameGeometry().size() - geometry().size();
  size = size.boundedTo(area.size() - decoration);
  resize(size);
  // Whatever moved it, the window stays on the screen.
  QRect outer = frameGeometry();
  outer.moveLeft(std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() - outer.width() + 1)));
  outer.moveTop(std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() - outer.height() + 1)));
  if (outer.topLeft() != frameGeometry().topLeft()) move(outer.topLeft());
  return area;
}

void CMainFrame::FitAfterLanguageChange() {
  // Texts of another length: the window grows to what the form needs now, never past the
  // screen, and never shrinks below what the user made it.
  FitToForm(size());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  m_app.CancelTransfer();  // a read or write under way ends as with Cancel
  m_view->CommitOpenEditor();
  if (!m_app.SaveModified()) {
    event->ignore();
    return;
  }
  m_app.Port()->Close();
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void CMainFrame::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) files.append(url.toLocalFile());
  }
  event->acceptProposedAction();
  // Each file opens in turn, as if opened one after the other; the last one stays. A
  // channel list is imported into the document instead.
  for (const QString& file : files) {
    if (IsChannelListFile(file)) {
      ImportChannels(this, m_app.Document(), m_view->Channels()->Grid()->FocusRow(), file);
    } else {
      m_app.OpenDocumentFile(file, CQorrinApp::OpenSource::Drop);
    }
  }
}

}  // namespace qorrin::gui
