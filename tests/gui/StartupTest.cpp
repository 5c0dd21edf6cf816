// Start-up as a user meets it: the settings file, the language, the first document, a
// file named on the command line, the window and its status pane.

#include <QDesktopServices>
#include <QRegularExpression>
#include <QUrl>

#include <cstdlib>
#include <filesystem>

#include "GuiTestSupport.h"
#include "core/settings/AppPaths.h"

namespace qorrin::gui::test {

// Stands in for the desktop: what the program asks it to open. Registered under a slot
// name it does not have, it is a desktop that cannot open anything.
class DesktopStandIn : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public Q_SLOTS:
  void open(const QUrl& url) { opened << url; }
};

class StartupTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void languageFallsBackOnTheLocaleWithoutWritingIt() {
    for (const char* locale : {"zh_CN.UTF-8", "de_DE.UTF-8"}) {
      RunningApp run;
      run.dir.write("setting.ini", "[ModelInfo]\ndata0=60134017\nFreq0=136-174MHz\n");
      qputenv("LC_ALL", "");
      qputenv("LC_MESSAGES", "");
      qputenv("LANG", locale);
      QVERIFY(run.Start());
      const bool chinese = std::string(locale).starts_with("zh");
      QCOMPARE(QString::fromStdString(g_strLangFile), QString::fromStdString(run.dir.file(chinese ? "chinese.lang" : "english.lang")));
      QCOMPARE(run.Frame()->windowTitle(), chinese ? QStringLiteral("Qorrin - VLM-7Q 写频软件")
                                                    : QStringLiteral("Qorrin - VLM-7Q Programming Software"));
      QCOMPARE(run.dir.read("setting.ini"), std::string("[ModelInfo]\ndata0=60134017\nFreq0=136-174MHz\n"));
    }
    qunsetenv("LANG");
  }

  // A good file named on the command line opens without a question; the window, centred,
  // shows the port with its device. Help asks the desktop to open the language's help
  // file; a desktop that cannot show it gets a notice that says where it is; without the
  // file nothing happens.
  void startsOnTheCommandLineFileWithThePortShown() {
    RunningApp run;
    run.SetLine("setup", "com", "3");
    run.SetLine("ports", "3", "/dev/ttyRADIO");
    std::string file(48 + 4096, '\0');
    file.replace(0, 31, "VLM-7Q Radio Program data v2.00");
    file.replace(48 + 0x780, 4, "\x60\x13\x40\x17");   // the VHF model's band bytes
    file.replace(48 + 16, 4, std::string("\x50\x52\x65\x14", 4));  // channel 1: 146.5525
    run.dir.write("radio.7Q", file);
    {
      ModalScript none([](QWidget* modal) { modal->close(); });
      QVERIFY(run.Start({QString::fromStdString(run.dir.file("radio.7Q"))}));
      QTest::qWait(50);
      QVERIFY2(!none.Seen(), "opening a good file asks nothing");
    }
    QCOMPARE(run.Image().substr(16, 4), file.substr(48 + 16, 4));
    QCOMPARE(run.app->Document().GetPathName(), run.dir.file("radio.7Q"));
    QVERIFY(!run.app->Document().IsModified());
    QCOMPARE(run.Frame()->windowTitle(), QStringLiteral("Qorrin - VLM-7Q Programming Software"));
    // At least 900 x 800 (more where the form needs it, less where the screen is smaller),
    // centred; that it stays on the screen is the window-fit test's.
    const QRect area = run.Frame()->screen()->availableGeometry();
    const QRect outer = run.Frame()->frameGeometry();
    QVERIFY(outer.width() >= std::min(900, area.width()) && outer.height() >= std::min(800, area.height()));
    QVERIFY(std::abs(outer.center().x() - area.center().x()) <= 1);
    QCOMPARE(run.Frame()->PortPane()->text() + u' ' + run.Frame()->PortPane()->toolTip(), QStringLiteral("COM3 /dev/ttyRADIO"));

    const QString help = QString::fromStdString(run.dir.file("english.html"));
    DesktopStandIn desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    {
      ModalScript none([](QWidget* modal) { modal->close(); });
      run.Frame()->ExecuteCommand(cmd::kHelp);
      QVERIFY2(!none.Seen(), "the desktop showed the help");
    }
    QCOMPARE(desktop.opened.size(), 1);
    QCOMPARE(desktop.opened.first().toLocalFile(), help);

    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "refuse");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("No such method")));
    ModalScript notice(ClickOk);
    run.Frame()->ExecuteCommand(cmd::kHelp);
    QVERIFY(notice.Seen());
    QVERIFY(notice.Text().startsWith(QStringLiteral("The help file could not be shown")));
    QVERIFY2(notice.Text().endsWith(help), qPrintable(notice.Text()));

    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    std::filesystem::remove(help.toStdString());
    run.Frame()->ExecuteCommand(cmd::kHelp);
    QCOMPARE(desktop.opened.size(), 1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  }

  // A file that is no project file is refused and the program starts on a new document;
  // one that cannot be read ends the program, as does a missing settings file.
  void badCommandLineFilesAndAMissingSettingsFile() {
    {
      qorrin::test::TempDir empty;
      CQorrinApp app;
      StartupOptions options;
      options.configDir = empty.path().string();
      QCOMPARE(Answering([&] { QVERIFY(!app.InitInstance(options)); }, {ClickOk})->Text(),
               QStringLiteral("Can not find the file setting.ini!"));
      QVERIFY(app.MainFrame() == nullptr);
    }
    {
      RunningApp run;
      run.dir.write("foreign.7Q", std::string("vlm-7Q Radio Program data v1.09") + std::string(4113, '\x11'));
      QCOMPARE(Answering([&] { QVERIFY(run.Start({QString::fromStdString(run.dir.file("foreign.7Q"))})); }, {ClickOk})->Text(),
               QStringLiteral("This file is not a VLM-7Q data file and cannot be opened."));
      QCOMPARE(GetFrequencyText(run.app->Document().Image(), 1, true), std::string("136.00000"));
      QVERIFY(run.app->Document().GetPathName().empty());
    }
    RunningApp run;
    const QString missing = QString::fromStdString(run.dir.file("missing.7Q"));
    QVERIFY(Answering([&] { QVERIFY(!run.Start({missing})); }, {ClickOk})->Text().contains(missing));
  }

};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::StartupTest)
#include "StartupTest.moc"
