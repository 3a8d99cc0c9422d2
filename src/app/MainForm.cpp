#include "app/MainForm.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "app/FrmAbout.h"
#include "app/UiSupport.h"
#include "design/AppInfo.h"
#include "placement/MainParts.h"
#include "symbol/SymbolAssignment.h"

namespace pcbprep {

namespace {

template <typename W>
W* Named(W* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

QLineEdit* Box(const QString& name, int width = 0) {
  auto* box = Named(new QLineEdit, name);
  if (width > 0) box->setMaximumWidth(width);
  return box;
}

QPushButton* Button(const QString& name, const QString& caption) {
  return Named(new QPushButton(caption), name);
}

QLabel* Caption(const QString& text) {
  auto* label = new QLabel(text);
  label->setObjectName(QStringLiteral("Label_") + text.simplified().left(12));
  return label;
}

QComboBox* Combo(const QString& name, bool editable) {
  auto* combo = Named(new QComboBox, name);
  combo->setEditable(editable);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMinimumContentsLength(8);
  return combo;
}

}  // namespace

MainForm::MainForm(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(Q(kAppTitle));
  setWindowIcon(AppIcon());
  buildUi();
  buildMenus();
  loadForm();
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
}

MainForm::~MainForm() = default;

void MainForm::buildUi() {
  auto* central = new QWidget;
  auto* grid = new QGridLayout(central);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setSpacing(6);

  // Reading order: netlist and counters, lists, net check, symbol sizes, edit panel,
  // pre-placement, board outline.
  auto* top = new QSplitter(Qt::Horizontal);
  top->setObjectName(QStringLiteral("TopSplitter"));
  top->addWidget(buildNetlistArea());
  top->addWidget(buildListArea());
  top->addWidget(buildCheckArea());
  top->setStretchFactor(0, 3);
  top->setStretchFactor(1, 4);
  top->setStretchFactor(2, 3);
  top->setChildrenCollapsible(false);

  auto* partsBox = new QWidget;
  auto* partsLayout = new QVBoxLayout(partsBox);
  partsLayout->setContentsMargins(0, 0, 0, 0);
  auto* partsHeader = new QHBoxLayout;
  auto* partsCaption = Caption(QStringLiteral("部品リスト作成   　　　　　               部品数"));
  partsCaption->setFont(ListFont());
  partsHeader->addWidget(partsCaption);
  Text10 = Box(QStringLiteral("Text10"), 60);
  Text10->setReadOnly(true);
  partsHeader->addWidget(Text10);
  partsHeader->addWidget(Caption(QStringLiteral("（ 入力修正箇所をクリック ）")));
  partsHeader->addStretch(1);
  partsLayout->addLayout(partsHeader);
  List1 = Named(new QListWidget, QStringLiteral("List1"));
  List1->setFont(ListFont());
  List1->setMinimumHeight(140);
  partsLayout->addWidget(List1, 1);

  auto* middle = new QHBoxLayout;
  middle->addWidget(partsBox, 1);
  middle->addWidget(buildSymbolArea());

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(buildEditPanel(), 3);
  bottom->addWidget(buildPlacementArea(), 3);
  bottom->addWidget(buildOutlineArea(), 1);

  auto* vertical = new QSplitter(Qt::Vertical);
  vertical->setObjectName(QStringLiteral("MainSplitter"));
  vertical->addWidget(top);
  auto* middleWidget = new QWidget;
  middle->setContentsMargins(0, 0, 0, 0);
  middleWidget->setLayout(middle);
  vertical->addWidget(middleWidget);
  vertical->setStretchFactor(0, 3);
  vertical->setStretchFactor(1, 2);
  vertical->setChildrenCollapsible(false);
  vertical->setSizes({460, 300});

  grid->addWidget(vertical, 0, 0);
  grid->addLayout(bottom, 1, 0);
  grid->setRowStretch(0, 1);
  setCentralWidget(central);
  resize(1360, 900);

  // List and box clicks.
  connect(List1, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { list1Click(List1->row(item)); });
  connect(List3, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { list3Click(List3->row(item)); });
  Text17->installEventFilter(this);
  Text23->installEventFilter(this);

  // Enter in a box of the edit panel applies the edit, as 修正 実行 does.
  for (QLineEdit* box : {Text11, SYNNAME, Text20, Text21, Text17, Text23, Text2, Text12}) {
    connect(box, &QLineEdit::returnPressed, this, &MainForm::command2Click);
  }
  connect(Command3, &QPushButton::clicked, this, &MainForm::command3Click);
}

QWidget* MainForm::buildNetlistArea() {
  auto* box = Named(new QGroupBox(QStringLiteral("ネットリスト")), QStringLiteral("FrameNetlist"));
  auto* layout = new QVBoxLayout(box);
  auto* counters = new QGridLayout;
  Text1 = Box(QStringLiteral("Text1"));
  Text1->setReadOnly(true);
  Text6 = Box(QStringLiteral("Text6"), 50);
  Text5 = Box(QStringLiteral("Text5"), 60);
  Text4 = Box(QStringLiteral("Text4"), 60);
  for (QLineEdit* counter : {Text6, Text5, Text4}) counter->setReadOnly(true);
  counters->addWidget(Caption(QStringLiteral("呼込ネットリスト名")), 0, 0);
  counters->addWidget(Text1, 0, 1, 1, 5);
  counters->addWidget(Caption(QStringLiteral("呼込")), 1, 0);
  counters->addWidget(Text6, 1, 1);
  counters->addWidget(Caption(QStringLiteral("ネット数")), 1, 2);
  counters->addWidget(Text5, 1, 3);
  counters->addWidget(Caption(QStringLiteral("PIN数")), 1, 4);
  counters->addWidget(Text4, 1, 5);
  layout->addLayout(counters);

  RichTextBox1 = Named(new QPlainTextEdit, QStringLiteral("RichTextBox1"));
  RichTextBox1->setReadOnly(true);
  RichTextBox1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  RichTextBox1->setLineWrapMode(QPlainTextEdit::NoWrap);
  RichTextBox1->setFont(ListFont());
  layout->addWidget(RichTextBox1, 1);

  auto* search = new QHBoxLayout;
  Command13 = Button(QStringLiteral("Command13"), QStringLiteral("トップ"));
  Text3 = Box(QStringLiteral("Text3"));
  Command4 = Button(QStringLiteral("Command4"), QStringLiteral("検  索"));
  search->addWidget(Command13);
  search->addWidget(Text3, 1);
  search->addWidget(Command4);
  layout->addLayout(search);
  connect(Command13, &QPushButton::clicked, this, &MainForm::command13Click);
  connect(Command4, &QPushButton::clicked, this, &MainForm::command4Click);
  connect(Text3, &QLineEdit::returnPressed, this, &MainForm::command4Click);
  return box;
}

QWidget* MainForm::buildListArea() {
  auto* box = new QWidget;
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* left = new QVBoxLayout;
  // The headers use the list font so that they line up with the columns.
  auto* netHeader = Caption(QStringLiteral("ネット名　　　　ピン数"));
  netHeader->setFont(ListFont());
  left->addWidget(netHeader);
  List3 = Named(new QListWidget, QStringLiteral("List3"));
  List3->setFont(ListFont());
  left->addWidget(List3, 1);
  auto* right = new QVBoxLayout;
  auto* pinHeader = Caption(QStringLiteral("　　　　接続ピン名"));
  pinHeader->setFont(ListFont());
  right->addWidget(pinHeader);
  List2 = Named(new QListWidget, QStringLiteral("List2"));
  List2->setFont(ListFont());
  right->addWidget(List2, 1);
  layout->addLayout(left, 1);
  layout->addLayout(right, 1);
  return box;
}

QWidget* MainForm::buildCheckArea() {
  auto* box = Named(new QGroupBox(QStringLiteral("ネットチェック")), QStringLiteral("FrameCheck"));
  auto* layout = new QGridLayout(box);
  Command7 = Button(QStringLiteral("Command7"), QStringLiteral("拡張ネットチェック"));
  layout->addWidget(Command7, 0, 0);
  layout->addWidget(Caption(QStringLiteral("ネット理論エラーリスト")), 1, 0);
  Text7 = Named(new QPlainTextEdit, QStringLiteral("Text7"));
  Text7->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text7->setFont(ListFont());
  layout->addWidget(Text7, 2, 0);

  auto* counts = new QGridLayout;
  counts->addWidget(Caption(QStringLiteral("エラー数")), 0, 0, 1, 2);
  Text26 = Box(QStringLiteral("Text26"), 60);
  Text25 = Box(QStringLiteral("Text25"), 60);
  Text24 = Box(QStringLiteral("Text24"), 60);
  Text27 = Box(QStringLiteral("Text27"), 60);
  const std::pair<QLineEdit*, QString> rows[] = {{Text26, QStringLiteral("オープン")},
                                                 {Text25, QStringLiteral("ショート")},
                                                 {Text24, QStringLiteral("重複PIN")},
                                                 {Text27, QStringLiteral("孤立PIN")}};
  int r = 1;
  for (const auto& [count, label] : rows) {
    count->setReadOnly(true);
    counts->addWidget(Caption(label), r, 0);
    counts->addWidget(count, r, 1);
    ++r;
  }
  counts->setRowStretch(r, 1);
  layout->addLayout(counts, 2, 1);
  layout->setRowStretch(2, 1);
  layout->setColumnStretch(0, 1);
  connect(Command7, &QPushButton::clicked, this, &MainForm::command7Click);
  return box;
}

QWidget* MainForm::buildSymbolArea() {
  auto* box = Named(new QGroupBox(QStringLiteral("シンボル")), QStringLiteral("FrameSymbol"));
  auto* layout = new QVBoxLayout(box);
  Command1 = Button(QStringLiteral("Command1"), QStringLiteral("シンボル名　　自動割付"));
  layout->addWidget(Command1);
  Combo1 = Combo(QStringLiteral("Combo1"), true);
  Combo2 = Combo(QStringLiteral("Combo2"), true);
  Combo3 = Combo(QStringLiteral("Combo3"), true);
  Combo4 = Combo(QStringLiteral("Combo4"), true);
  Combo7 = Combo(QStringLiteral("Combo7"), true);
  Combo8 = Combo(QStringLiteral("Combo8"), true);
  Combo5 = Combo(QStringLiteral("Combo5"), true);
  Combo6 = Combo(QStringLiteral("Combo6"), true);
  const std::pair<QComboBox*, QString> sizes[] = {
      {Combo1, QStringLiteral("コンデンサ")}, {Combo2, QStringLiteral("抵抗")},
      {Combo3, QStringLiteral("集積抵抗")},   {Combo4, QStringLiteral("コイル")},
      {Combo7, QStringLiteral("ＴＰ")},       {Combo8, QStringLiteral("トランジスタ")},
      {Combo5, QStringLiteral("ダイオード")}, {Combo6, QStringLiteral("ＬＥＤ")}};
  for (const auto& [combo, label] : sizes) {
    layout->addWidget(Caption(label));
    layout->addWidget(combo);
  }
  // The test-point box carries its items and text in the window definition.
  Combo7->addItems({QStringLiteral("TP06"), QStringLiteral("TP08"), QStringLiteral("TP10"),
                    QStringLiteral("TP12"), QStringLiteral("TP15")});
  auto* undefined = new QHBoxLayout;
  undefined->addWidget(Caption(QStringLiteral("ｼﾝﾎﾞﾙ名未定義数")));
  Text9 = Box(QStringLiteral("Text9"), 60);
  Text9->setReadOnly(true);
  undefined->addWidget(Text9);
  layout->addLayout(undefined);
  layout->addStretch(1);
  connect(Command1, &QPushButton::clicked, this, &MainForm::command1Click);
  return box;
}

QWidget* MainForm::buildEditPanel() {
  auto* box = Named(new QGroupBox(QStringLiteral("【 シンボル名等入力修正 】")),
                    QStringLiteral("FrameEdit"));
  auto* layout = new QGridLayout(box);
  Text11 = Box(QStringLiteral("Text11"));
  SYNNAME = Box(QStringLiteral("SYNNAME"));
  cmdPast = Button(QStringLiteral("cmdPast"), QStringLiteral("前の入力"));
  cmbRireki = Combo(QStringLiteral("cmbRireki"), false);
  Text20 = Box(QStringLiteral("Text20"), 80);
  Text21 = Box(QStringLiteral("Text21"), 80);
  Text17 = Box(QStringLiteral("Text17"), 80);
  Text23 = Box(QStringLiteral("Text23"), 80);
  Text2 = Box(QStringLiteral("Text2"));
  Command10 = Button(QStringLiteral("Command10"), QStringLiteral("前入力"));
  Combo11 = Combo(QStringLiteral("Combo11"), false);
  Text12 = Box(QStringLiteral("Text12"), 80);
  Command11 = Button(QStringLiteral("Command11"), QStringLiteral("前"));
  Command2 = Button(QStringLiteral("Command2"), QStringLiteral("修正　実行"));
  Command8 = Button(QStringLiteral("Command8"), QStringLiteral(".ＣＨＩ　検索"));
  Text8 = Box(QStringLiteral("Text8"), 80);

  int r = 0;
  layout->addWidget(Caption(QStringLiteral("部品番号")), r, 0);
  layout->addWidget(Text11, r, 1);
  layout->addWidget(Command8, r, 2);
  layout->addWidget(Caption(QStringLiteral("サイズ")), r, 3);
  layout->addWidget(Text8, r, 4);
  ++r;
  layout->addWidget(Caption(QStringLiteral("シンボル名")), r, 0);
  layout->addWidget(SYNNAME, r, 1);
  layout->addWidget(cmdPast, r, 2);
  layout->addWidget(cmbRireki, r, 3, 1, 2);
  ++r;
  auto* coordinates = new QHBoxLayout;
  coordinates->addWidget(Caption(QStringLiteral("Ｘ＝")));
  coordinates->addWidget(Text20);
  coordinates->addWidget(Caption(QStringLiteral("Ｙ＝")));
  coordinates->addWidget(Text21);
  coordinates->addWidget(Caption(QStringLiteral("mm")));
  coordinates->addStretch(1);
  layout->addLayout(coordinates, r, 0, 1, 5);
  ++r;
  auto* coded = new QHBoxLayout;
  coded->addWidget(Caption(QStringLiteral("実装面")));
  coded->addWidget(Text17);
  coded->addWidget(Caption(QStringLiteral("主/準/従")));
  coded->addWidget(Text23);
  coded->addStretch(1);
  layout->addLayout(coded, r, 0, 1, 5);
  ++r;
  layout->addWidget(Caption(QStringLiteral("主部品名")), r, 0);
  layout->addWidget(Text2, r, 1);
  layout->addWidget(Command10, r, 2);
  layout->addWidget(Combo11, r, 3, 1, 2);
  ++r;
  layout->addWidget(Caption(QStringLiteral("グループ")), r, 0);
  layout->addWidget(Text12, r, 1);
  layout->addWidget(Command11, r, 2);
  layout->addWidget(Command2, r, 3, 1, 2);
  layout->setColumnStretch(1, 1);

  connect(Command2, &QPushButton::clicked, this, &MainForm::command2Click);
  connect(Command8, &QPushButton::clicked, this, &MainForm::command8Click);
  connect(cmdPast, &QPushButton::clicked, this, &MainForm::cmdPastClick);
  connect(Command10, &QPushButton::clicked, this, &MainForm::command10Click);
  connect(Command11, &QPushButton::clicked, this, &MainForm::command11Click);
  connect(cmbRireki, &QComboBox::activated, this, &MainForm::cmbRirekiClick);
  connect(Combo11, &QComboBox::activated, this, &MainForm::combo11Click);
  return box;
}

QWidget* MainForm::buildPlacementArea() {
  auto* box = Named(new QGroupBox(QStringLiteral("プレ配置")), QStringLiteral("FramePlacement"));
  auto* layout = new QGridLayout(box);
  layout->addWidget(Caption(QStringLiteral("主部品決定時無視するNET名 (電源 GND)")), 0, 0, 1, 5);
  for (int i = 0; i < 10; ++i) {
    txtSkipNet[static_cast<std::size_t>(i)] = Box(QStringLiteral("txtSkipNet_%1").arg(i));
    layout->addWidget(txtSkipNet[static_cast<std::size_t>(i)], 1 + i / 5, i % 5);
  }
  showSkipNets(InitialSkipNets());

  Command6 = Button(QStringLiteral("Command6"), QStringLiteral("主部品名処理"));
  Command6->setToolTip(QStringLiteral("主部品名が未設定の部品に主部品名を設定します"));
  Command15 = Button(QStringLiteral("Command15"), QStringLiteral("解除"));
  Command15->setToolTip(QStringLiteral("全ての部品の主部品名設定を解除します"));
  Command12 = Button(QStringLiteral("Command12"), QStringLiteral("グループ処理"));
  Combo10 = Combo(QStringLiteral("Combo10"), false);
  Command5[1] = Button(QStringLiteral("Command5_1"), QStringLiteral("部品座標確定"));
  Command5[1]->setToolTip(QStringLiteral("主部品名設定を元に座標を設定します"));
  layout->addWidget(Command6, 3, 0);
  layout->addWidget(Command15, 3, 1);
  layout->addWidget(Command12, 3, 2);
  layout->addWidget(Combo10, 3, 3);
  layout->addWidget(Command5[1], 3, 4);

  auto* frame = Named(new QGroupBox(QStringLiteral("全部品座標確定自動決定")),
                      QStringLiteral("FrameCoordinates"));
  auto* frameLayout = new QHBoxLayout(frame);
  Option1 = Named(new QRadioButton(QStringLiteral("主部品別")), QStringLiteral("Option1"));
  Option2 = Named(new QRadioButton(QStringLiteral("グループ別")), QStringLiteral("Option2"));
  Option1->setChecked(true);
  Command5[0] = Button(QStringLiteral("Command5_0"), QStringLiteral("実行"));
  frameLayout->addWidget(Option1);
  frameLayout->addWidget(Option2);
  frameLayout->addWidget(Command5[0]);
  layout->addWidget(frame, 4, 0, 1, 3);

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
  layout->addLayout(size, 5, 0, 1, 3);
  Command9 = Button(QStringLiteral("Command9"), QStringLiteral("配置イメージ"));
  layout->addWidget(Command9, 5, 3, 1, 2);

  connect(Command6, &QPushButton::clicked, this, &MainForm::command6Click);
  connect(Command15, &QPushButton::clicked, this, &MainForm::command15Click);
  connect(Command12, &QPushButton::clicked, this, &MainForm::command12Click);
  connect(Command5[0], &QPushButton::clicked, this, [this] { command5Click(0); });
  connect(Command5[1], &QPushButton::clicked, this, [this] { command5Click(1); });
  connect(Command9, &QPushButton::clicked, this, &MainForm::command9Click);
  return box;
}

QWidget* MainForm::buildOutlineArea() {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  Command14 = Button(QStringLiteral("Command14"), QStringLiteral("外形作成"));
  layout->addWidget(Command14);
  connect(Command14, &QPushButton::clicked, this, &MainForm::command14Click);

  Command3 = Button(QStringLiteral("Command3"), QStringLiteral("部品追加"));
  // Buttons and options that are present but have no action.
  Command16 = Button(QStringLiteral("Command16"), QStringLiteral("解除"));
  Command17 = Button(QStringLiteral("Command17"), QStringLiteral("プレ配置設計"));
  Command18 = Button(QStringLiteral("Command18"), QStringLiteral("接続解析"));
  for (QPushButton* b : {Command3, Command16, Command17, Command18}) layout->addWidget(b);
  auto* mode = Named(new QGroupBox(QStringLiteral("表示モード")), QStringLiteral("FrameMode"));
  auto* modeLayout = new QVBoxLayout(mode);
  Option3 = Named(new QRadioButton(QStringLiteral("標準")), QStringLiteral("Option3"));
  Option4 = Named(new QRadioButton(QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽ")), QStringLiteral("Option4"));
  modeLayout->addWidget(Option3);
  modeLayout->addWidget(Option4);
  layout->addWidget(mode);
  layout->addStretch(1);
  return box;
}

void MainForm::buildMenus() {
  auto* file = menuBar()->addMenu(QStringLiteral("ネットファイル(&F)　　"));
  file->setObjectName(QStringLiteral("mnFile"));
  mnOpen = Named(file->addAction(QStringLiteral("開く(&O)")), QStringLiteral("mnOpen"));
  mnsave = Named(file->addAction(QStringLiteral("保存(&S)")), QStringLiteral("mnsave"));
  mnExit = Named(file->addAction(QStringLiteral("終了(&X)")), QStringLiteral("mnExit"));

  auto* edit = menuBar()->addMenu(QStringLiteral("ネット編集(&E)　　"));
  edit->setObjectName(QStringLiteral("mnEdit"));

  auto* parts = menuBar()->addMenu(QStringLiteral("部品リスト(&B)　　"));
  parts->setObjectName(QStringLiteral("mnBuhin"));
  mnHozon = Named(parts->addAction(QStringLiteral("保存（&H）")), QStringLiteral("mnHozon"));
  mnYobikomi = Named(parts->addAction(QStringLiteral("呼込（&Y）")), QStringLiteral("mnYobikomi"));

  auto* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
  help->setObjectName(QStringLiteral("mnHelp"));
  mnHelpVersion =
      Named(help->addAction(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報")), QStringLiteral("mnHelpVersion"));

  mnOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  mnHozon->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  mnExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(mnOpen, &QAction::triggered, this, &MainForm::mnOpenClick);
  connect(mnsave, &QAction::triggered, this, &MainForm::mnsaveClick);
  connect(mnExit, &QAction::triggered, this, &MainForm::mnExitClick);
  connect(mnHozon, &QAction::triggered, this, &MainForm::mnHozonClick);
  connect(mnYobikomi, &QAction::triggered, this, &MainForm::mnYobikomiClick);
  connect(mnHelpVersion, &QAction::triggered, this, &MainForm::mnHelpVersionClick);
}

void MainForm::loadForm() {
  Combo1->addItems({QStringLiteral("C1005"), QStringLiteral("C1608"), QStringLiteral("C2012"),
                    QStringLiteral("C3216")});
  Combo2->addItems({QStringLiteral("R1005"), QStringLiteral("R1608"), QStringLiteral("R2012"),
                    QStringLiteral("R3216")});
  Combo3->addItems({QStringLiteral("RA4-M"), QStringLiteral("RA8-M"), QStringLiteral("RA4-L"),
                    QStringLiteral("RA8-L")});
  Combo4->addItems({QStringLiteral("L1005"), QStringLiteral("L1608"), QStringLiteral("L2012"),
                    QStringLiteral("L3216"), QStringLiteral("L3220"), QStringLiteral("L3225")});
  // The start sizes come from core, so the command line starts from the same ones.
  const SymbolSizes initial = InitialSymbolSizes();
  const std::pair<QComboBox*, const Text*> starts[] = {
      {Combo1, &initial.Combo1}, {Combo2, &initial.Combo2}, {Combo3, &initial.Combo3},
      {Combo4, &initial.Combo4}, {Combo7, &initial.Combo7}, {Combo8, &initial.Combo8},
      {Combo5, &initial.Combo5}, {Combo6, &initial.Combo6}};
  for (const auto& [combo, text] : starts) {
    const int index = combo->findText(Q(*text));
    if (index >= 0) {
      combo->setCurrentIndex(index);
    } else {
      combo->setEditText(Q(*text));
    }
  }
  Combo10->addItems({QStringLiteral("なし"), QStringLiteral("自動"),
                     QStringLiteral("主部品 ABC指定"), QStringLiteral("100   番代 分離"), QString(),
                     QStringLiteral("グループ解除")});
  Combo10->setCurrentIndex(0);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      if (watched == Text17) text17Click();
      if (watched == Text23) text23Click();
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
  // Keep the widget in step with the core list; most changes touch one line.
  const int count = static_cast<int>(list1_.items.size());
  if (List1->count() != count) {
    List1->setUpdatesEnabled(false);
    if (List1->count() > count || count - List1->count() > 1) {
      List1->clear();
      QStringList lines;
      lines.reserve(count);
      for (const Text& item : list1_.items) lines << Q(item);
      List1->addItems(lines);
    } else {
      List1->addItem(Q(list1_.items.back()));
    }
    List1->setUpdatesEnabled(true);
  }
  for (int i = 0; i < count; ++i) {
    const QString line = Q(list1_.items[static_cast<std::size_t>(i)]);
    if (List1->item(i)->text() != line) List1->item(i)->setText(line);
  }
  List1->setCurrentRow(list1_.selectedIndex);
  if (list1_.selectedIndex >= 0) List1->scrollToItem(List1->item(list1_.selectedIndex));
  Text10->setText(QString::number(design_.PartCount));
}

EditPanel MainForm::readEditPanel() const {
  EditPanel p;
  p.Text11 = T(Text11->text());
  p.SYNNAME = T(SYNNAME->text());
  p.Text20 = T(Text20->text());
  p.Text21 = T(Text21->text());
  p.Text17 = T(Text17->text());
  p.Text23 = T(Text23->text());
  p.Text2 = T(Text2->text());
  p.Text12 = T(Text12->text());
  return p;
}

void MainForm::showEditPanel(const EditPanel& p) {
  Text11->setText(Q(p.Text11));
  SYNNAME->setText(Q(p.SYNNAME));
  Text20->setText(Q(p.Text20));
  Text21->setText(Q(p.Text21));
  Text17->setText(Q(p.Text17));
  Text23->setText(Q(p.Text23));
  Text2->setText(Q(p.Text2));
  Text12->setText(Q(p.Text12));
}

void MainForm::showStatus(const QString& text) { statusBar()->showMessage(text); }

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
