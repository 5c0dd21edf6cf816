// qorrin: the desktop programming software for the VLM-7Q radio.
#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstring>

#include "gui/app/CQorrinApp.h"
#include "gui/app/ProgramIcons.h"
#include "gui/lang/QtText.h"

int main(int argc, char** argv) {
  // The version is answered before the window system is needed, so that it also works
  // without a display (package checks, remote shells).
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
      std::printf("qorrin %s\n", QORRIN_VERSION);
      return 0;
    }
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("qorrin"));
  QApplication::setApplicationVersion(QStringLiteral(QORRIN_VERSION));
  QApplication::setWindowIcon(qorrin::gui::DrawnIcon(qorrin::gui::ProgramIcon::Radio));
  QGuiApplication::setDesktopFileName(QStringLiteral("qorrin"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Programming software for the VLM-7Q radio"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption configDir(QStringLiteral("config-dir"),
                                     QStringLiteral("Folder with setting.ini and the language files."),
                                     QStringLiteral("DIR"));
  parser.addOption(configDir);
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Project file (.7Q) to open."), QStringLiteral("[file]"));
  parser.process(application);

  qorrin::gui::StartupOptions options;
  options.configDir = qorrin::gui::Std(parser.value(configDir));
  options.files = parser.positionalArguments();
  qorrin::gui::CQorrinApp app;
  if (!app.InitInstance(options)) return 1;
  return QApplication::exec();
}
