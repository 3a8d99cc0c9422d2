// Net check, symbol assignment and the part edit panel.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLatin1Char>
#include <QLineEdit>
#include <QListWidget>
#include <QModelIndex>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSizePolicy>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Dialogs.h"
#include "app/MainForm.h"
#include "app/MainFormWidgets.h"
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

QWidget* MainForm::buildCheckArea() {
  auto* box = Named(new QGroupBox(QStringLiteral("ネットチェック")), QStringLiteral("FrameCheck"));
  auto* layout = new QVBoxLayout(box);
  Command7 = Button(QStringLiteral("Command7"), QStringLiteral("拡張ネットチェック"));
  layout->addWidget(Command7);
  layout->addWidget(Caption(QStringLiteral("ネット理論エラーリスト")));
  Text7 = Named(new QPlainTextEdit, QStringLiteral("Text7"));
  Text7->setReadOnly(true);
  Text7->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text7->setFont(ListFont());
  // Thirty characters of a report line at any width of the column, also when the part
  // table takes room.
  Text7->setMinimumSize(Text7->fontMetrics().horizontalAdvance(QString(30, QLatin1Char('0'))) +
                            Text7->verticalScrollBar()->sizeHint().width() +
                            2 * Text7->frameWidth() +
                            2 * static_cast<int>(Text7->document()->documentMargin()),
                        80);

  // Beside the report, each count under its label, top to bottom オープン, ショート,
  // 重複PIN, 孤立PIN.
  auto* counts = new QVBoxLayout;
  counts->addWidget(Caption(QStringLiteral("エラー数")));
  Text26 = CountBox(QStringLiteral("Text26"));
  Text25 = CountBox(QStringLiteral("Text25"));
  Text24 = CountBox(QStringLiteral("Text24"));
  Text27 = CountBox(QStringLiteral("Text27"));
  const std::pair<QLineEdit*, QString> rows[] = {{Text26, QStringLiteral("オープン")},
                                                 {Text25, QStringLiteral("ショート")},
                                                 {Text24, QStringLiteral("重複PIN")},
                                                 {Text27, QStringLiteral("孤立PIN")}};
  for (const auto& [count, label] : rows) {
    counts->addSpacing(4);
    counts->addWidget(Caption(label));
    counts->addWidget(count);
  }
  counts->addStretch(1);
  auto* report = new QHBoxLayout;
  report->addWidget(Text7, 1);
  report->addLayout(counts);
  layout->addLayout(report, 1);
  connect(Command7, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command7Click));
  return box;
}

