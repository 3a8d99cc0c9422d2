// Net check, symbol assignment and the part edit panel.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <algorithm>

#include "app/Dialogs.h"
#include "app/MainForm.h"
#include "app/PartTableModel.h"
#include "app/UiSupport.h"
#include "check/NetCheck.h"
#include "design/AppInfo.h"
#include "symbol/PartFile.h"
#include "symbol/PartTableView.h"
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
  showStatus(QStringLiteral("拡張ネットチェック: オープン %1、ショート %2、重複PIN %3、孤立PIN %4")
                 .arg(result.openCount)
                 .arg(result.shortCount)
                 .arg(result.duplicateCount)
                 .arg(result.isolatedCount));
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
  SymbolAssignment result = assignSymbols(sizes);
  if (result.fits) return;
  showStatus(QStringLiteral("部品が多すぎるため、シンボル名を割り付けませんでした"));
  const QString message = Q(TooManyPartsMessage(result.referencesFound, design_.capacity().parts));
  const QString title = Q(kAppTitle) + QStringLiteral(" - シンボル名の自動割付");
  if (!LargeCapacityWouldTakeParts(design_, result)) {
    dialogs_.warn(this, title, message);
    return;
  }
  // The netlist loaded in the standard tables but has more parts than they hold: the
  // same file, read again in the large tables, takes them all.
  if (!dialogs_.confirm(this, title,
                        message + QStringLiteral("\n\n") +
                            QStringLiteral("大規模ネットリストとして読み込み直して、"
                                           "シンボル名を割り付けますか？"))) {
    return;
  }
  {
    const BusyCursor busy;
    if (!LoadNetlistBytes(design_, netFileBytes_, kLargeCapacity).ok()) return;
  }
  mnLarge->setChecked(true);
  assignSymbols(sizes);
}

SymbolAssignment MainForm::assignSymbols(const SymbolSizes& sizes) {
  const BusyCursor busy;
  const SymbolAssignment result = RunSymbolAssignment(design_, sizes, partHelpers_.mainPartChoices,
                                                      list1_, chkFootprints->isChecked());
  if (result.fits) {
    showList1();
    showPartHelpers(false);
    // Nothing of the old list stays in the panel for Enter to apply to the new one.
    showEditPanel(EditPanel{});
    Text9->setText(QString::number(result.undefinedCount));
    setPartSourceToNetlist();
    ++partListGeneration_;
    showStatus(QStringLiteral("シンボル名を割り付けました: 部品 %1 個、シンボル名未定義 %2 個")
                   .arg(design_.PartCount)
                   .arg(result.undefinedCount));
  }
  return result;
}

void MainForm::command2Click() {
  EditPanel panel = readEditPanel();
  const PartEditResult result = ApplyPartEdit(design_, panel, partHelpers_, list1_);
  if (result.outcome == PartEditOutcome::TableFull) {
    dialogs_.warn(this, Q(kAppTitle),
                  Q(PartTableFullMessage(panel.reference, design_.capacity().parts)));
    return;
  }
  // The panel shows the part as stored, as its line and the table do: an unknown code
  // cleared, a main part's own "*REF" as its main part.
  showEditPanel(FillEditPanel(design_, result.row));
  showList1();
  showPartHelpers(!design_.PartTable.at(result.row, kPartSymbol).empty());
  Text9->setText(QString::number(result.undefinedCount));
  showStatus((result.outcome == PartEditOutcome::Added ? QStringLiteral("部品 %1 を追加しました")
                                                       : QStringLiteral("部品 %1 を修正しました"))
                 .arg(Q(panel.reference)));
}

void MainForm::command3Click() {
  showEditPanel(EditPanel{});
  Text11->setFocus();
  showStatus(QStringLiteral("部品番号を入力し、修正 実行で追加します"));
}

void MainForm::command8Click() {
  const std::optional<QString> chosen =
      dialogs_.openFile(this, QStringLiteral("部品ファイル(*.CHI)|*.chi"));
  if (!chosen) return;
  SYNNAME->setText(Q(PartFileBaseName(T(*chosen))));
  showStatus(QStringLiteral("部品ファイル名 %1 をシンボル名に入れました").arg(SYNNAME->text()));
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

void MainForm::option3Click() {
  partViews_->setCurrentWidget(List1);
  // As ﾃﾞｰﾀﾍﾞｰｽ gives the table the keys: arrows move along the parts, not to the other
  // option button.
  List1->setFocus();
}

void MainForm::option4Click() {
  // The other panels keep their room: a table wider than its place scrolls sideways.
  partViews_->setCurrentWidget(List1Table);
  List1Table->setFocus();
}

void MainForm::showPartTable() {
  // Refreshed with List1, from the same table at the same moment. Neither the new rows
  // nor the selection taken over from List1 are a choice of the user's.
  const QScopedValueRollback mirroring(mirroringSelection_, true);
  fitPartColumns(partModel_->setRows(PartViewRows(design_), SchematicViewCells(design_)));
  mirrorTableSelection();
}

void MainForm::fitPartColumns(const PartTableModel::Changed& changed) {
  QHeaderView* header = List1Table->horizontalHeader();
  const int columns = partModel_->columnCount();
  if (changed.reset || static_cast<int>(partColumnMinimum_.size()) != columns) {
    partColumnMinimum_.assign(static_cast<std::size_t>(columns), 0);
  }
  if (changed.first < 0 && !changed.reset) return;
  // A cell's text has the delegate's margin on either side and the grid line beside it.
  const int margin = ItemTextMargin(List1Table) + 4;
  const std::vector<int> texts =
      partModel_->textWidths(List1Table->fontMetrics(), changed.first, changed.last);
  for (int c = 0; c < columns; ++c) {
    const auto column = static_cast<std::size_t>(c);
    const int wanted = std::max(texts[column] + margin, header->sectionSizeHint(c));
    partColumnMinimum_[column] = std::max(partColumnMinimum_[column], wanted);
    if (changed.reset || header->sectionSize(c) < partColumnMinimum_[column]) {
      header->resizeSection(c, partColumnMinimum_[column]);
    }
  }
}

void MainForm::mirrorTableSelection() {
  const QScopedValueRollback mirroring(mirroringSelection_, true);
  const QModelIndex row =
      list1_.selectedIndex < 0
          ? QModelIndex()
          : partOrder_->mapFromSource(partModel_->index(list1_.selectedIndex, 0));
  if (row.isValid()) {
    // The row comes into view; the table stays scrolled sideways as it is.
    const int current = List1Table->currentIndex().column();
    const QModelIndex cell = row.siblingAtColumn(std::max(current, 0));
    const int across = List1Table->horizontalScrollBar()->value();
    List1Table->selectionModel()->setCurrentIndex(
        cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    List1Table->scrollTo(cell);
    List1Table->horizontalScrollBar()->setValue(across);
  } else {
    List1Table->selectionModel()->clear();
  }
}

void MainForm::partTableSelect(const QModelIndex& current) {
  if (mirroringSelection_ || !current.isValid()) return;
  const int row = partOrder_->mapToSource(current).row();
  // The same part's line in List1 is chosen with it, and the panel filled as a click
  // on that line fills it.
  {
    const QSignalBlocker block(List1);
    List1->setCurrentRow(row);
  }
  list1Click(row);
}

}  // namespace pcbprep
