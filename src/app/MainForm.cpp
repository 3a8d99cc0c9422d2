#include "app/MainForm.h"

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
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
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

QLineEdit* Box(const QString& name, int width = 0) {
  auto* box = Named(new QLineEdit, name);
  if (width > 0) box->setMaximumWidth(width);
  return box;
}

// A box for a count: wide enough for four digits and a sign at any window size.
QLineEdit* CountBox(const QString& name) {
  auto* box = Named(new QLineEdit, name);
  box->setReadOnly(true);
  box->setAlignment(Qt::AlignRight);
  ReserveChars(box, 5);
  box->setMaximumWidth(box->minimumWidth() + 16);
  return box;
}

// A box of the edit panel: room for twelve characters at any window size.
QLineEdit* EditBox(const QString& name) {
  auto* box = Named(new QLineEdit, name);
  ReserveChars(box, 12);
  return box;
}

QPushButton* Button(const QString& name, const QString& caption) {
  return Named(new QPushButton(caption), name);
}

QComboBox* Combo(const QString& name, bool editable) {
  auto* combo = Named(new QComboBox, name);
  combo->setEditable(editable);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMinimumContentsLength(8);
  // Sized by that length, not by the longest item, so the window can be narrow.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
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

QWidget* MainForm::buildNetlistArea() {
  auto* box = Named(new QGroupBox(QStringLiteral("ネットリスト")), QStringLiteral("FrameNetlist"));
  auto* layout = new QVBoxLayout(box);
  auto* counters = new QGridLayout;
  Text1 = Named(new PathBox, QStringLiteral("Text1"));
  Text6 = CountBox(QStringLiteral("Text6"));
  Text5 = CountBox(QStringLiteral("Text5"));
  Text4 = CountBox(QStringLiteral("Text4"));
  // The file name gets a row of its own, so the column can be narrow.
  counters->addWidget(Caption(QStringLiteral("呼込ネットリスト名")), 0, 0, 1, 2);
  counters->addWidget(Caption(QStringLiteral("呼込")), 0, 2, Qt::AlignRight);
  counters->addWidget(Text6, 0, 3);
  counters->addWidget(Text1, 1, 0, 1, 5);
  counters->addWidget(Caption(QStringLiteral("ネット数")), 2, 0);
  counters->addWidget(Text5, 2, 1);
  counters->addWidget(Caption(QStringLiteral("PIN数")), 2, 2);
  counters->addWidget(Text4, 2, 3);
  counters->setColumnStretch(4, 1);
  layout->addLayout(counters);

  RichTextBox1 = Named(new QPlainTextEdit, QStringLiteral("RichTextBox1"));
  RichTextBox1->setReadOnly(true);
  RichTextBox1->setUndoRedoEnabled(false);  // filled in slices: no undo steps to keep
  RichTextBox1->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  RichTextBox1->setLineWrapMode(QPlainTextEdit::NoWrap);
  RichTextBox1->setFont(ListFont());
  RichTextBox1->setMinimumSize(120, 60);
  layout->addWidget(RichTextBox1, 1);

  auto* search = new QHBoxLayout;
  Command13 = Button(QStringLiteral("Command13"), QStringLiteral("トップ"));
  Text3 = Box(QStringLiteral("Text3"));
  Text3->setMinimumWidth(60);
  Command4 = Button(QStringLiteral("Command4"), QStringLiteral("検  索"));
  search->addWidget(Command13);
  search->addWidget(Text3, 1);
  search->addWidget(Command4);
  layout->addLayout(search);
  connect(Command13, &QPushButton::clicked, this,
          Guarded(this, dialogs_, &MainForm::command13Click));
  connect(Command4, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command4Click));
  connect(Text3, &QLineEdit::returnPressed, this,
          Guarded(this, dialogs_, &MainForm::command4Click));
  return box;
}