QWidget* MainForm::buildPartListArea() {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* header = new QHBoxLayout;
  auto* caption = Caption(QStringLiteral("部品リスト作成   　　　　　               部品数"));
  caption->setFont(ListFont());
  header->addWidget(caption);
  Text10 = CountBox(QStringLiteral("Text10"));
  header->addWidget(Text10);
  header->addStretch(1);
  layout->addLayout(header);
  lblPartSource = Named(new QLabel, QStringLiteral("lblPartSource"));
  // A long file name must not widen the column; the tip has the whole path.
  lblPartSource->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->addWidget(lblPartSource);

  // The display mode: 標準 shows List1, ﾃﾞｰﾀﾍﾞｰｽ the same parts as a table. At start
  // List1 shows, and 標準 is chosen.
  auto* mode = Named(new QGroupBox(QStringLiteral("表示モード")), QStringLiteral("FrameMode"));
  auto* modeLayout = new QHBoxLayout(mode);
  modeLayout->setContentsMargins(6, 0, 6, 0);
  Option3 = Named(new QRadioButton(QStringLiteral("標準")), QStringLiteral("Option3"));
  Option4 = Named(new QRadioButton(QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽ")), QStringLiteral("Option4"));
  Option3->setChecked(true);
  modeLayout->addWidget(Option3);
  modeLayout->addWidget(Option4);
  auto* hint = new QHBoxLayout;
  hint->addWidget(Caption(QStringLiteral("（ 入力修正箇所をクリック ）")));
  hint->addStretch(1);
  hint->addWidget(mode);
  layout->addLayout(hint);

  List1 = Named(new QListWidget, QStringLiteral("List1"));
  List1->setFont(ListFont());
  List1->setMinimumSize(120, 80);

  List1Table = Named(new QTableView, QStringLiteral("List1Table"));
  partModel_ = new PartTableModel(this);
  partOrder_ = new PartTableOrder(this);
  partOrder_->setSourceModel(partModel_);
  partOrder_->setSortRole(PartTableModel::kSortRole);
  List1Table->setModel(partOrder_);
  List1Table->setSortingEnabled(true);
  // Unsorted until a heading is clicked: the table order, as in List1.
  List1Table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  List1Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  List1Table->setSelectionMode(QAbstractItemView::SingleSelection);
  List1Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  List1Table->setAlternatingRowColors(true);
  List1Table->setCornerButtonEnabled(false);
  // Tab goes on to the next control, as from List1; the arrows move inside the table.
  List1Table->setTabKeyNavigation(false);
  List1Table->verticalHeader()->setDefaultSectionSize(List1Table->fontMetrics().height() + 6);
  // Fitted to the contents whenever they change; the user may widen a column, not
  // narrow it below its widest text.
  List1Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  connect(List1Table->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int size) {
            const auto c = static_cast<std::size_t>(column);
            if (c < partColumnMinimum_.size() && size < partColumnMinimum_[c]) {
              List1Table->horizontalHeader()->resizeSection(column, partColumnMinimum_[c]);
            }
          });
  List1Table->setMinimumSize(120, 80);

  partViews_ = new QStackedWidget;
  partViews_->addWidget(List1);
  partViews_->addWidget(List1Table);
  layout->addWidget(partViews_, 1);

  connect(Option3, &QRadioButton::clicked, this, Guarded(this, dialogs_, &MainForm::option3Click));
  connect(Option4, &QRadioButton::clicked, this, Guarded(this, dialogs_, &MainForm::option4Click));
  connect(List1Table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            RunGuarded(dialogs_, this, [&] { partTableSelect(current); });
          });
  return box;
}

QWidget* MainForm::buildSymbolArea() {
  auto* box = Named(new QGroupBox(QStringLiteral("シンボル")), QStringLiteral("FrameSymbol"));
  auto* layout = new QGridLayout(box);
  Command1 = Button(QStringLiteral("Command1"), QStringLiteral("シンボル名　　自動割付"));
  layout->addWidget(Command1, 0, 0, 1, 2);
  // The size boxes come from the core table the command line uses too; their items
  // are added as the window loads. Two columns of four, each box under the label of
  // its kind; read down the first column, then the second.
  int i = 0;
  for (const SymbolSizeBox& size : SymbolSizeBoxes()) {
    const int row = 1 + 2 * (i % 4);
    const int column = i / 4;
    sizeBoxes_.push_back(Combo(QString::fromLatin1(size.control), true));
    layout->addWidget(Caption(Q(size.caption)), row, column);
    layout->addWidget(sizeBoxes_.back(), row + 1, column);
    ++i;
  }
  const auto sizeBox = [box](const char* name) { return box->findChild<QComboBox*>(name); };
  Combo1 = sizeBox("Combo1");
  Combo2 = sizeBox("Combo2");
  Combo3 = sizeBox("Combo3");
  Combo4 = sizeBox("Combo4");
  Combo7 = sizeBox("Combo7");
  Combo8 = sizeBox("Combo8");
  Combo5 = sizeBox("Combo5");
  Combo6 = sizeBox("Combo6");
  auto* undefined = new QHBoxLayout;
  undefined->addWidget(Caption(QStringLiteral("ｼﾝﾎﾞﾙ名未定義数")));
  Text9 = CountBox(QStringLiteral("Text9"));
  undefined->addWidget(Text9);
  undefined->addStretch(1);
  layout->addLayout(undefined, 9, 0, 1, 2);
  chkFootprints = Named(new QCheckBox(QStringLiteral("回路図のフットプリントを使う")),
                        QStringLiteral("chkFootprints"));
  chkFootprints->setToolTip(QStringLiteral(
      "ネットリストにフットプリントがある部品は、そのフットプリント名（ライブラリ名を除く）を"
      "シンボル名にします"));
  layout->addWidget(chkFootprints, 10, 0, 1, 2);
  layout->setRowStretch(11, 1);
  connect(Command1, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command1Click));
  return box;
}

