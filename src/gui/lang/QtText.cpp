#include "gui/lang/QtText.h"

#include "core/lang/LangText.h"

namespace qorrin::gui {

QString PlainText(const QString& label) {
  QString plain;
  plain.reserve(label.size());
  for (qsizetype i = 0; i < label.size(); ++i) {
    if (label[i] == u'&' && i + 1 < label.size()) ++i;
    else if (label[i] == u'&') continue;
    plain += label[i];
  }
  // A menu text's accelerator hint after a tab is not part of the name.
  const qsizetype tab = plain.indexOf(u'\t');
  return tab < 0 ? plain : plain.left(tab);
}

QString LangText(const char* key) { return Qt(LoadLangString(key)); }

}  // namespace qorrin::gui
