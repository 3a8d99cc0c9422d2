#include "app/MainForm.h"
#include "app/MainFormWidgets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QListWidgetItem>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSize>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QTextDocument>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "app/FrmAbout.h"
#include "app/PartTableModel.h"
#include "app/PathBox.h"
#include "app/UiSupport.h"
#include "design/AppInfo.h"
#include "netlist/NetlistReader.h"
#include "placement/Grouping.h"
#include "placement/MainParts.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {

namespace {

// More changed lines than this and List1 is filled anew instead of line by line.
constexpr std::size_t kLinesChangedInPlace = 64;

}  // namespace

MainForm::MainForm(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(Q(kAppTitle));
  setWindowIcon(AppIcon());
  buildUi();
  buildMenus();
  loadForm();
  addToolTips();
  setReadingTabOrder();
  // As large as a full-HD screen allows; on a laptop, the free area of its screen.
  FitToScreen(this, QSize(1480, 960));
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
}

MainForm::~MainForm() = default;

void MainForm::buildUi() {
  auto* central = new QWidget;
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(6, 6, 6, 6);
  outer->setSpacing(6);

  // Reading order, left to right: the netlist with its net lists, the net check, the
  // part list with the symbol sizes; below them the edit panel, pre-placement and the
  // board outline. The upper row takes the height the window has to spare; its
  // splitters let the raw view, the lists and the report grow.
  auto* netlist = new QSplitter(Qt::Vertical);
  netlist->setObjectName(QStringLiteral("NetlistSplitter"));
  netlist->addWidget(buildNetlistArea());
  netlist->addWidget(buildListArea());
  netlist->setChildrenCollapsible(false);

  auto* parts = new QWidget;
  auto* partsRow = new QHBoxLayout(parts);
  partsRow->setContentsMargins(0, 0, 0, 0);
  partsRow->addWidget(buildPartListArea(), 1);
  partsRow->addWidget(buildSymbolArea());

  auto* top = new QSplitter(Qt::Horizontal);
  topSplitter_ = top;
  top->setObjectName(QStringLiteral("TopSplitter"));
  top->addWidget(netlist);
  top->addWidget(buildCheckArea());
  top->addWidget(parts);
  top->setStretchFactor(0, 4);
  top->setStretchFactor(1, 3);
  top->setStretchFactor(2, 6);
  top->setChildrenCollapsible(false);
  // Room for the report's lines from the start; the splitter scales these to the window.
  top->setSizes({390, 330, 630});

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(buildEditPanel(), 5);
  bottom->addWidget(buildPlacementArea(), 5);
  bottom->addWidget(buildOutlineArea(), 2);

  outer->addWidget(top, 1);
  outer->addLayout(bottom);
  setCentralWidget(central);

  // List and box clicks.
  connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    RunGuarded(dialogs_, this, [&] { list1Click(List1->row(item)); });
  });
  connect(List3, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    RunGuarded(dialogs_, this, [&] { list3Click(List3->row(item)); });
  });
  Text17->installEventFilter(this);
  Text23->installEventFilter(this);
  List1->installEventFilter(this);
  List1Table->installEventFilter(this);
  List3->installEventFilter(this);
  // A net's whole line in a tip, however narrow its list.
  List3->viewport()->installEventFilter(this);
  List2->viewport()->installEventFilter(this);

  // Enter in a box of the edit panel applies the edit, as 修正 実行 does.
  for (QLineEdit* box : {Text11, SYNNAME, Text20, Text21, Text17, Text23, Text2, Text12}) {
    connect(box, &QLineEdit::returnPressed, this,
            Guarded(this, dialogs_, &MainForm::command2Click));
  }
  connect(Command3, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command3Click));
}

