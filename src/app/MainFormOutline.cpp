// The board outline window.
#include "app/MainForm.h"

namespace pcbprep {

void MainForm::command14Click() {}

}  // namespace pcbprep
