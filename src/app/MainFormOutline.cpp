// The board outline window.
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>

#include "app/Form3.h"
#include "app/MainForm.h"
#include "app/MainFormWidgets.h"

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

QWidget* MainForm::buildOutlineArea() {
  auto* box = new QWidget;
  auto* layout = new QGridLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  Command14 = Button(QStringLiteral("Command14"), QStringLiteral("外形作成"));
  layout->addWidget(Command14, 0, 0, 1, 2);
  connect(Command14, &QPushButton::clicked, this,
          Guarded(this, dialogs_, &MainForm::command14Click));

  Command3 = Button(QStringLiteral("Command3"), QStringLiteral("部品追加"));
  // Buttons that are present but have no action.
  Command16 = Button(QStringLiteral("Command16"), QStringLiteral("解除"));
  Command17 = Button(QStringLiteral("Command17"), QStringLiteral("プレ配置設計"));
  Command18 = Button(QStringLiteral("Command18"), QStringLiteral("接続解析"));
  layout->addWidget(Command3, 1, 0);
  // Shown as unavailable: a button that looks ready and does nothing misleads.
  for (QPushButton* unavailable : {Command17, Command18}) unavailable->setEnabled(false);
  layout->addWidget(Command16, 1, 1);
  layout->addWidget(Command17, 2, 0);
  layout->addWidget(Command18, 2, 1);
  layout->setRowStretch(3, 1);
  return box;
}

}  // namespace pcbprep
