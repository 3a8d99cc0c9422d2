// Net check, symbol assignment and the part edit panel.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/Dialogs.h"
#include "app/MainForm.h"
#include "app/UiSupport.h"
#include "check/NetCheck.h"
#include "design/AppInfo.h"
#include "symbol/PartFile.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {

namespace {

// Refills a drop-down list when its items differ from the core's, keeping the chosen
// entry where it still exists.
void MirrorItems(QComboBox* combo, const std::vector<Text>& items) {
  bool same = combo->count() == static_cast<int>(items.size());
  for (int i = 0; same && i < combo->count(); ++i) {
    same = combo->itemText(i) == Q(items[static_cast<std::size_t>(i)]);
  }
  if (same) return;
  const QSignalBlocker block(combo);
  const int index = combo->currentIndex();
  const QString chosen = combo->currentText();
  combo->clear();
  for (const Text& item : items) combo->addItem(Q(item));
  combo->setCurrentIndex(index < 0 ? -1 : combo->findText(chosen));
}

}  // namespace

void MainForm::command7Click() {
  const NetCheckResult result = RunExtendedNetCheck(design_);
  Text7->setPlainText(Q(result.reportText));
  Text26->setText(QString::number(result.openCount));
  Text25->setText(QString::number(result.shortCount));
  Text24->setText(QString::number(result.duplicateCount));
  Text27->setText(QString::number(result.isolatedCount));
}

void MainForm::command1Click() {
  if (List1->count() > 0 &&
      !dialogs_.confirm(this, QStringLiteral("編集中のデータがあります。"),
                        QStringLiteral("実行するとデータが失われますがよろしいですか？"))) {
    return;
  }
  SymbolSizes sizes;
  for (std::size_t i = 0; i < sizeBoxes_.size(); ++i) {
    sizes.*SymbolSizeBoxes()[i].size = T(sizeBoxes_[i]->currentText());
  }
  SymbolAssignment result;
  {
    const BusyCursor busy;
    result = RunSymbolAssignment(design_, sizes, partHelpers_.mainPartChoices, list1_);
    if (result.fits) {
      showList1();
      showPartHelpers(false);
      Text9->setText(QString::number(result.undefinedCount));
    }
  }
  if (!result.fits) {
    dialogs_.warn(this, Q(kAppTitle), Q(TooManyPartsMessage(result.referencesFound)));
  }
}

void MainForm::command2Click() {
  EditPanel panel = readEditPanel();
  const PartEditResult result = ApplyPartEdit(design_, panel, partHelpers_, list1_);
  if (result.outcome == PartEditOutcome::TableFull) {
    dialogs_.warn(this, Q(kAppTitle), Q(PartTableFullMessage(panel.reference)));
    return;
  }
  // Only the coded boxes can have changed: an unknown text is cleared.
  Text17->setText(Q(panel.side));
  Text23->setText(Q(panel.partClass));
  showList1();
  showPartHelpers(!design_.PartTable.at(result.row, kPartSymbol).empty());
  Text9->setText(QString::number(result.undefinedCount));
}

void MainForm::command8Click() {
  const std::optional<QString> chosen =
      dialogs_.openFile(this, QStringLiteral("部品ファイル(*.CHI)|*.chi"));
  if (!chosen) return;
  SYNNAME->setText(Q(PartFileBaseName(T(*chosen))));
}

void MainForm::text17Click() { Text17->setText(Q(NextShown(kSideCodes, T(Text17->text())))); }

void MainForm::text23Click() { Text23->setText(Q(NextShown(kClassCodes, T(Text23->text())))); }

void MainForm::showPartHelpers(bool selectNewestSymbol) {
  cmdPast->setText(Q(partHelpers_.lastSymbol));
  Command10->setText(Q(partHelpers_.lastMainPart));
  Command11->setText(Q(partHelpers_.lastGroup));
  MirrorItems(cmbRireki, partHelpers_.symbolHistory);
  if (selectNewestSymbol) {
    const QSignalBlocker block(cmbRireki);
    cmbRireki->setCurrentIndex(partHelpers_.symbolHistorySelected);
  }
  MirrorItems(Combo11, partHelpers_.mainPartChoices);
}

}  // namespace pcbprep
