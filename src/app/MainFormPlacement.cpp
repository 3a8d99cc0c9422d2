// Pre-placement: main parts, grouping, coordinates and the placement image.
#include "app/MainForm.h"

namespace pcbprep {

void MainForm::command6Click() {}
void MainForm::command15Click() {}
void MainForm::command12Click() {}
void MainForm::command5Click(int) {}
void MainForm::command9Click() {}

}  // namespace pcbprep
