#include "app/FrmAbout.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "Version.h"
#include "app/UiSupport.h"
#include "design/AppInfo.h"

namespace pcbprep {

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));

  picIcon = new QLabel;
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setPixmap(AppIcon().pixmap(64, 64));
  lblTitle = new QLabel;
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  QFont titleFont = lblTitle->font();
  titleFont.setPointSize(titleFont.pointSize() + 4);
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);
  lblVersion = new QLabel(QStringLiteral("ﾊﾞｰｼﾞｮﾝ"));
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  lblDescription = new QLabel(
      QStringLiteral("ネットリストのチェックから部品配置・基板外形データ作成までを支援します。"));
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  Line1 = new QFrame;
  Line1->setObjectName(QStringLiteral("Line1"));
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Sunken);
  cmdOK = new QPushButton(QStringLiteral("OK"));
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);

  auto* layout = new QGridLayout(this);
  layout->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(lblTitle, 0, 1);
  layout->addWidget(lblVersion, 1, 1);
  layout->addWidget(lblDescription, 2, 1);
  layout->addWidget(Line1, 3, 0, 1, 2);
  layout->addWidget(cmdOK, 4, 1, Qt::AlignRight);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

  // What the load of the dialog sets.
  setWindowTitle(Q(VersionDialogCaption(kAppTitle)));
  lblVersion->setText(Q(VersionLabel(kVersionMajor, kVersionMinor, kVersionRevision)));
  lblTitle->setText(Q(kAppTitle));
}

}  // namespace pcbprep
