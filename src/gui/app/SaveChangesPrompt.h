#pragma once
// The save-changes question for a modified document on New, Open and closing: the
// question names the document by its title, the buttons read Yes, No and Cancel in the
// current language.
#include <string>

class QWidget;

namespace qorrin::gui {

enum class SaveChangesAnswer { Yes, No, Cancel };

SaveChangesAnswer AskSaveChanges(QWidget* parent, const std::string& documentTitle);

}  // namespace qorrin::gui
