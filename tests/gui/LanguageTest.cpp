// Menus, tool bar, dialogs and the language commands: what the user reads and a screen
// reader announces, in both languages.

#include "GuiTestSupport.h"

namespace qorrin::gui::test {

namespace {

QStringList TitleTexts(const CMainFrame* frame) {
  QStringList texts;
  for (QAction* action : frame->menuBar()->actions()) texts.append(action->text());
  return texts;
}

// Visible items of one menu, or menu titles, whose mnemonics clash ("&Paste / Move U&p").
QStringList MnemonicClashes(const CMainFrame* frame) {
  std::vector<QList<QAction*>> menus = {frame->menuBar()->actions()};
  for (QAction* title : frame->menuBar()->actions()) menus.push_back(title->menu()->actions());
  QStringList clashes;
  for (const QList<QAction*>& menu : menus) {
    QHash<QKeySequence, QString> seen;
    for (const QAction* action : menu) {
      if (action->isSeparator() || !action->isVisible()) continue;
      const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
      if (mnemonic.isEmpty()) continue;
      if (seen.contains(mnemonic)) clashes << seen.value(mnemonic) + QStringLiteral(" / ") + action->text();
      seen.insert(mnemonic, action->text());
    }
  }
  return clashes;
}

}  // namespace

class LanguageTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  // Each kind of place takes its text from the file (lookup is the core's); the form's
  // fields are announced by name.
  void menusDialogsAndFieldsTakeTheFilesTexts() {
    RunningApp run;
    run.SetLine("Resource", "65535", "Line for every static", "english.lang");
    run.SetLine("Resource", "1015", "", "english.lang");  // empty: the built-in text stays
    QVERIFY(run.Start());
    CMainFrame* frame = run.Frame();
    QCOMPARE(TitleTexts(frame), QStringList({"&File", "&Edit", "&Program", "&Settings", "&Help"}));
    QCOMPARE(frame->MenuAction(cmd::kFileOpen)->text(), QStringLiteral("&Open...\tCtrl+O"));
    const auto about = Answering([&] { frame->MenuAction(cmd::kAppAbout)->trigger(); }, {[](QWidget* m) {
      QCOMPARE(WidgetWithId<QLabel>(m, ctl::kAboutVersion)->text(), QStringLiteral("VLM-7Q 1.01"));
      QCOMPARE(WidgetWithId<QLabel>(m, ctl::kStatic)->text(), QStringLiteral("Line for every static"));
      for (QLabel* label : m->findChildren<QLabel*>()) {
        if (ControlId(label) == 0) QVERIFY2(label->text().isEmpty(), "the icon takes no text");
      }
      m->close();
    }});
    QCOMPARE(about->Title(), QStringLiteral("About Qorrin"));

    // Every control of the form that takes the focus is announced by a name of its own.
    QVERIFY2(UnnamedControls(frame->View()).isEmpty(), qPrintable(UnnamedControls(frame->View()).join(u',')));
    QCOMPARE(frame->menuBar()->accessibleName(), QStringLiteral("Menu bar"));
    QCOMPARE(WidgetWithId(frame->View(), 1104)->accessibleName(), QStringLiteral("RX frequency"));
    QCOMPARE(frame->PortPane()->accessibleName(), QStringLiteral("COM1"));

    // The language dialog switches the whole window (the next-language command is used
    // below and in WindowFitTest).
    const auto choose = PressKey(run, Qt::Key_L, Qt::ControlModifier, {[](QWidget* m) {
      auto* list = m->findChild<QComboBox*>();
      QCOMPARE(list->currentText(), QStringLiteral("English"));
      list->setFocus();
      QTest::keyClick(list, Qt::Key_Down);  // the other language
      ClickButton(m, "OK");
    }});
    QCOMPARE(choose->Title(), QStringLiteral("Language"));
    QVERIFY(run.SettingsHold("language=chinese\n"));
    QCOMPARE(frame->windowTitle(), QStringLiteral("Qorrin - VLM-7Q 写频软件"));
    QCOMPARE(TitleTexts(frame).first(), QStringLiteral("文件(&F)"));
    QCOMPARE(WidgetWithId(frame->View(), 1022)->accessibleName(), QStringLiteral("频率范围"));
    QCOMPARE(frame->ToolBar()->actions().first()->toolTip(), QStringLiteral("新建"));
  }

  // In each language menu mnemonics are unique, and Qt's own dialogs follow the language.
  void mnemonicsAreUniqueAndQtsDialogsSpeakTheLanguage() {
    RunningApp run;
    run.SetLine("setup", "language", "chinese");
    QVERIFY(run.Start());
    const auto fileNameLabel = [&] {
      QString text;
      RunCommand(run, cmd::kExportChannels, {[&](QWidget* m) {
        text = m->findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text();
        ClickCancel(m);
      }});
      return text;
    };
    QVERIFY2(MnemonicClashes(run.Frame()).isEmpty(), qPrintable(MnemonicClashes(run.Frame()).join(u',')));
    QCOMPARE(fileNameLabel(), QStringLiteral("文件名称(&N)："));
    run.Frame()->ExecuteCommand(cmd::kNextLanguage);
    QVERIFY2(MnemonicClashes(run.Frame()).isEmpty(), qPrintable(MnemonicClashes(run.Frame()).join(u',')));
    QCOMPARE(fileNameLabel(), QStringLiteral("File &name:"));
    run.Frame()->ExecuteCommand(cmd::kNextLanguage);
    QCOMPARE(QDialogButtonBox(QDialogButtonBox::Close).buttons().first()->text(), QStringLiteral("关闭"));
  }
};

}  // namespace qorrin::gui::test

QORRIN_GUI_TEST_MAIN(qorrin::gui::test::LanguageTest)
#include "LanguageTest.moc"
