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

struct Installed {
  QTranslator* translator = nullptr;
  QString locale;  // what `translator` was loaded for; empty without one
};

Installed& Current() {
  static Installed installed;
  return installed;
}

}  // namespace

QString UseQtTranslations() {
  Installed& current = Current();
  const QLocale locale(LangText("IDS_LOCALE"));
  const bool english = locale.language() == QLocale::C || locale.language() == QLocale::English;
  const QString wanted = english ? QString() : locale.name();
  if (wanted == current.locale) return wanted;  // as it is (a read from the radio refreshes too)
  if (current.translator != nullptr) {
    QCoreApplication::removeTranslator(current.translator);
    delete current.translator;
    current = {};
  }
  if (english) return {};
  auto* translator = new QTranslator(QCoreApplication::instance());
  for (const QString& folder : TranslationFolders()) {
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      QCoreApplication::installTranslator(translator);
      current = {translator, wanted};
      return wanted;
    }
  }
  delete translator;
  return {};
}

}  // namespace qorrin::gui
