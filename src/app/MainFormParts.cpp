// Net check, symbol assignment and the part edit panel.
#include "app/MainForm.h"

namespace pcbprep {

void MainForm::command7Click() {}
void MainForm::command1Click() {}
void MainForm::command2Click() {}
void MainForm::command8Click() {}
void MainForm::text17Click() {}
void MainForm::text23Click() {}

}  // namespace pcbprep