void MainForm::addToolTips() {
  const std::pair<QWidget*, const char*> tips[] = {
      {Command13, "ネットリスト表示の先頭へ戻ります"},
      {Command4, "入力した文字をネットリスト表示から探します（大文字小文字を区別しません）"},
      {Command7, "ネットリストの論理エラー（オープン・ショート・重複PIN・孤立PIN）を調べます"},
      {Command1, "サイズ欄の指定で全部品にシンボル名を割り付け、部品リストを作り直します"},
      {Combo1, "コンデンサのシンボル名"},
      {Combo2, "抵抗のシンボル名"},
      {Combo3, "集積抵抗のシンボル名"},
      {Combo4, "コイルのシンボル名"},
      {Combo7, "テストポイントのシンボル名"},
      {Combo8, "トランジスタのシンボル名"},
      {Combo5, "ダイオードのシンボル名"},
      {Combo6, "ＬＥＤのシンボル名"},
      {Option3, "部品リストを一覧で表示します"},
      {Option4, "部品リストを見出し付きの表で表示します（見出しのクリックで並べ替え）"},
      {cmdPast, "前回入力したシンボル名をシンボル名欄へ入れます"},
      {cmbRireki, "最近入力したシンボル名から選んでシンボル名欄へ入れます"},
      {Command8, "部品ファイル（*.CHI）を選び、そのファイル名をシンボル名欄へ入れます"},
      {Command10, "前回入力した主部品名を主部品名欄へ入れます"},
      {Combo11, "主部品・準部品から選んで主部品名欄へ入れます"},
      {Command11, "前回入力したグループをグループ欄へ入れます"},
      {Command2, "入力した内容を部品番号の部品に書き込みます（無い部品番号なら追加します）"},
      {Command6, "主部品名が未設定の部品に主部品名を設定します"},
      {Command15, "全ての部品の主部品名設定を解除します"},
      {Command12, "右の方法で部品をグループに分けます"},
      {Combo10, "グループ分けの方法"},
      {Command5[1], "主部品名設定を元に座標を設定します"},
      {Option1, "主部品ごとにまとめて座標を決めます"},
      {Option2, "グループごとにまとめて座標を決めます"},
      {Command5[0], "選んだ方法で全部品の座標を決めます"},
      {Command9, "部品の配置分類イメージを表示します"},
      {Command14, "基板外形のＤＢＬファイルを作成する画面を開きます"},
      {Command3, "編集欄を空にして部品番号へ移ります（新しい部品は 修正 実行 で追加します）"},
      {Command16, "（未対応）"},
      {Command17, "（未対応）"},
      {Command18, "（未対応）"},
  };
  for (const auto& [widget, tip] : tips) widget->setToolTip(QString::fromUtf8(tip));
  Text17->setToolTip(QStringLiteral("クリックで 表(0)・裏(1) を切り替えます"));
  Text23->setToolTip(QStringLiteral("クリックで 従(0)・主(2)・準(1) を切り替えます"));
}

