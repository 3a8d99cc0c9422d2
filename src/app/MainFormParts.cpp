// Net check, symbol assignment and the part edit panel.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/Dialogs.h"
#include "app/MainForm.h"
#include "app/UiSupport.h"
#include "check/NetCheck.h"

namespace pcbprep {

void MainForm::command7Click() {
  const NetCheckResult result = RunExtendedNetCheck(design_);
  Text7->setPlainText(Q(result.reportText));
  Text26->setText(QString::number(result.openCount));
  Text25->setText(QString::number(result.shortCount));
  Text24->setText(QString::number(result.duplicateCount));
  Text27->setText(QString::number(result.isolatedCount));
}

void MainForm::command1Click() {}
void MainForm::command2Click() {}
void MainForm::command8Click() {}
void MainForm::text17Click() {}
void MainForm::text23Click() {}

}  // namespace pcbprep
