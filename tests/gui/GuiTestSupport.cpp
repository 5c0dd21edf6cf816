#include "GuiTestSupport.h"

#include <cstdio>
#include <cstdlib>

#include "core/settings/AppPaths.h"
#include "gui/link/CTransferDlg.h"
#include "sim/DemoImage.h"

namespace qorrin::gui::test {

void PrepareTestEnvironment() {
  static qorrin::test::TempDir config;  // lives as long as the program
  setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  static qorrin::test::TempDir data;  // the automatic backups of test runs go here
  setenv("XDG_DATA_HOME", data.path().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // A modal window nobody answers fails its test within two minutes, not at ctest's limit.
  setenv("QTEST_FUNCTION_TIMEOUT", "120000", 0);
  unsetenv("QORRIN_HOME");
  // The window-fit test's screen ("WxH@SCALE"): a size file for the offscreen platform.
  if (const char* screen = std::getenv("QORRIN_TEST_SCREEN")) {
    int width = 1400, height = 1000;
    double scale = 1;
    std::sscanf(screen, "%dx%d@%lf", &width, &height, &scale);
    config.write("screen.json", "{\"screens\": [{\"name\": \"test\", \"x\": 0, \"y\": 0, \"width\": " +
                                    std::to_string(width) + ", \"height\": " + std::to_string(height) + ", \"logicalDpi\": 96}]}");
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.file("screen.json")).c_str(), 1);
    setenv("QT_SCALE_FACTOR", std::to_string(scale).c_str(), 1);
  }
}

ModalScript::ModalScript(std::initializer_list<Action> actions) : m_actions(actions) {
  m_last = QApplication::activeModalWidget();  // one already open is not ours
  connect(&m_timer, &QTimer::timeout, this, &ModalScript::Poll);
  m_timer.start(10);
}

void ModalScript::Poll() {
  if (Done()) return;
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) return;
  if (modal == m_last && m_last->isVisible()) return;  // still the one we answered
  m_last = modal;
  m_titles.append(modal->windowTitle());
  auto* box = qobject_cast<QMessageBox*>(modal);
  m_texts.append(box ? box->text() : QString());
  (void)QTest::qWaitForWindowExposed(modal, 2000);  // laid out and on screen, as a user sees it
  m_actions[static_cast<std::size_t>(Seen() - 1)](modal);
}

void ClickButton(QWidget* modal, const QString& text) {
  for (auto* button : modal->findChildren<QAbstractButton*>()) {
    if (button->text() == text && button->isVisible()) return QTest::mouseClick(button, Qt::LeftButton);
  }
  QFAIL(qPrintable("no button " + text));
}

void ClickOk(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    for (QAbstractButton* button : box->buttons()) {
      const auto role = box->buttonRole(button);
      if (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole) return QTest::mouseClick(button, Qt::LeftButton);
    }
  }
  if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->accept();
}

void ClickCancel(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->escapeButton()) {
    return QTest::mouseClick(box->escapeButton(), Qt::LeftButton);
  }
  QTest::keyClick(modal, Qt::Key_Escape);
}

void ChooseFile(QWidget* modal, const QString& path) {
  auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  QVERIFY(qobject_cast<QFileDialog*>(modal) && name);
  name->setText(path);
  QTest::keyClick(name, Qt::Key_Return);
}

ModalScript::Action Choosing(const QString& path) {
  return [path](QWidget* modal) { ChooseFile(modal, path); };
}

void ClickNo(QWidget* modal) { ClickButton(modal, QStringLiteral("&No")); }

void StartTransfer(QWidget* modal) {
  QTest::mouseClick(qobject_cast<CTransferDlg*>(modal)->OkButton(), Qt::LeftButton);
}

// No test ever opens a serial device of the machine: ports are only what a test names.
RunningApp::RunningApp() {
  dir.installDataFiles();
  SetLine("ports", "enumerate", "0");
}

bool RunningApp::Start(const QStringList& files) {
  app = std::make_unique<CQorrinApp>();
  StartupOptions options;
  options.configDir = dir.path().string();
  options.files = files;
  if (!app->InitInstance(options)) return false;
  QApplication::setActiveWindow(app->MainFrame());
  return QTest::qWaitForWindowExposed(app->MainFrame());
}

QWidget* WidgetWithId(QWidget* root, int id) {
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    if (ControlId(widget) == id) return widget;
  }
  return nullptr;
}