QWidget* MainForm::buildListArea() {
  auto* box = new QWidget;
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  // One column: a header in the list font, so that it lines up with the columns of the
  // list under it, and the list.
  const auto column = [&](const QString& headerText, const QString& listName) {
    auto* header = Caption(headerText);
    header->setFont(ListFont());
    // Headings stay whole however far the column is narrowed (for the part table).
    header->setMinimumWidth(header->sizeHint().width());
    auto* list = Named(new QListWidget, listName);
    list->setFont(ListFont());
    list->setMinimumSize(80, 60);
    auto* stack = new QVBoxLayout;
    stack->addWidget(header);
    stack->addWidget(list, 1);
    layout->addLayout(stack, 1);
    return list;
  };
  List3 = column(QStringLiteral("ネット名　　　　ピン数"), QStringLiteral("List3"));
  List2 = column(QStringLiteral("　　　　接続ピン名"), QStringLiteral("List2"));
  return box;
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

QWidget* MainForm::buildPlacementArea() {
  auto* box = Named(new QGroupBox(QStringLiteral("プレ配置")), QStringLiteral("FramePlacement"));
  auto* layout = new QGridLayout(box);
  layout->addWidget(Caption(QStringLiteral("主部品決定時無視するNET名 (電源 GND)")), 0, 0, 1, 5);
  for (int i = 0; i < 10; ++i) {
    txtSkipNet[static_cast<std::size_t>(i)] = Box(QStringLiteral("txtSkipNet_%1").arg(i));
    txtSkipNet[static_cast<std::size_t>(i)]->setMinimumWidth(50);
    layout->addWidget(txtSkipNet[static_cast<std::size_t>(i)], 1 + i / 5, i % 5);
  }
  showSkipNets(InitialSkipNets());

  Command6 = Button(QStringLiteral("Command6"), QStringLiteral("主部品名処理"));
  Command15 = Button(QStringLiteral("Command15"), QStringLiteral("解除"));
  Command12 = Button(QStringLiteral("Command12"), QStringLiteral("グループ処理"));
  Combo10 = Combo(QStringLiteral("Combo10"), false);
  Command5[1] = Button(QStringLiteral("Command5_1"), QStringLiteral("部品座標確定"));
  layout->addWidget(Command6, 3, 0);
  layout->addWidget(Command15, 3, 1);
  layout->addWidget(Command12, 3, 2);
  layout->addWidget(Combo10, 3, 3, 1, 2);

  auto* frame = Named(new QGroupBox(QStringLiteral("全部品座標確定自動決定")),
                      QStringLiteral("FrameCoordinates"));
  auto* frameLayout = new QHBoxLayout(frame);
  frameLayout->setContentsMargins(6, 2, 6, 2);
  Option1 = Named(new QRadioButton(QStringLiteral("主部品別")), QStringLiteral("Option1"));
  Option2 = Named(new QRadioButton(QStringLiteral("グループ別")), QStringLiteral("Option2"));
  Option1->setChecked(true);
  Command5[0] = Button(QStringLiteral("Command5_0"), QStringLiteral("実行"));
  frameLayout->addWidget(Option1);
  frameLayout->addWidget(Option2);
  frameLayout->addWidget(Command5[0]);
  layout->addWidget(Command5[1], 4, 0);
  layout->addWidget(frame, 4, 1, 1, 4);

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
  size->addStretch(1);
  layout->addLayout(size, 5, 0, 1, 3);
  Command9 = Button(QStringLiteral("Command9"), QStringLiteral("配置イメージ"));
  layout->addWidget(Command9, 5, 3, 1, 2);

  connect(Command6, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command6Click));
  connect(Command15, &QPushButton::clicked, this,
          Guarded(this, dialogs_, &MainForm::command15Click));
  connect(Command12, &QPushButton::clicked, this,
          Guarded(this, dialogs_, &MainForm::command12Click));
  connect(Command5[0], &QPushButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { command5Click(0); }); });
  connect(Command5[1], &QPushButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { command5Click(1); }); });
  connect(Command9, &QPushButton::clicked, this, Guarded(this, dialogs_, &MainForm::command9Click));
  return box;
}

QWidget* MainForm::buildOutlineArea() {
  auto* box = new QWidget;
  auto* layout = new QGridLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  Command14 = Button(QStringLiteral("Command14"), QStringLiteral("外形作成"));
  layout->addWidget(Command14, 0, 0, 1, 2);
  connect(Command14, &QPushButton::clicked, this,
          Guarded(this, dialogs_, &MainForm::command14Click));

  Command3 = Button(QStringLiteral("Command3"), QStringLiteral("部品追加"));
  // Buttons that are present but have no action.
  Command16 = Button(QStringLiteral("Command16"), QStringLiteral("解除"));
  Command17 = Button(QStringLiteral("Command17"), QStringLiteral("プレ配置設計"));
  Command18 = Button(QStringLiteral("Command18"), QStringLiteral("接続解析"));
  layout->addWidget(Command3, 1, 0);
  // Shown as unavailable: a button that looks ready and does nothing misleads.
  for (QPushButton* unavailable : {Command17, Command18}) unavailable->setEnabled(false);
  layout->addWidget(Command16, 1, 1);
  layout->addWidget(Command17, 2, 0);
  layout->addWidget(Command18, 2, 1);
  layout->setRowStretch(3, 1);
  return box;
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
