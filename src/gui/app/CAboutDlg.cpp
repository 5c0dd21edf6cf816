#include "gui/app/CAboutDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/app/ProgramIcons.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/LocalizeDialog.h"

namespace qorrin::gui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("关于 Qorrin"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  // The icon carries no id: a text meant for the second line must not land on it.
  auto* icon = new QLabel(this);
  icon->setPixmap(DrawnIcon(ProgramIcon::Radio).pixmap(QSize(32, 32), devicePixelRatioF()));
  icon->setAccessibleName(QStringLiteral("Qorrin"));

  auto* version = new QLabel(QStringLiteral("VLM-7Q 1.01"), this);
  SetControlId(version, ctl::kAboutVersion);
  auto* second = new QLabel(QStringLiteral("Qorrin 写频软件"), this);
  SetControlId(second, ctl::kStatic);
  for (QLabel* line : {version, second}) line->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  version->setFocusPolicy(Qt::StrongFocus);

  auto* lines = new QVBoxLayout;
  lines->addWidget(version);
  lines->addWidget(second);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(icon, 0, Qt::AlignTop);
  layout->addLayout(lines, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  LocalizeDialog(this, dlg::kAbout);
}

}  // namespace qorrin::gui
