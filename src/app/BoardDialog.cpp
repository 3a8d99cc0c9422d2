#include "app/BoardDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "app/UiSupport.h"

namespace pcbprep {

namespace {

const QString kDirsSetting = QStringLiteral("board/footprintDirs");
const QString kMapSetting = QStringLiteral("board/footprintMap");

}  // namespace

BoardDialog::BoardDialog(QWidget* parent, Dialogs& dialogs, bool outlineWindowOpen)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("BoardDialog"));
  setWindowTitle(QStringLiteral("KiCad 基板出力"));
  auto* layout = new QVBoxLayout(this);

  auto* libraries =
      new QGroupBox(QStringLiteral("フットプリントライブラリのフォルダ（上から順に探します）"));
  auto* librariesLayout = new QHBoxLayout(libraries);
  lstDirs = Named(new QListWidget, QStringLiteral("lstDirs"));
  lstDirs->addItems(QSettings().value(kDirsSetting).toStringList());
  librariesLayout->addWidget(lstDirs, 1);
  auto* buttons = new QVBoxLayout;
  cmdAddDir = Named(new QPushButton(QStringLiteral("追加…")), QStringLiteral("cmdAddDir"));
  cmdRemoveDir = Named(new QPushButton(QStringLiteral("削除")), QStringLiteral("cmdRemoveDir"));
  cmdDirUp = Named(new QPushButton(QStringLiteral("上へ")), QStringLiteral("cmdDirUp"));
  cmdDirDown = Named(new QPushButton(QStringLiteral("下へ")), QStringLiteral("cmdDirDown"));
  for (QPushButton* button : {cmdAddDir, cmdRemoveDir, cmdDirUp, cmdDirDown})
    buttons->addWidget(button);
  buttons->addStretch();
  librariesLayout->addLayout(buttons);
  layout->addWidget(libraries);
  layout->addWidget(new QLabel(QStringLiteral(
      "この後に KICAD8/7/6_FOOTPRINT_DIR と /usr/share/kicad/footprints を探します。")));

  auto* map = new QGroupBox(QStringLiteral("フットプリント対応表（省略可）"));
  auto* mapLayout = new QHBoxLayout(map);
  txtMap =
      Named(new QLineEdit(QSettings().value(kMapSetting).toString()), QStringLiteral("txtMap"));
  cmdMap = Named(new QPushButton(QStringLiteral("参照…")), QStringLiteral("cmdMap"));
  mapLayout->addWidget(txtMap, 1);
  mapLayout->addWidget(cmdMap);
  layout->addWidget(map);

  auto* outline = new QGroupBox(QStringLiteral("基板外形"));
  auto* outlineLayout = new QVBoxLayout(outline);
  optOutlineWindow = Named(new QRadioButton(QStringLiteral("外形作成ウィンドウの設定")),
                           QStringLiteral("optOutlineWindow"));
  optRectangle = Named(new QRadioButton(QStringLiteral("外形寸法 X × Y の長方形")),
                       QStringLiteral("optRectangle"));
  outlineLayout->addWidget(optOutlineWindow);
  outlineLayout->addWidget(optRectangle);
  optOutlineWindow->setVisible(outlineWindowOpen);
  (outlineWindowOpen ? optOutlineWindow : optRectangle)->setChecked(true);
  layout->addWidget(outline);

  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  cmdOk = Named(box->button(QDialogButtonBox::Ok), QStringLiteral("cmdOk"));
  layout->addWidget(box);

  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(cmdAddDir, &QPushButton::clicked, this, [this] {
    if (const auto folder = dialogs_.openFolder(this)) {
      lstDirs->addItem(*folder);
      lstDirs->setCurrentRow(lstDirs->count() - 1);
    }
  });
  connect(cmdRemoveDir, &QPushButton::clicked, this, [this] { delete lstDirs->currentItem(); });
  connect(cmdDirUp, &QPushButton::clicked, this, [this] { moveDir(-1); });
  connect(cmdDirDown, &QPushButton::clicked, this, [this] { moveDir(1); });
  connect(cmdMap, &QPushButton::clicked, this, [this] {
    if (const auto file = dialogs_.openFile(
            this, QStringLiteral("フットプリント対応表|*.csv *.txt|すべてのファイル|*"))) {
      txtMap->setText(*file);
    }
  });
}

void BoardDialog::moveDir(int step) {
  const int row = lstDirs->currentRow();
  const int target = row + step;
  if (row < 0 || target < 0 || target >= lstDirs->count()) return;
  lstDirs->insertItem(target, lstDirs->takeItem(row));
  lstDirs->setCurrentRow(target);
}

QStringList BoardDialog::footprintDirs() const {
  QStringList dirs;
  for (int i = 0; i < lstDirs->count(); ++i) dirs << lstDirs->item(i)->text();
  return dirs;
}

QString BoardDialog::footprintMap() const { return txtMap->text().trimmed(); }

bool BoardDialog::outlineFromWindow() const {
  return optOutlineWindow->isVisibleTo(this) && optOutlineWindow->isChecked();
}

void BoardDialog::remember() const {
  QSettings().setValue(kDirsSetting, footprintDirs());
  QSettings().setValue(kMapSetting, footprintMap());
}

}  // namespace pcbprep
