#include "gui/lang/CLanguageDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/lang/LangText.h"
#include "core/settings/AppPaths.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/DialogButtons.h"
#include "gui/lang/LocalizeDialog.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {
namespace {

// Where a name goes in a list that keeps itself sorted without regard to case.
int SortedPosition(const QComboBox* list, const QString& name) {
  int at = 0;
  while (at < list->count() && QString::compare(list->itemText(at), name, Qt::CaseInsensitive) <= 0) ++at;
  return at;
}

}  // namespace

CLanguageDlg::CLanguageDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("语言转换"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* label = new QLabel(QStringLiteral("语言转换"), this);
  SetControlId(label, ctl::kLanguageLabel);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_list = new QComboBox(this);
  SetControlId(m_list, ctl::kLanguageList);
  m_list->setMinimumContentsLength(16);
  label->setBuddy(m_list);

  const DialogButtons buttons = MakeOkCancel(this);
  connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons.box, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(label, m_list);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons.box);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  LocalizeDialog(this, dlg::kLanguage);

  m_candidates = ListLanguageFiles(g_strAppDir);
  QString current;
  for (const LanguageFile& file : m_candidates) {
    const QString name = Qt(LoadLanguageDisplayName(file.path));
    m_list->insertItem(SortedPosition(m_list, name), name);
    if (current.isNull() && SameLanguagePath(file.path, g_strLangFile)) current = name;
  }
  m_list->setCurrentIndex(-1);
  if (!current.isNull()) {
    for (int i = 0; i < m_list->count(); ++i) {
      if (m_list->itemText(i).startsWith(current, Qt::CaseInsensitive)) {
        m_list->setCurrentIndex(i);
        break;
      }
    }
  }
}

void CLanguageDlg::ApplyChoice() {
  if (m_list->currentIndex() < 0) return;
  if (const LanguageFile* file = FindLanguageByDisplayName(m_candidates, Std(m_list->currentText()))) {
    UseLanguageFile(*file);
  }
}

}  // namespace qorrin::gui
