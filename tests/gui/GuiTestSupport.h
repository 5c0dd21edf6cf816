#pragma once
// Shared by the GUI tests: a running application on a private program folder, answers to
// the modal windows it opens.
#include <QtTest>
#include <QtWidgets>

#include <chrono>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/edit/ChannelCommits.h"
#include "core/model/CQorrinDoc.h"
#include "core/model/RadioImageLayout.h"
#include "core/settings/ProfileFile.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CQorrinApp.h"
#include "gui/grid/CGridCtrl.h"
#include "gui/lang/ControlIds.h"
#include "gui/views/CQorrinView.h"
#include "gui/views/ChannelTable.h"
#include "sim/SimRadio.h"
#include "support/DocumentBytes.h"
#include "support/TestSupport.h"

namespace qorrin::gui::test {

// Answers the modal windows that open from now on, in order, polling from inside their
// event loops, and records what each showed.
class ModalScript : public QObject {
 public:
  using Action = std::function<void(QWidget*)>;
  ModalScript(std::initializer_list<Action> actions);
  explicit ModalScript(Action action) : ModalScript({std::move(action)}) {}

  int Seen() const { return static_cast<int>(m_texts.size()); }
  bool Done() const { return Seen() == static_cast<int>(m_actions.size()); }
  QString Text(int i = 0) const { return m_texts.value(i); }     // a message box's text
  QString Title(int i = 0) const { return m_titles.value(i); }

 private:
  void Poll();
  std::vector<Action> m_actions;
  QTimer m_timer;
  QPointer<QWidget> m_last;
  QStringList m_texts, m_titles;
};

// Common answers.
void ClickButton(QWidget* modal, const QString& text);  // by its text, '&' included
void ClickOk(QWidget* modal);                           // the accepting button
void ClickCancel(QWidget* modal);                       // the rejecting button
void ChooseFile(QWidget* modal, const QString& path);   // fill in a file dialog and accept
ModalScript::Action Choosing(const QString& path);      // ChooseFile as an answer
void ClickNo(QWidget* modal);                           // a question's "&No"
void StartTransfer(QWidget* modal);                     // a transfer dialog's OK

// A program folder with the shipped files; the application started on it.
struct RunningApp {
  qorrin::test::TempDir dir;
  std::unique_ptr<CQorrinApp> app;

  RunningApp();
  bool Start(const QStringList& files = {});
  CMainFrame* Frame() const { return app->MainFrame(); }
  QString File(const std::string& name) const { return QString::fromStdString(dir.file(name)); }
  std::string Image() const { return {app->Document().Image().begin(), app->Document().Image().end()}; }  // 4096 bytes
  void SetLine(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file = "setting.ini") const {
    WriteProfileString(section, key, value, dir.file(file));
  }
  bool SettingsHold(const std::string& text) const {
    return dir.read("setting.ini").find(text) != std::string::npos;
  }
  // Port n is this device, with no search of the others.
  void UsePort(int n, const std::string& device) const {
    SetLine("ports", std::to_string(n), device);
    SetLine("setup", "searchcom", "0");
  }
  // Saves the document aside: unmodified, so a test sees what marks it modified next.
  bool SaveAside() const { return app->Document().OnSaveDocument(dir.file("saved.7Q")).bOk; }
};

// The application started as `run`, its document `doc`; the test stops if it cannot start.
#define QORRIN_START_APP(run, doc) \
  RunningApp run;                  \
  QVERIFY(run.Start());            \
  CQorrinDoc& doc = run.app->Document()

// Something done with the modal windows it opens answered in order; the test fails unless
// each answer was used. The script keeps what they showed.
using Answers = std::initializer_list<ModalScript::Action>;
std::unique_ptr<ModalScript> Answering(const std::function<void()>& act, Answers actions);
std::unique_ptr<ModalScript> RunCommand(const RunningApp& run, int command, Answers actions);

// A key pressed in the active main window; with answers, as by Answering.
void PressKey(const RunningApp& run, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
std::unique_ptr<ModalScript> PressKey(const RunningApp& run, Qt::Key key, Qt::KeyboardModifiers modifiers,
                                      Answers actions);

// Opens a list and picks an item in it, as with the mouse or the keyboard in the popup.
void Pick(QComboBox* combo, int index);

// A click on the box of a check box or radio button (a stretched one ignores clicks
// beside its text).
void ClickBox(QAbstractButton* button);

// The channel table, and a click on a cell: the press moves the focus, the release opens
// the editor.
CGridCtrl* ChannelGrid(const RunningApp& run);
void ClickCell(const RunningApp& run, int row, int column);
// That click, then text typed into the cell's editor and a key that ends it (none for
// Qt::Key_unknown: the editor stays open).
void TypeInCell(const RunningApp& run, int row, int column, const QString& text, Qt::Key end = Qt::Key_Return);

// Channel n's 16 bytes of an image, as spaced upper-case hex.
QString RecordHex(const std::string& image, int channel);

// A simulated radio holding `image`, started (on a pseudo-terminal unless the config names
// a link), or made port 1 of `run`; the document's image, plain or with demo channels.
std::unique_ptr<sim::SimRadio> StartRadio(const sim::RadioImage& image, const sim::SimConfig& config = {});
std::unique_ptr<sim::SimRadio> RadioOnPort1(const RunningApp& run, const sim::RadioImage& image,
                                            const sim::SimConfig& config = {});
sim::RadioImage DocumentImage(const RunningApp& run);
sim::RadioImage DemoRadio(const RunningApp& run);

// The class names of the visible controls that take the focus but have no accessible name.
QStringList UnnamedControls(QWidget* root);

// A file dragged onto the main window and dropped; false when it refused the drag.
bool DropFile(const RunningApp& run, const std::string& path);

// The File menu's first recent-file entry (null when there is none).
QAction* FirstRecentEntry(const RunningApp& run);

// The descendant of `root` that carries a control id (null when none does).
QWidget* WidgetWithId(QWidget* root, int id);
template <typename T>
T* WidgetWithId(QWidget* root, int id) {
  return qobject_cast<T*>(WidgetWithId(root, id));
}

// Whether the screen shows the widget as painting it now would (after the due paints):
// false when it missed a change.
bool ScreenIsCurrent(QWidget* widget);

// Before the QApplication: a private settings and data folder, the offscreen platform.
void PrepareTestEnvironment();

}  // namespace qorrin::gui::test

// A test program: its own QApplication on the offscreen platform and private settings.
#define QORRIN_GUI_TEST_MAIN(TestClass)                                \
  int main(int argc, char** argv) {                                    \
    qorrin::gui::test::PrepareTestEnvironment();                       \
    QApplication application(argc, argv);                              \
    QApplication::setApplicationName(QStringLiteral("qorrin"));        \
    TestClass tests;                                                   \
    return QTest::qExec(&tests, argc, argv);                           \
  }
