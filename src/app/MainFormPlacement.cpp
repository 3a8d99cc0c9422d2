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

}  // namespace pcbprep
