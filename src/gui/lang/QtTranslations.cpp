#include "gui/lang/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

// Where Qt keeps its translations: its own folder, else a "translations" folder beside
// the program (a Windows folder made by windeployqt).
QStringList TranslationFolders() {
  return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
}

QTranslator*& Installed() {
  static QTranslator* translator = nullptr;
  return translator;
}

}  // namespace

QString UseQtTranslations() {
  QTranslator*& installed = Installed();
  if (installed != nullptr) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
    installed = nullptr;
  }
  const QLocale locale(LangText("IDS_LOCALE"));
  if (locale.language() == QLocale::C || locale.language() == QLocale::English) return {};
  auto translator = new QTranslator(QCoreApplication::instance());
  for (const QString& folder : TranslationFolders()) {
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      QCoreApplication::installTranslator(translator);
      installed = translator;
      return locale.name();
    }
  }
  delete translator;
  return {};
}

}  // namespace qorrin::gui
