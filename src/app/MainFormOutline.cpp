// The board outline window.
#include <QSplitter>

#include "app/Form3.h"
#include "app/MainForm.h"

namespace pcbprep {

void MainForm::command14Click() {
  // One window for the whole session, so its settings are there when it reopens.
  if (!form3_) {
    form3_ = new Form3(dialogs_, this);
    memory_->restore(form3_, {form3_->Splitter,
                              form3_->findChild<QSplitter*>(QStringLiteral("DrawingSplitter"))});
  }
  form3_->setBoardName(boardName());
  form3_->show();
  form3_->raise();
  form3_->activateWindow();
}

}  // namespace pcbprep
