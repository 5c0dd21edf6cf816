#include "gui/app/DifferencesDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/lang/LangText.h"
#include "gui/lang/ControlIds.h"
#include "gui/lang/QtText.h"

namespace qorrin::gui {

namespace {

QString CountText(std::size_t count) {
  if (count == 1) return LangText("IDS_COMPARE_ONE_DIFFERENCE");
  return LangText("IDS_COMPARE_DIFFERENT").replace(QStringLiteral("%d"), QString::number(count));
}

}  // namespace

void ShowDifferences(QWidget* parent, const QString& title, const QString& sides,
                     const std::vector<DocumentDifference>& differences) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* summary = new QLabel(&dialog);
  summary->setObjectName(QStringLiteral("summary"));
  auto* sidesLabel = new QLabel(sides, &dialog);
  sidesLabel->setObjectName(QStringLiteral("sides"));
  auto* list = new QPlainTextEdit(&dialog);
  list->setObjectName(QStringLiteral("differences"));
  list->setReadOnly(true);
  list->setLineWrapMode(QPlainTextEdit::NoWrap);
  list->setMinimumSize(list->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 40,
                       list->fontMetrics().height() * 16);
  if (differences.empty()) {
    summary->setText(LangText("IDS_COMPARE_EQUAL"));
    sidesLabel->hide();
    list->hide();
  } else {
    summary->setText(CountText(differences.size()));
    QStringList lines;
    for (const DocumentDifference& difference : differences) lines << Qt(FormatDifference(difference));
    list->setPlainText(lines.join(QLatin1Char('\n')));
  }
  summary->setBuddy(list);
  list->setAccessibleName(summary->text() + QLatin1Char(' ') + sides);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  SetControlId(ok, ctl::kOk);
  const std::string okText = LoadResourceText(ctl::kOk);
  ok->setText(okText.empty() ? QStringLiteral("OK") : Qt(okText));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(summary);
  layout->addWidget(sidesLabel);
  layout->addWidget(list, 1);
  layout->addWidget(buttons);
  dialog.exec();
}

}  // namespace qorrin::gui
