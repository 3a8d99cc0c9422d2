// Pre-placement: main parts, grouping, coordinates and the placement image.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "app/Dialogs.h"
#include "app/Form2.h"
#include "app/MainForm.h"
#include "app/MainFormWidgets.h"
#include "app/UiSupport.h"
#include "placement/Coordinates.h"
#include "placement/Grouping.h"
#include "placement/MainParts.h"
#include "placement/PlacementImage.h"

namespace pcbprep {

void MainForm::command6Click() {
  BusyCursor busy;
  RunMainPartAssignment(design_, readSkipNets(), list1_);
  showList1();
  showStatus(QStringLiteral("主部品名を設定しました: 主部品名のある部品 %1 個 / 部品 %2 個")
                 .arg(CountPartsWithMainPart(design_))
                 .arg(design_.PartCount));
}

void MainForm::command15Click() {
  if (List1->count() > 0 &&
      !dialogs_.confirm(this, QStringLiteral("主部品名の設定を初期化します"),
                        QStringLiteral("全ての主部品名情報が消去されますがよろしいですか？"))) {
    return;
  }
  ClearMainParts(design_);
  RefreshPartList(design_, list1_, -1);
  showList1();
  showStatus(QStringLiteral("主部品名を解除しました"));
}

void MainForm::command12Click() {
  const auto confirmClear = [this] {
    return dialogs_.confirm(this, QStringLiteral("グループ情報を初期化します"),
                            QStringLiteral("全てのグループ情報が消去されますがよろしいですか？"));
  };
  if (RunGrouping(design_, Combo10->currentIndex(), list1_, confirmClear)) {
    showList1();
    showStatus(QStringLiteral("グループ処理（%1）を行いました").arg(Combo10->currentText()));
  } else {
    showStatus(QStringLiteral("グループ処理（%1）: 変更はありません").arg(Combo10->currentText()));
  }
}

void MainForm::command5Click(int) {
  const CoordinateResult result =
      RunCoordinateDetermination(design_, Option1->isChecked(), Option2->isChecked(), list1_);
  showList1();
  if (!result.written) {
    showStatus(
        QStringLiteral("部品座標は変更していません（%1 の座標が範囲外）").arg(Q(result.part)));
    dialogs_.warn(this, QStringLiteral("部品座標確定"),
                  Q(CoordinateRangeMessage(result.part, design_.capacity())));
    return;
  }
  showStatus(QStringLiteral("部品座標を設定しました（%1）")
                 .arg(Option1->isChecked() ? Option1->text() : Option2->text()));
}

Form2* MainForm::form2() const { return form2_; }

void MainForm::command9Click() {
  if (!SetBoardSize(design_, T(Text14->text()), T(Text15->text()))) {
    dialogs_.warn(this, QStringLiteral("配置イメージ"), Q(BoardSizeRangeMessage()));
    return;
  }
  showStatus(QStringLiteral("配置イメージ: 部品 %1 個、基板 %2 × %3 mm")
                 .arg(design_.PartCount)
                 .arg(design_.BoardSizeX)
                 .arg(design_.BoardSizeY));
  // Every opening draws the current part table; a hidden window keeps its place and
  // size, and its zoom while the same part list of the same board is drawn again; a
  // closed one is loaded anew.
  const ImageSubject subject{partListGeneration_, design_.BoardSizeX, design_.BoardSizeY};
  if (!form2_ || form2_->isUnloaded()) {
    form2_ = new Form2(design_, dialogs_, this);
    memory_->restore(form2_, {});
  } else {
    form2_->drawImage(design_, subject == imageSubject_);
  }
  imageSubject_ = subject;
  form2_->setBoardName(boardName());
  form2_->show();
  form2_->raise();
  form2_->activateWindow();
}

QWidget* MainForm::buildPlacementArea() {
  auto* box = Named(new QGroupBox(QStringLiteral("プレ配置")), QStringLiteral("FramePlacement"));
  auto* layout = new QGridLayout(box);
  layout->addWidget(Caption(QStringLiteral("主部品決定時無視するNET名 (電源 GND)")), 0, 0, 1, 5);
  for (int i = 0; i < 10; ++i) {
    txtSkipNet[static_cast<std::size_t>(i)] = Box(QStringLiteral("txtSkipNet_%1").arg(i));
    txtSkipNet[static_cast<std::size_t>(i)]->setMinimumWidth(50);
    layout->addWidget(txtSkipNet[static_cast<std::size_t>(i)], 1 + i / 5, i % 5);
  }
  showSkipNets(InitialSkipNets());

  Command6 = Button(QStringLiteral("Command6"), QStringLiteral("主部品名処理"));
  Command15 = Button(QStringLiteral("Command15"), QStringLiteral("解除"));
  Command12 = Button(QStringLiteral("Command12"), QStringLiteral("グループ処理"));
  Combo10 = Combo(QStringLiteral("Combo10"), false);
  Command5[1] = Button(QStringLiteral("Command5_1"), QStringLiteral("部品座標確定"));
  layout->addWidget(Command6, 3, 0);
  layout->addWidget(Command15, 3, 1);
  layout->addWidget(Command12, 3, 2);
  layout->addWidget(Combo10, 3, 3, 1, 2);

  auto* frame = Named(new QGroupBox(QStringLiteral("全部品座標確定自動決定")),
                      QStringLiteral("FrameCoordinates"));
  auto* frameLayout = new QHBoxLayout(frame);
  frameLayout->setContentsMargins(6, 2, 6, 2);
  Option1 = Named(new QRadioButton(QStringLiteral("主部品別")), QStringLiteral("Option1"));
  Option2 = Named(new QRadioButton(QStringLiteral("グループ別")), QStringLiteral("Option2"));
  Option1->setChecked(true);
  Command5[0] = Button(QStringLiteral("Command5_0"), QStringLiteral("実行"));
  frameLayout->addWidget(Option1);
  frameLayout->addWidget(Option2);
  frameLayout->addWidget(Command5[0]);
  layout->addWidget(Command5[1], 4, 0);
  layout->addWidget(frame, 4, 1, 1, 4);

  auto* size = new QHBoxLayout;
  Text14 = Box(QStringLiteral("Text14"), 70);
  Text15 = Box(QStringLiteral("Text15"), 70);
  Text14->setText(QStringLiteral("100"));
  Text15->setText(QStringLiteral("100"));
  size->addWidget(Caption(QStringLiteral("外形寸法")));
  size->addWidget(Caption(QStringLiteral("Ｘ＝")));
  size->addWidget(Text14);
  size->addWidget(Caption(QStringLiteral("Ｙ＝")));
  size->addWidget(Text15);
  size->addWidget(Caption(QStringLiteral("mm")));
  size->addStretch(1);
  layout->addLayout(size, 5, 0, 1, 3);
  Command9 = Button(QStringLiteral("Command9"), QStringLiteral("配置イメージ"));
  layout->addWidget(Command9, 5, 3, 1, 2);

  connect(Command6, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command6Click));
  connect(Command15, &QPushButton::clicked, this,
          Guarded(this, dialogs_, &MainForm::command15Click));
  connect(Command12, &QPushButton::clicked, this,
          Guarded(this, dialogs_, &MainForm::command12Click));
  connect(Command5[0], &QPushButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { command5Click(0); }); });
  connect(Command5[1], &QPushButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { command5Click(1); }); });
  connect(Command9, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command9Click));
  return box;
}

}  // namespace pcbprep
