// The part-list file, the netlist save, the exit and the question before unsaved work
// is thrown away.
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>

#include "app/Dialogs.h"
#include "app/Form2.h"
#include "app/Form3.h"
#include "app/FrmAbout.h"
#include "app/MainForm.h"
#include "app/UiSupport.h"
#include "design/AppInfo.h"
#include "design/FileIO.h"

namespace pcbprep {

namespace {

const QString kPartListFilter = QStringLiteral("部品リスト (*.csv)|*.csv");

}  // namespace

bool MainForm::savePartList() {
  if (design_.PartCount <= 0) {
    dialogs_.inform(this, Q(kAppTitle),
                    QStringLiteral("部品リストが空です。保存する部品がありません。"));
    return false;
  }
  const std::optional<QString> path =
      dialogs_.saveFile(this, kPartListFilter, Q(PartListFileName(design_.NetFilePath)));
  if (!path) return false;
  const EncodeResult bytes = PartListBytes(design_);
  if (!bytes.ok()) {
    dialogs_.warn(this, Q(kAppTitle),
                  QStringLiteral("次の文字はファイルの文字コード（Shift_JIS）で書けないため、"
                                 "部品リストを保存しませんでした。\n%1\n"
                                 "文字を直してから保存してください。")
                      .arg(Q(bytes.unmappable)));
    return false;
  }
  const FileWriteResult written = WriteFileAtomic(FileSystemPath(*path), bytes.bytes);
  if (!written.ok()) {
    dialogs_.warn(this, Q(kAppTitle),
                  QStringLiteral("部品リストを保存できませんでした。\n%1\n%2")
                      .arg(*path, QString::fromStdString(written.reason)));
    return false;
  }
  partListSaved_.markSaved(design_);
  updateTitle();
  showStatus(QStringLiteral("部品リストを保存しました: %1（部品 %2 個）")
                 .arg(*path)
                 .arg(design_.PartCount));
  return true;
}

void MainForm::mnHozonClick() { savePartList(); }

void MainForm::mnYobikomiClick() {
  const std::optional<QString> path = dialogs_.openFile(this, kPartListFilter);
  if (!path) return;
  const FileReadResult read = ReadWholeFile(FileSystemPath(*path));
  if (!read.ok()) {
    dialogs_.warn(this, Q(kAppTitle),
                  QStringLiteral("部品リストを読み込めませんでした。\n%1\n%2")
                      .arg(*path, QString::fromStdString(read.reason)));
    return;
  }
  const PartListParse parse = ParsePartListBytes(read.bytes, design_.capacity().parts);
  if (!parse.ok()) {
    dialogs_.warn(
        this, Q(kAppTitle),
        QStringLiteral("部品リストを読み込めませんでした。\n%1\n%2\n部品リストは変更していません。")
            .arg(*path, Q(PartListFault(parse))));
    return;
  }
  if (!mayDiscardPartList()) return;
  const PartListLoad load = LoadPartList(design_, parse, partHelpers_.mainPartChoices, list1_);
  showList1();
  showPartHelpers(false);
  // Nothing of the old list stays in the panel for Enter to apply to the loaded one.
  showEditPanel(EditPanel{});
  Text9->setText(QString::number(load.undefinedCount));
  partListSaved_.markSaved(design_);
  updateTitle();
  partSource_ = {*path, Q(design_.NetFilePath), netlistBytesHash(), true};
  ++partListGeneration_;
  showPartSource();
  showStatus(Q(PartListLoadNote(load, T(*path))));
}

std::size_t MainForm::netlistBytesHash() const { return std::hash<std::string>{}(netFileBytes_); }

void MainForm::setPartSourceToNetlist() {
  partSource_ = {Q(design_.NetFilePath), Q(design_.NetFilePath), netlistBytesHash(), false};
  showPartSource();
}

void MainForm::claimPartSourceNetlist() {
  if (!partSource_.partListFile || !partSource_.netlistPath.isEmpty()) return;
  partSource_.netlistPath = Q(design_.NetFilePath);
  partSource_.netlistHash = netlistBytesHash();
}

bool MainForm::partListFromOtherNetlist() const {
  if (design_.PartCount <= 0 || partSource_.netlistPath.isEmpty()) return false;
  return partSource_.netlistPath != Q(design_.NetFilePath) ||
         partSource_.netlistHash != netlistBytesHash();
}

void MainForm::showPartSource() {
  if (design_.PartCount <= 0 || partSource_.path.isEmpty()) {
    lblPartSource->clear();
    lblPartSource->setToolTip(QString());
    return;
  }
  const QString name = QFileInfo(partSource_.path).fileName();
  QString text = partSource_.partListFile
                     ? QStringLiteral("作成元: 部品リストファイル %1").arg(name)
                     : QStringLiteral("作成元: %1").arg(name);
  if (partListFromOtherNetlist()) text += QStringLiteral("　※読み込み中のネットリストとは別です");
  lblPartSource->setText(text);
  lblPartSource->setToolTip(partSource_.path);
}

void MainForm::mnsaveClick() {
  if (design_.NetFilePath.empty()) {
    dialogs_.inform(this, Q(kAppTitle), QStringLiteral("ネットリストが読み込まれていません。"));
    return;
  }
  const std::optional<QString> path =
      dialogs_.saveFile(this, QStringLiteral("*.NET|*.net"), Q(design_.NetFilePath));
  if (!path) return;
  // The file as it was loaded, byte for byte: a copy to keep beside the part list.
  const FileWriteResult written = WriteFileAtomic(FileSystemPath(*path), netFileBytes_);
  if (!written.ok()) {
    dialogs_.warn(this, Q(kAppTitle),
                  QStringLiteral("ネットリストを保存できませんでした。\n%1\n%2")
                      .arg(*path, QString::fromStdString(written.reason)));
    return;
  }
  showStatus(QStringLiteral("ネットリストを保存しました: %1").arg(*path));
}

void MainForm::mnExitClick() { close(); }

bool MainForm::mayDiscardPartList() {
  if (!partListSaved_.changed(design_)) return true;
  switch (dialogs_.askSave(this, Q(kAppTitle),
                           QStringLiteral("部品リストが保存されていません。保存しますか？"))) {
    case SaveAnswer::kSave:
      return savePartList();
    case SaveAnswer::kDiscard:
      return true;
    case SaveAnswer::kCancel:
      break;
  }
  return false;
}

void MainForm::closeEvent(QCloseEvent* event) {
  // Inside the handler boundary as every handler is; what goes wrong there keeps the
  // window open with the work it holds.
  bool closing = false;
  RunGuarded(dialogs_, this, [&] { closing = mayDiscardPartList(); });
  if (!closing) {
    event->ignore();
    return;
  }
  // The windows come back where they were left.
  memory_->save(this, {topSplitter_, findChild<QSplitter*>(QStringLiteral("NetlistSplitter"))});
  if (form3_) {
    memory_->save(form3_, {form3_->Splitter,
                           form3_->findChild<QSplitter*>(QStringLiteral("DrawingSplitter"))});
  }
  if (form2_ && !form2_->isUnloaded()) memory_->save(form2_, {});
  // The main window is the program: its other windows go with it.
  if (form2_) form2_->close();
  if (form3_) form3_->close();
  if (about_) about_->close();
  event->accept();
}

}  // namespace pcbprep
