// Pre-placement: main parts, grouping, coordinates and the placement image.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "app/Dialogs.h"
#include "app/Form2.h"
#include "app/MainForm.h"
#include "app/UiSupport.h"
#include "placement/Coordinates.h"
#include "placement/Grouping.h"
#include "placement/MainParts.h"
#include "placement/PlacementImage.h"

namespace pcbprep {

void MainForm::command6Click() {
  BusyCursor busy;
  AssignMainParts(design_, readSkipNets());
  RefreshPartList(design_, list1_, -1);
  showList1();
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
}

void MainForm::command12Click() {
  const auto confirmClear = [this] {
    return dialogs_.confirm(this, QStringLiteral("グループ情報を初期化します"),
                            QStringLiteral("全てのグループ情報が消去されますがよろしいですか？"));
  };
  if (GroupParts(design_, Combo10->currentIndex(), List1->count() > 0, confirmClear)) {
    RefreshPartList(design_, list1_, -1);
    showList1();
  }
}

void MainForm::command5Click(int) {
  const CoordinateResult result =
      DetermineCoordinates(design_, Option1->isChecked(), Option2->isChecked());
  RefreshPartList(design_, list1_, -1);
  showList1();
  if (!result.written) {
    dialogs_.warn(this, QStringLiteral("部品座標確定"),
                  QStringLiteral("部品 %1 の座標が -32768～32767 の範囲を超えるため、"
                                 "座標は変更していません。")
                      .arg(Q(result.part)));
  }
}

Form2* MainForm::form2() const { return form2_; }

void MainForm::command9Click() {
  const auto size = BoardSizeFromTexts(T(Text14->text()), T(Text15->text()));
  if (!size) {
    dialogs_.warn(this, QStringLiteral("配置イメージ"),
                  QStringLiteral("外形寸法が配置イメージに描ける範囲を超えています。\n"
                                 "Ｘは %1～%2、Ｙは %3～%4 (mm) で入力してください。")
                      .arg(kMinBoardWidth)
                      .arg(kMaxBoardWidth)
                      .arg(kMinBoardHeight)
                      .arg(kMaxBoardHeight));
    return;
  }
  design_.BoardSizeX = size->x;
  design_.BoardSizeY = size->y;
  // A hidden window comes back with the picture of its loading; a closed one is
  // loaded, and so drawn, anew.
  if (!form2_ || form2_->isUnloaded()) form2_ = new Form2(design_, this);
  form2_->show();
  form2_->raise();
  form2_->activateWindow();
}

}  // namespace pcbprep
