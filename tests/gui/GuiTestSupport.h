#pragma once
// Shared by the GUI tests: a private program folder with the shipped data files, a
// running application on it, and answering the modal boxes and dialogs the program opens,
// as a user would, from inside their event loop.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "gui/app/CQorrinApp.h"
#include "support/TestSupport.h"

class QAbstractButton;
class QMessageBox;

namespace qorrin::gui::test {

// Runs `act` on the next modal window that opens (a message box or dialog), once.
// `Seen()` tells whether it came; an unanswered one is closed when the helper goes.
class ModalAnswer : public QObject {
 public:
  explicit ModalAnswer(std::function<void(QWidget*)> act);
  ~ModalAnswer() override;
  bool Seen() const { return m_seen; }
  const QString& Text() const { return m_text; }  // a message box's text
  const QString& Title() const { return m_title; }
  const QStringList& Buttons() const { return m_buttons; }  // a message box's button texts

 private:
  void Poll();
  std::function<void(QWidget*)> m_act;
  QTimer m_timer;
  QPointer<QWidget> m_previous;
  bool m_seen = false;
  QString m_text, m_title;
  QStringList m_buttons;
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
  CMainFrame* Frame() const;
  std::string Image() const;  // the document's 4096 bytes
  void SetLine(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file = "setting.ini") const;
};

// The image bytes of a project file (what follows the 48-byte header).
std::string ImageOfFile(const std::string& path);

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

namespace qorrin::gui::test {
void PrepareTestEnvironment();
}
