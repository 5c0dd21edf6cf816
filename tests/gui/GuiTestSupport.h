#pragma once
// Shared by the GUI tests: a running application on a private program folder, answers to
// the modal windows it opens, and the headers every window test uses.
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
#include "support/DocumentBytes.h"
#include "support/TestSupport.h"

namespace qorrin::gui::test {

// Answers the modal windows that open from now on, in order, from inside their own event
// loop (polling, not blocking), and records what each showed.
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

// A program folder with the shipped files; the application started on it.
struct RunningApp {
  qorrin::test::TempDir dir;
  std::unique_ptr<CQorrinApp> app;

  RunningApp();
  bool Start(const QStringList& files = {});
  CMainFrame* Frame() const { return app->MainFrame(); }
  std::string Image() const { return {app->Document().Image().begin(), app->Document().Image().end()}; }  // 4096 bytes
  void SetLine(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file = "setting.ini") const {
    WriteProfileString(section, key, value, dir.file(file));
  }
  // Saves the document into a file of the test's folder: it is then unmodified, so the
  // test sees whether what comes next marks it modified.
  bool SaveAside() const { return app->Document().OnSaveDocument(dir.file("saved.7Q")).bOk; }
};

// The application started on a fresh program folder as `run`, with its document as `doc`;
// the test function stops at once when it cannot start.
#define QORRIN_START_APP(run, doc) \
  RunningApp run;                  \
  QVERIFY(run.Start());            \
  CQorrinDoc& doc = run.app->Document()

// Something done (a key, a click, a command) with the modal windows it opens answered in
// order; the test fails unless each answer was used. The script keeps what they showed.
using Answers = std::initializer_list<ModalScript::Action>;
std::unique_ptr<ModalScript> Answering(const std::function<void()>& act, Answers actions);
std::unique_ptr<ModalScript> RunCommand(const RunningApp& run, int command, Answers actions);

// A key pressed in the main window, as the user presses it with the window active.
void PressKey(const RunningApp& run, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Opens a list and picks an item in it, as with the mouse or the keyboard in the popup.
void Pick(QComboBox* combo, int index);

// A click on the box of a check box or radio button (one stretched by its layout takes
// clicks on its box and its text only).
void ClickBox(QAbstractButton* button);

// The main window's channel table, and a click on one of its cells: the press moves the
// focus there, the release opens the cell's editor.
CGridCtrl* ChannelGrid(const RunningApp& run);
void ClickCell(const RunningApp& run, int row, int column);

// Channel n's 16 bytes of an image, as spaced upper-case hex.
QString RecordHex(const std::string& image, int channel);

// A file dropped on the main window as a drag delivers it: it enters, then drops.
// False when the window refused the drag.
bool DropFile(const RunningApp& run, const std::string& path);

// The File menu's first recent-file entry (null when there is none).
QAction* FirstRecentEntry(const RunningApp& run);

// The descendant of `root` that carries a control id (null when none does).
QWidget* WidgetWithId(QWidget* root, int id);
template <typename T>
T* WidgetWithId(QWidget* root, int id) {
  return qobject_cast<T*>(WidgetWithId(root, id));
}

// Whether the screen shows the widget as painting it now would: false when it was not
// told of a change that it shows. Runs the paints that are due first.
bool ScreenIsCurrent(QWidget* widget);

// Before the QApplication: a private settings and data folder, the offscreen platform.
void PrepareTestEnvironment();

}  // namespace qorrin::gui::test

// A test program: each one runs its own QApplication on the offscreen platform, with the
// user's settings folder pointed at a private one so no test touches real settings.
#define QORRIN_GUI_TEST_MAIN(TestClass)                                \
  int main(int argc, char** argv) {                                    \
    qorrin::gui::test::PrepareTestEnvironment();                       \
    QApplication application(argc, argv);                              \
    QApplication::setApplicationName(QStringLiteral("qorrin"));        \
    TestClass tests;                                                   \
    return QTest::qExec(&tests, argc, argv);                           \
  }