QWidget* MainForm::buildEditPanel() {
  auto* box = Named(new QGroupBox(QStringLiteral("【 シンボル名等入力修正 】")),
                    QStringLiteral("FrameEdit"));
  auto* layout = new QGridLayout(box);
  // Created in reading order, which is also the order Tab follows.
  Text11 = EditBox(QStringLiteral("Text11"));
  Text20 = EditBox(QStringLiteral("Text20"));
  Text21 = EditBox(QStringLiteral("Text21"));
  SYNNAME = EditBox(QStringLiteral("SYNNAME"));
  cmdPast = Button(QStringLiteral("cmdPast"), QStringLiteral("前の入力"));
  cmbRireki = Combo(QStringLiteral("cmbRireki"), false);
  Text17 = EditBox(QStringLiteral("Text17"));
  Command8 = Button(QStringLiteral("Command8"), QStringLiteral(".ＣＨＩ　検索"));
  Text8 = EditBox(QStringLiteral("Text8"));
  Text23 = EditBox(QStringLiteral("Text23"));
  Text2 = EditBox(QStringLiteral("Text2"));
  Command10 = Button(QStringLiteral("Command10"), QStringLiteral("前入力"));
  Combo11 = Combo(QStringLiteral("Combo11"), false);
  Text12 = EditBox(QStringLiteral("Text12"));
  Command11 = Button(QStringLiteral("Command11"), QStringLiteral("前"));
  Command2 = Button(QStringLiteral("Command2"), QStringLiteral("修正　実行"));

  // Columns: label, box, helper button or label, box or list, label, box. Rows are
  // read left to right.
  auto* yBox = new QHBoxLayout;
  yBox->addWidget(Text21, 1);
  yBox->addWidget(Caption(QStringLiteral("mm")));
  layout->addWidget(Caption(QStringLiteral("部品番号")), 0, 0);
  layout->addWidget(Text11, 0, 1);
  layout->addWidget(Caption(QStringLiteral("Ｘ＝")), 0, 2, Qt::AlignRight);
  layout->addWidget(Text20, 0, 3);
  layout->addWidget(Caption(QStringLiteral("Ｙ＝")), 0, 4, Qt::AlignRight);
  layout->addLayout(yBox, 0, 5);
  layout->addWidget(Caption(QStringLiteral("シンボル名")), 1, 0);
  layout->addWidget(SYNNAME, 1, 1);
  layout->addWidget(cmdPast, 1, 2);
  layout->addWidget(cmbRireki, 1, 3);
  layout->addWidget(Caption(QStringLiteral("実装面")), 1, 4, Qt::AlignRight);
  layout->addWidget(Text17, 1, 5);
  // The part-file lookup sits under the symbol box it fills.
  layout->addWidget(Command8, 2, 1);
  layout->addWidget(Caption(QStringLiteral("サイズ")), 2, 2, Qt::AlignRight);
  layout->addWidget(Text8, 2, 3);
  layout->addWidget(Caption(QStringLiteral("主/準/従")), 2, 4, Qt::AlignRight);
  layout->addWidget(Text23, 2, 5);
  layout->addWidget(Caption(QStringLiteral("主部品名")), 3, 0);
  layout->addWidget(Text2, 3, 1);
  layout->addWidget(Command10, 3, 2);
  layout->addWidget(Combo11, 3, 3);
  layout->addWidget(Caption(QStringLiteral("グループ")), 4, 0);
  layout->addWidget(Text12, 4, 1);
  layout->addWidget(Command11, 4, 2);
  layout->addWidget(Command2, 4, 3, 1, 3);
  for (int c : {1, 3, 5}) layout->setColumnStretch(c, 1);

  connect(Command2, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command2Click));
  connect(Command8, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command8Click));
  connect(cmdPast, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::cmdPastClick));
  connect(Command10, &QPushButton::clicked, this,
          Guarded(this, dialogs_, &MainForm::command10Click));
  connect(Command11, &QPushButton::clicked, this,
          Guarded(this, dialogs_, &MainForm::command11Click));
  connect(cmbRireki, &QComboBox::activated, this,
          Guarded(this, dialogs_, &MainForm::cmbRirekiClick));
  connect(Combo11, &QComboBox::activated, this, Guarded(this, dialogs_, &MainForm::combo11Click));
  return box;
}

}  // namespace pcbprep