void MainForm::setReadingTabOrder() {
  // Left to right, top to bottom, as the areas read.
  QWidget* const order[] = {
      Text1,         Text6,         Text5,         Text4,         RichTextBox1,  Command13,
      Text3,         Command4,      List3,         List2,         Command7,      Text7,
      Text26,        Text25,        Text24,        Text27,        Text10,        Option3,
      Option4,       List1,         List1Table,    Command1,      Combo1,        Combo2,
      Combo3,        Combo4,        Combo7,        Combo8,        Combo5,        Combo6,
      Text9,         Text11,        Text20,        Text21,        SYNNAME,       cmdPast,
      cmbRireki,     Text17,        Command8,      Text8,         Text23,        Text2,
      Command10,     Combo11,       Text12,        Command11,     Command2,      txtSkipNet[0],
      txtSkipNet[1], txtSkipNet[2], txtSkipNet[3], txtSkipNet[4], txtSkipNet[5], txtSkipNet[6],
      txtSkipNet[7], txtSkipNet[8], txtSkipNet[9], Command6,      Command15,     Command12,
      Combo10,       Command5[1],   Option1,       Option2,       Command5[0],   Text14,
      Text15,        Command9,      Command14,     Command3,      Command16,     Command17,
      Command18};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void MainForm::buildMenus() {
  auto* file = menuBar()->addMenu(QStringLiteral("ネットファイル(&F)　　"));
  file->setObjectName(QStringLiteral("mnFile"));
  mnOpen = Named(file->addAction(QStringLiteral("開く(&O)")), QStringLiteral("mnOpen"));
  // The tables of the next load. Remembered, as a designer of large boards wants them
  // every time.
  mnLarge = Named(file->addAction(QStringLiteral("大規模ネットリスト")), QStringLiteral("mnLarge"));
  mnLarge->setCheckable(true);
  mnLarge->setChecked(memory_->largeTables());
  mnLarge->setToolTip(Q(LargeCapacityDescription()));
  connect(mnLarge, &QAction::toggled, this,
          [this](bool checked) { memory_->setLargeTables(checked); });
  mnRecent =
      Named(file->addMenu(QStringLiteral("最近使ったファイル(&R)")), QStringLiteral("mnRecent"));
  fillRecentMenu();
  mnsave = Named(file->addAction(QStringLiteral("保存(&S)")), QStringLiteral("mnsave"));
  mnExit = Named(file->addAction(QStringLiteral("終了(&X)")), QStringLiteral("mnExit"));

  auto* edit = menuBar()->addMenu(QStringLiteral("ネット編集(&E)　　"));
  edit->setObjectName(QStringLiteral("mnEdit"));

  auto* parts = menuBar()->addMenu(QStringLiteral("部品リスト(&B)　　"));
  parts->setObjectName(QStringLiteral("mnBuhin"));
  mnHozon = Named(parts->addAction(QStringLiteral("保存（&H）")), QStringLiteral("mnHozon"));
  mnYobikomi = Named(parts->addAction(QStringLiteral("呼込（&Y）")), QStringLiteral("mnYobikomi"));
  mnKicad =
      Named(parts->addAction(QStringLiteral("KiCad 基板出力(&K)…")), QStringLiteral("mnKicad"));

  auto* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("mnHelp"));
  mnHelpVersion =
      Named(help->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報")), QStringLiteral("mnHelpVersion"));

  mnOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  mnHozon->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  mnExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(mnOpen, &QAction::triggered, this, Guarded(this, dialogs_, &MainForm::mnOpenClick));
  connect(mnsave, &QAction::triggered, this, Guarded(this, dialogs_, &MainForm::mnsaveClick));
  connect(mnHelpVersion, &QAction::triggered, this,
          Guarded(this, dialogs_, &MainForm::mnHelpVersionClick));
  connect(mnExit, &QAction::triggered, this, Guarded(this, dialogs_, &MainForm::mnExitClick));
  connect(mnHozon, &QAction::triggered, this, Guarded(this, dialogs_, &MainForm::mnHozonClick));
  connect(mnYobikomi, &QAction::triggered, this,
          Guarded(this, dialogs_, &MainForm::mnYobikomiClick));
  connect(mnKicad, &QAction::triggered, this, Guarded(this, dialogs_, &MainForm::mnKicadClick));
}

void MainForm::loadForm() {
  // The items and start sizes come from core, so the command line starts from the
  // same ones.
  const SymbolSizes initial = InitialSymbolSizes();
  for (std::size_t i = 0; i < sizeBoxes_.size(); ++i) {
    const SymbolSizeBox& size = SymbolSizeBoxes()[i];
    QComboBox* combo = sizeBoxes_[i];
    for (const TextView item : size.items) combo->addItem(Q(item));
    const QString start = Q(initial.*size.size);
    const int index = combo->findText(start);
    if (index >= 0) {
      combo->setCurrentIndex(index);
    } else {
      combo->setEditText(start);
    }
  }
  for (const Text& item : GroupingMethodItems()) Combo10->addItem(Q(item));
  Combo10->setCurrentIndex(0);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip &&
      (watched == List3->viewport() || watched == List2->viewport())) {
    QListWidget* list = watched == List3->viewport() ? List3 : List2;
    const auto* help = static_cast<QHelpEvent*>(event);
    if (const QListWidgetItem* item = list->itemAt(help->pos())) {
      QToolTip::showText(help->globalPos(), item->text(), list->viewport());
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  if (event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      if (watched == Text17) RunGuarded(dialogs_, this, [this] { text17Click(); });
      if (watched == Text23) RunGuarded(dialogs_, this, [this] { text23Click(); });
    }
  }
  if (event->type() == QEvent::KeyPress && (watched == Text17 || watched == Text23)) {
    // The coded boxes change from the keyboard as a click changes them; a space would
    // otherwise replace the code with a blank.
    const auto* press = static_cast<QKeyEvent*>(event);
    const int key = press->key();
    const bool change = key == Qt::Key_Space || key == Qt::Key_Up || key == Qt::Key_Down ||
                        key == Qt::Key_Left || key == Qt::Key_Right;
    if (change && !(press->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      if (watched == Text17) RunGuarded(dialogs_, this, [this] { text17Click(); });
      if (watched == Text23) RunGuarded(dialogs_, this, [this] { text23Click(); });
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress &&
      (watched == List1 || watched == List3 || watched == List1Table)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Enter on a part goes on to its symbol name, the box edited most.
    if ((watched == List1 || watched == List1Table) &&
        (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      const int row = watched == List1 ? List1->currentRow()
                                       : partOrder_->mapToSource(List1Table->currentIndex()).row();
      if (row >= 0) {
        RunGuarded(dialogs_, this, [this, row] { list1Click(row); });
        SYNNAME->setFocus(Qt::TabFocusReason);
        SYNNAME->selectAll();
      }
      return true;
    }
    if (watched == List1Table) return QMainWindow::eventFilter(watched, event);
    // Enter on a net does what a click does; moving along List3 proposes nothing.
    if (watched == List3 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      if (List3->currentRow() >= 0) {
        RunGuarded(dialogs_, this, [this] { list3Click(List3->currentRow()); });
      }
      return true;
    }
    // A part reached with the keys fills the edit panel as a click would, so the panel
    // always shows the highlighted part. The list moves first, then the panel follows.
    if (watched == List1) {
      const int before = List1->currentRow();
      static_cast<QObject*>(List1)->event(event);
      const int after = List1->currentRow();
      if (after >= 0 && after != before) {
        RunGuarded(dialogs_, this, [this, after] { list1Click(after); });
      }
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainForm::mnHelpVersionClick() {
  if (!about_) about_ = new FrmAbout(this);
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void MainForm::refreshPartList(int p) {
  RefreshPartList(design_, list1_, p);
  showList1();
}

void MainForm::showList1() {
  // Keep the widget in step with the core list; most changes touch one line. A command
  // over every part changes most lines, and one change notice per line would cost more
  // than filling the list anew, which then keeps the scroll position.
  const int count = static_cast<int>(list1_.items.size());
  std::vector<int> changed;
  if (List1->count() == count) {
    for (int i = 0; i < count; ++i) {
      if (List1->item(i)->text() != Q(list1_.items[static_cast<std::size_t>(i)])) {
        changed.push_back(i);
      }
    }
  }
  const bool refill =
      List1->count() > count || count - List1->count() > 1 || changed.size() > kLinesChangedInPlace;
  if (refill) {
    const int scrolled = List1->verticalScrollBar()->value();
    List1->setUpdatesEnabled(false);
    FillList(List1, list1_.items);
    List1->verticalScrollBar()->setValue(scrolled);
    List1->setUpdatesEnabled(true);
  } else if (List1->count() != count) {
    List1->addItem(Q(list1_.items.back()));
  } else {
    for (const int i : changed)
      List1->item(i)->setText(Q(list1_.items[static_cast<std::size_t>(i)]));
  }
  List1->setCurrentRow(list1_.selectedIndex);
  if (list1_.selectedIndex >= 0) List1->scrollToItem(List1->item(list1_.selectedIndex));
  Text10->setText(QString::number(design_.PartCount));
  showPartTable();
  updateTitle();
}

EditPanel MainForm::readEditPanel() const {
  EditPanel p;
  p.reference = T(Text11->text());
  p.symbol = T(SYNNAME->text());
  p.x = T(Text20->text());
  p.y = T(Text21->text());
  p.side = T(Text17->text());
  p.partClass = T(Text23->text());
  p.mainPart = T(Text2->text());
  p.group = T(Text12->text());
  return p;
}

void MainForm::showEditPanel(const EditPanel& p) {
  Text11->setText(Q(p.reference));
  SYNNAME->setText(Q(p.symbol));
  Text20->setText(Q(p.x));
  Text21->setText(Q(p.y));
  Text17->setText(Q(p.side));
  Text23->setText(Q(p.partClass));
  Text2->setText(Q(p.mainPart));
  Text12->setText(Q(p.group));
}

void MainForm::showStatus(const QString& text) { statusBar()->showMessage(text); }

void MainForm::updateTitle() {
  if (design_.NetFilePath.empty()) {
    setWindowTitle(Q(kAppTitle));
  } else {
    setWindowTitle(QFileInfo(Q(design_.NetFilePath)).fileName() + QStringLiteral("[*] - ") +
                   Q(kAppTitle));
  }
  setWindowModified(partListSaved_.changed(design_));
}

QString MainForm::boardName() const {
  return design_.NetFilePath.empty() ? QString()
                                     : QFileInfo(Q(design_.NetFilePath)).completeBaseName();
}

void MainForm::fillRecentMenu() {
  mnRecent->clear();
  const QStringList recent = memory_->recentFiles();
  for (int i = 0; i < recent.size(); ++i) {
    const QString path = recent[i];
    QAction* action =
        mnRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setObjectName(QStringLiteral("mnRecent_%1").arg(i));
    action->setToolTip(path);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this,
            [this, path] { RunGuarded(dialogs_, this, [&] { openNetlistFile(path); }); });
  }
  mnRecent->setEnabled(!recent.isEmpty());
}

void MainForm::useMemory(std::unique_ptr<WindowMemory> memory) {
  memory_ = std::move(memory);
  memory_->restore(this, {topSplitter_, findChild<QSplitter*>(QStringLiteral("NetlistSplitter"))});
  mnLarge->setChecked(memory_->largeTables());
  fillRecentMenu();
}

std::array<Text, 10> MainForm::readSkipNets() const {
  std::array<Text, 10> boxes;
  for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i] = T(txtSkipNet[i]->text());
  return boxes;
}

void MainForm::showSkipNets(const std::array<Text, 10>& boxes) {
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    if (txtSkipNet[i]->text() != Q(boxes[i])) txtSkipNet[i]->setText(Q(boxes[i]));
  }
}

}  // namespace pcbprep
