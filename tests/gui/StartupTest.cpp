// Start-up: settings, language, the first document or a command-line file, the window.

#include "GuiTestSupport.h"
#include "core/settings/AppPaths.h"

namespace qorrin::gui::test {

// Stands in for the desktop; registered under a slot it lacks, it cannot open anything.
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
      QCOMPARE(QString::fromStdString(g_strLangFile), run.File(chinese ? "chinese.lang" : "english.lang"));
      QCOMPARE(run.Frame()->windowTitle(), chinese ? QStringLiteral("Qorrin - VLM-7Q 写频软件")
                                                    : QStringLiteral("Qorrin - VLM-7Q Programming Software"));
      QCOMPARE(run.dir.read("setting.ini"), std::string("[ModelInfo]\ndata0=60134017\nFreq0=136-174MHz\n"));
    }
    qunsetenv("LANG");
  }

  // A good command-line file opens without a question; the window shows the port (its
  // size and place are WindowFitTest's).
  // Help asks the desktop to open the help file; if it cannot, a notice says where it is.
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
      QVERIFY(run.Start({run.File("radio.7Q")}));
      QTest::qWait(50);
      QVERIFY2(!none.Seen(), "opening a good file asks nothing");
    }
    QCOMPARE(run.Image().substr(16, 4), file.substr(48 + 16, 4));
    QCOMPARE(run.app->Document().GetPathName(), run.dir.file("radio.7Q"));
    QVERIFY(!run.app->Document().IsModified());
    QCOMPARE(run.Frame()->windowTitle(), QStringLiteral("Qorrin - VLM-7Q Programming Software"));
    QCOMPARE(run.Frame()->PortPane()->text() + u' ' + run.Frame()->PortPane()->toolTip(), QStringLiteral("COM3 /dev/ttyRADIO"));

    const QString help = run.File("english.html");
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
    const QString notice = RunCommand(run, cmd::kHelp, {ClickOk})->Text();
    QVERIFY(notice.startsWith(QStringLiteral("The help file could not be shown")));
    QVERIFY2(notice.endsWith(help), qPrintable(notice));

    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    std::filesystem::remove(help.toStdString());
    run.Frame()->ExecuteCommand(cmd::kHelp);
    QCOMPARE(desktop.opened.size(), 1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  }

  // A command-line file that cannot be read ends the program, as does a missing settings
  // file (a foreign file refused: DocumentCommandsTest, CQorrinDocTest).
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
    RunningApp run;
    const QString missing = run.File("missing.7Q");
    QVERIFY(Answering([&] { QVERIFY(!run.Start({missing})); }, {ClickOk})->Text().contains(missing));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::StartupTest)
#include "StartupTest.moc"
