#include "gui/lang/LocalizeMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <utility>

#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

constexpr const char* kTitleKeys[] = {"Menu_File", "Menu_Program", "Menu_Setting", "Menu_Help"};

constexpr std::pair<int, const char*> kItemKeys[] = {
    {cmd::kFileNew, "Menu_File_New"},
    {cmd::kFileOpen, "Menu_File_Open"},
    {cmd::kFileSave, "Menu_File_Save"},
    {cmd::kFileSaveAs, "Menu_File_Save_As"},
    {cmd::kFilePrint, "Menu_File_Print"},
    {cmd::kFilePrintPreview, "Menu_File_Print_Preview"},
    {cmd::kFilePrintSetup, "Menu_File_Print_Setup"},
    {cmd::kAppExit, "Menu_App_Exit"},
    {cmd::kReadData, "Menu_Program_ReadData"},
    {cmd::kWriteData, "Menu_Program_WriteData"},
    {cmd::kFmRadio, "Menu_Program_Radiogram"},
    {cmd::kFileBackups, "Menu_File_Backups"},
    {cmd::kImportChannels, "Menu_File_ImportChannels"},
    {cmd::kExportChannels, "Menu_File_ExportChannels"},
    {cmd::kCompareFile, "Menu_Program_CompareFile"},
    {cmd::kCompareRadio, "Menu_Program_CompareRadio"},
    {cmd::kPort, "Menu_Setting_Port"},
    {cmd::kLanguage, "Menu_Setting_Language"},
    {cmd::kHelp, "Menu_Help_Help"},
    {cmd::kAppAbout, "Menu_App_About"},
};

QAction* FindCommand(const QList<QAction*>& actions, int id) {
  for (QAction* action : actions) {
    if (CommandId(action) == id) return action;
    if (QMenu* sub = action->menu()) {
      if (QAction* found = FindCommand(sub->actions(), id)) return found;
    }
  }
  return nullptr;
}

}  // namespace

void LocalizeMenus(QMenuBar* menuBar) {
  const QList<QAction*> titles = menuBar->actions();
  for (int i = 0; i < static_cast<int>(std::size(kTitleKeys)) && i < titles.size(); ++i) {
    titles[i]->setText(LangText(kTitleKeys[i]));
  }
  for (const auto& [id, key] : kItemKeys) {
    if (QAction* action = FindCommand(titles, id)) action->setText(LangText(key));
  }
  menuBar->update();
}

}  // namespace qorrin::gui