bool ScreenIsCurrent(QWidget* widget) {
  QApplication::processEvents();
  const QRect seen = widget->visibleRegion().boundingRect();  // what enclosing edges leave of it
  const QPoint at = widget->mapTo(widget->window(), seen.topLeft());
  const QPixmap window =
      widget->screen()->grabWindow(widget->window()->winId(), at.x(), at.y(), seen.width(), seen.height());
  const QImage shown = window.toImage().convertToFormat(QImage::Format_RGB32);
  const QImage fresh = widget->grab(seen).toImage().convertToFormat(QImage::Format_RGB32);
  return !seen.isEmpty() && shown == fresh;
}

std::unique_ptr<ModalScript> Answering(const std::function<void()>& act, Answers actions) {
  auto script = std::make_unique<ModalScript>(actions);
  act();
  QTest::qVerify(script->Done(), "script->Done()", "a window that should open was not answered", __FILE__, __LINE__);
  return script;
}

std::unique_ptr<ModalScript> RunCommand(const RunningApp& run, int command, Answers actions) {
  return Answering([&] { run.Frame()->ExecuteCommand(command); }, actions);
}

void PressKey(const RunningApp& run, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QApplication::setActiveWindow(run.Frame());
  QWidget* target = QApplication::focusWidget();
  if (!target || target->window() != run.Frame()) target = run.Frame();
  QTest::keyClick(target, key, modifiers);
}

std::unique_ptr<ModalScript> PressKey(const RunningApp& run, Qt::Key key, Qt::KeyboardModifiers modifiers,
                                      Answers actions) {
  return Answering([&] { PressKey(run, key, modifiers); }, actions);
}

void Pick(QComboBox* combo, int index) {
  combo->setFocus();
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  QTRY_VERIFY(view->isVisible());
  view->setCurrentIndex(view->model()->index(index, 0));
  QTest::keyClick(view, Qt::Key_Return);
  QTRY_VERIFY(!view->isVisible());
}

void ClickBox(QAbstractButton* button) {
  QVERIFY(button);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
}

CGridCtrl* ChannelGrid(const RunningApp& run) { return run.Frame()->View()->Channels()->Grid(); }

void ClickCell(const RunningApp& run, int row, int column) {
  CGridCtrl* grid = ChannelGrid(run);
  grid->ScrollIntoView(row, column);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->GetCellRect(row, column).center());
}

void TypeInCell(const RunningApp& run, int row, int column, const QString& text, Qt::Key end) {
  ClickCell(run, row, column);
  QTest::keyClicks(QApplication::focusWidget(), text);
  if (end != Qt::Key_unknown) QTest::keyClick(QApplication::focusWidget(), end);
}

QString RecordHex(const std::string& image, int channel) {
  return QByteArray::fromStdString(image.substr(static_cast<std::size_t>(channel) * 16, 16)).toHex(' ').toUpper();
}

std::unique_ptr<sim::SimRadio> StartRadio(const sim::RadioImage& image, const sim::SimConfig& config) {
  auto radio = std::make_unique<sim::SimRadio>(config, image);
  std::string error;
  if (!radio->Start(&error)) qWarning("radio: %s", error.c_str());
  return radio;
}

std::unique_ptr<sim::SimRadio> RadioOnPort1(const RunningApp& run, const sim::RadioImage& image,
                                            const sim::SimConfig& config) {
  auto radio = StartRadio(image, config);
  run.UsePort(1, radio->DevicePath());
  return radio;
}

sim::RadioImage DocumentImage(const RunningApp& run) {
  sim::RadioImage image{};
  std::copy(run.app->Document().Image().begin(), run.app->Document().Image().end(), image.begin());
  return image;
}

sim::RadioImage DemoRadio(const RunningApp& run) {
  sim::RadioImage image = DocumentImage(run);
  sim::FillDemoChannels(image);
  return image;
}

QStringList UnnamedControls(QWidget* root) {
  QStringList unnamed;
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    // The text field inside a spin box is the spin box's own part.
    const bool part = widget->parentWidget() && widget->parentWidget()->inherits("QAbstractSpinBox");
    if (widget->isVisible() && widget->focusPolicy() != Qt::NoFocus && widget->accessibleName().isEmpty() && !part)
      unnamed << QString::fromLatin1(widget->metaObject()->className());
  }
  return unnamed;
}

bool DropFile(const RunningApp& run, const std::string& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(run.Frame(), &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(run.Frame(), &drop);
  return true;
}

QAction* FirstRecentEntry(const RunningApp& run) {
  for (QAction* action : qobject_cast<QMenu*>(run.Frame()->MenuAction(cmd::kFileNew)->parent())->actions()) {
    if (CommandId(action) == cmd::kFileMruFirst) return action;
  }
  return nullptr;
}

}  // namespace qorrin::gui::test
