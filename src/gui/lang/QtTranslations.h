#pragma once
// Qt's own texts (the file, print and page set-up dialogs, the standard buttons, the
// context menus of edit fields) in the language of the current language file: Qt's
// translations (Debian's qt6-translations-l10n) for the locale the file names with
// IDS_LOCALE. Called at start-up and after every language switch; a locale Qt has no
// translation for, English among them, leaves Qt's own English.
#include <QString>

namespace qorrin::gui {

// Returns the locale now in use for Qt's texts ("" when Qt speaks its own English).
QString UseQtTranslations();

}  // namespace qorrin::gui
