#include "app/Form3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Dialogs.h"
#include "app/OutlinePreview.h"
#include "app/UiSupport.h"
#include "design/FileIO.h"
#include "drawing/DblDxf.h"
#include "drawing/DblReader.h"
#include "outline/OutlineControls.h"
#include "outline/OutlineGenerator.h"
#include "outline/OutlineSettingsFile.h"

namespace pcbprep {

namespace {

const QString kCaption = QStringLiteral("外形作成");
const QString kSettingsFilter = QStringLiteral("外形設定 (*.json)|*.json");

QLineEdit* Field(const QString& name, const QString& text, int width) {
  auto* box = Named(new QLineEdit(text), name);
  box->setMaximumWidth(width);
  return box;
}

QCheckBox* Check(const QString& name, const QString& caption, bool checked) {
  auto* box = Named(new QCheckBox(caption), name);
  box->setChecked(checked);
  return box;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  for (QWidget* w : widgets) row->addWidget(w);
  row->addStretch(1);
  return row;
}

// A box that holds no number counts as 0 for the drawing; the outputs refuse it.
double Number(const QLineEdit* box) { return OutlineBoxNumber(T(box->text())).value_or(0); }

const char16_t* const kFilmCaptions[kFilmTitleCount] = {
    u"部品面", u"Ｌ２", u"Ｌ３", u"Ｌ４", u"Ｌ５", u"半田面",   u"Ｒ１",
    u"Ｒ２",   u"Ｓ１", u"Ｓ２", u"Ｍ１", u"Ｍ２", u"実装図１", u"実装図２"};

}  // namespace

Form3::Form3(Dialogs& dialogs, QWidget* parent) : QWidget(parent, Qt::Window), dialogs_(dialogs) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(kCaption);
  buildUi();
  loadForm();
  followSettings();
  const std::pair<QWidget*, const char*> tips[] = {
      {Command1, "設定から外形データを作り、ＤＢＬファイルに保存します"},
      {Command2, "この画面を閉じます（設定は残ります）"},
      {Command3, "設定ファイル（JSON）を読み込み、画面の設定にします"},
      {Command4, "今の設定を設定ファイル（JSON）に記録します"},
      {cmdDxf, "今の設定の図を DXF ファイルに保存します（凡例で隠した層は除きます）"},
      {Command5, "枠データのチェックを全て付けます"},
      {Command6, "枠データのチェックを全て外します"},
      {Command7, "テキストの層タイトルのチェックを全て付けます"},
      {Command8, "テキストの層タイトルのチェックを全て外します"},
      {Combo1, "取付穴の穴径"},
      {Combo2, "取付穴の配置"},
      {Option6, "角を直角のままにします"},
      {Option5, "角を面取りします（寸法は右の欄）"},
      {Option4, "角を丸めます（半径は右の欄）"},
      {Option1, "両面基板の層タイトルの組を選び直します"},
      {Option2, "４層基板の層タイトルの組を選び直します"},
      {Option3, "６層基板の層タイトルの組を選び直します"},
  };
  for (const auto& [widget, tip] : tips) widget->setToolTip(QString::fromUtf8(tip));
  // The settings at full width, with room for the drawing below them, where the
  // screen has it.
  const QSize settingsSize = SettingsArea->widget()->sizeHint();
  FitToScreen(this, QSize(settingsSize.width() + Command1->sizeHint().width() + 40,
                          settingsSize.height() + 420));
  // The drawing gets at least half the height; the settings scroll for the rest,
  // until the user moves the splitter.
  const int settingsHeight = std::min(settingsSize.height(), height() / 2);
  Splitter->setSizes({settingsHeight, std::max(1, height() - settingsHeight)});
  // The record text opens wide enough for a whole record: nearly all are 70 characters
  // or less.
  const int recordWidth = RichTextBox1->fontMetrics().horizontalAdvance(QString(70, u'0')) +
                          RichTextBox1->verticalScrollBar()->sizeHint().width() +
                          2 * RichTextBox1->frameWidth() +
                          2 * static_cast<int>(RichTextBox1->document()->documentMargin());
  // The splitter is narrower than the window by the margins, which it takes from both
  // sides by their stretch.
  const int splitterWidth = width() - 2 * layout()->contentsMargins().left();
  DrawingSplitter->setSizes({recordWidth, std::max(1, splitterWidth - recordWidth)});
}

void Form3::buildUi() {
  Command1 =
      Named(new QPushButton(QStringLiteral("ＤＢＬファイル出力")), QStringLiteral("Command1"));
  Command2 = Named(new QPushButton(QStringLiteral("終了")), QStringLiteral("Command2"));
  Command3 = Named(new QPushButton(QStringLiteral("設定呼込")), QStringLiteral("Command3"));
  Command4 = Named(new QPushButton(QStringLiteral("設定記録")), QStringLiteral("Command4"));
  cmdDxf = Named(new QPushButton(QStringLiteral("DXF出力")), QStringLiteral("cmdDxf"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Command1);
  buttons->addWidget(cmdDxf);
  buttons->addWidget(Command3);
  buttons->addWidget(Command4);
  buttons->addStretch(1);
  buttons->addWidget(Command2);

  RichTextBox1 = Named(new QPlainTextEdit, QStringLiteral("RichTextBox1"));
  RichTextBox1->setReadOnly(true);
  RichTextBox1->setLineWrapMode(QPlainTextEdit::NoWrap);
  RichTextBox1->setFont(ListFont());

  auto* settings = new QWidget;
  auto* grid = new QGridLayout(settings);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(buildOutlineFrame(), 0, 0);
  grid->addWidget(buildFrameFrame(), 0, 1);
  grid->addWidget(buildTextFrame(), 0, 2, 2, 1);
  grid->addWidget(buildSilkFrame(), 1, 0, 1, 2);
  for (int c = 0; c < 3; ++c) grid->setColumnStretch(c, 1);
  // The settings scroll when the drawing is given their room; the buttons beside them
  // stay in view.
  SettingsArea = Named(new QScrollArea, QStringLiteral("SettingsArea"));
  SettingsArea->setWidget(settings);
  SettingsArea->setWidgetResizable(true);
  SettingsArea->setFrameShape(QFrame::NoFrame);
  auto* top = new QWidget;
  auto* topRow = new QHBoxLayout(top);
  topRow->setContentsMargins(0, 0, 0, 0);
  topRow->addWidget(SettingsArea, 1);
  topRow->addLayout(buttons);

  Preview = new OutlinePreview;
  DrawingSplitter = Named(new QSplitter(Qt::Horizontal), QStringLiteral("DrawingSplitter"));
  DrawingSplitter->addWidget(RichTextBox1);
  DrawingSplitter->addWidget(Preview);
  DrawingSplitter->setStretchFactor(0, 1);
  DrawingSplitter->setStretchFactor(1, 3);
  DrawingSplitter->setChildrenCollapsible(false);
  Splitter = Named(new QSplitter(Qt::Vertical), QStringLiteral("Splitter"));
  Splitter->addWidget(top);
  Splitter->addWidget(DrawingSplitter);
  // A larger window gives its room to the drawing.
  Splitter->setStretchFactor(0, 0);
  Splitter->setStretchFactor(1, 1);
  Splitter->setChildrenCollapsible(false);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  column->addWidget(Splitter);
  StatusBar = Named(new QStatusBar, QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);
  column->addWidget(StatusBar);

  connect(Command1, &QPushButton::clicked, this, Guarded(this, dialogs_, &Form3::command1Click));
  connect(cmdDxf, &QPushButton::clicked, this, Guarded(this, dialogs_, &Form3::dxfClick));
  connect(Command2, &QPushButton::clicked, this, Guarded(this, dialogs_, &Form3::command2Click));
  connect(Command3, &QPushButton::clicked, this, Guarded(this, dialogs_, &Form3::command3Click));
  connect(Command4, &QPushButton::clicked, this, Guarded(this, dialogs_, &Form3::command4Click));
  connect(Command5, &QPushButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { setFrameChecks(true); }); });
  connect(Command6, &QPushButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { setFrameChecks(false); }); });
  connect(Command7, &QPushButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { setFilmChecks(true); }); });
  connect(Command8, &QPushButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { setFilmChecks(false); }); });
  // A preset follows a click on its option only, not a change made by code.
  connect(Option1, &QRadioButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { applyBoardType(BoardType::kDoubleSided); }); });
  connect(Option2, &QRadioButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { applyBoardType(BoardType::kFourLayer); }); });
  connect(Option3, &QRadioButton::clicked, this,
          [this] { RunGuarded(dialogs_, this, [&] { applyBoardType(BoardType::kSixLayer); }); });
}

QGroupBox* Form3::buildOutlineFrame() {
  Frame3 = Named(new QGroupBox(QStringLiteral("外形データ")), QStringLiteral("Frame3"));
  Text4 = Field(QStringLiteral("Text4"), QString(), 80);
  Text5 = Field(QStringLiteral("Text5"), QString(), 80);
  Check17 = Check(QStringLiteral("Check17"), QStringLiteral("外形線"), true);
  Check18 = Check(QStringLiteral("Check18"), QStringLiteral("配線エリア"), true);
  Check21 = Check(QStringLiteral("Check21"), QStringLiteral("寸法線"), true);
  Check19 = Check(QStringLiteral("Check19"), QStringLiteral("取付穴寸法線"), true);
  Check23 = Check(QStringLiteral("Check23"), QStringLiteral("取付穴データ発生"), true);
  Combo1 = Named(new QComboBox, QStringLiteral("Combo1"));
  Combo2 = Named(new QComboBox, QStringLiteral("Combo2"));
  Text13 = Field(QStringLiteral("Text13"), QStringLiteral("5.0"), 60);
  Check24 = Check(QStringLiteral("Check24"), QStringLiteral("配置補助線"), true);

  Frame6 = Named(new QGroupBox(QStringLiteral("コーナー処理")), QStringLiteral("Frame6"));
  Option6 = Named(new QRadioButton(QStringLiteral("直角")), QStringLiteral("Option6"));
  Option5 = Named(new QRadioButton(QStringLiteral("Ｃカット")), QStringLiteral("Option5"));
  Option4 = Named(new QRadioButton(QStringLiteral("Ｒ処理")), QStringLiteral("Option4"));
  Option6->setChecked(true);
  Text23 = Field(QStringLiteral("Text23"), QStringLiteral("2.0"), 60);
  auto* corner = Row({Option6, Option5, Option4, Text23, Caption(QStringLiteral("mm"))});
  corner->setContentsMargins(6, 6, 6, 6);
  Frame6->setLayout(corner);

  auto* g = new QGridLayout(Frame3);
  g->addWidget(Caption(QStringLiteral("外形寸法")), 0, 0);
  g->addLayout(
      Row({Caption(QStringLiteral("Ｘ＝")), Text4, Caption(QStringLiteral("Ｙ＝")), Text5}), 0, 1);
  g->addWidget(Check17, 1, 0);
  g->addWidget(Check18, 2, 0);
  g->addWidget(Check21, 3, 0);
  g->addWidget(Caption(QStringLiteral("文字高 ：　１．５ｍｍ")), 3, 1);
  g->addWidget(Check19, 4, 0);
  g->addWidget(Check23, 5, 0);
  g->addWidget(Combo1, 5, 1);
  g->addWidget(Combo2, 6, 1);
  g->addWidget(Caption(QStringLiteral("外形より")), 7, 0, Qt::AlignRight);
  g->addWidget(Text13, 7, 1);
  g->addWidget(Check24, 8, 0);
  g->addWidget(Frame6, 9, 0, 1, 2);
  g->setRowStretch(10, 1);
  g->setColumnStretch(1, 1);
  return Frame3;
}

QGroupBox* Form3::buildFrameFrame() {
  Frame2 = Named(new QGroupBox(QStringLiteral("枠データ")), QStringLiteral("Frame2"));
  Check15 = Check(QStringLiteral("Check15"), QStringLiteral("レジスト枠"), true);
  Check20 = Check(QStringLiteral("Check20"), QStringLiteral("コーナーマーク"), true);
  Text6 = Field(QStringLiteral("Text6"), QStringLiteral("0.4"), 60);
  Check16 =
      Check(QStringLiteral("Check16"), QStringLiteral("メタルマスク　　　　コーナーマーク"), true);
  Check22 = Check(QStringLiteral("Check22"), QStringLiteral("ＧＮＤベタ層（ネガ）"), true);
  Check26 = Check(QStringLiteral("Check26"), QStringLiteral("外層ベタ  SAMPLE "), true);
  Command5 = Named(new QPushButton(QStringLiteral("セット")), QStringLiteral("Command5"));
  Command6 = Named(new QPushButton(QStringLiteral("クリア")), QStringLiteral("Command6"));

  auto* g = new QGridLayout(Frame2);
  g->addWidget(Check15, 0, 0);
  g->addWidget(Caption(QStringLiteral("外形から　０．５mm")), 0, 1);
  g->addWidget(Caption(QStringLiteral("線幅    １．０　ｍｍ")), 0, 2);
  g->addWidget(Check20, 1, 0);
  g->addLayout(Row({Caption(QStringLiteral("線幅")), Text6}), 1, 1);
  g->addWidget(Caption(QStringLiteral("線長 ：　自動")), 1, 2);
  g->addWidget(Check16, 2, 0);
  g->addWidget(Caption(QStringLiteral("線幅    ２．０  ｍｍ ")), 2, 1);
  g->addWidget(Caption(QStringLiteral("線長 ：　自動")), 2, 2);
  g->addWidget(Check22, 3, 0);
  g->addWidget(Caption(QStringLiteral("（ ＤＲＣネット用　９層 ）")), 3, 1, 1, 2);
  g->addWidget(Check26, 4, 0);
  g->addWidget(Caption(QStringLiteral("外形から　０．３mm")), 4, 1, 1, 2);
  g->addWidget(Caption(QStringLiteral("＊ 他層必要時コピー")), 5, 0, 1, 3);
  g->addWidget(Caption(QStringLiteral("（ 部品ＢＯＩＤ層に発生 ）")), 6, 0, 1, 3);
  g->setRowStretch(7, 1);
  g->addLayout(Row({Command5, Command6}), 8, 0, 1, 3);
  return Frame2;
}

QGroupBox* Form3::buildTextFrame() {
  Frame1 = Named(new QGroupBox(QStringLiteral("テキスト")), QStringLiteral("Frame1"));
  Text1 = Named(new QLineEdit, QStringLiteral("Text1"));
  const FilmTitles initial = OutlineSettings{}.filmTitles;
  auto* films = new QGridLayout;
  for (int i = 0; i < kFilmTitleCount; ++i) {
    filmChecks[i] = Check(QStringLiteral("Check%1").arg(i + 1), Q(kFilmCaptions[i]), initial[i]);
    films->addWidget(filmChecks[i], i % 7, i / 7);
  }
  Check27 = Check(QStringLiteral("Check27"), QStringLiteral("ﾒﾀﾙﾏｽｸ追加文字"), false);
  Text15 = Named(new QLineEdit, QStringLiteral("Text15"));
  Check31 = Check(QStringLiteral("Check31"), QStringLiteral("フィルム番号"), true);

  Frame4 = Named(new QGroupBox(QStringLiteral("初期値")), QStringLiteral("Frame4"));
  Option1 = Named(new QRadioButton(QStringLiteral("両面基板")), QStringLiteral("Option1"));
  Option2 = Named(new QRadioButton(QStringLiteral("４層基板")), QStringLiteral("Option2"));
  Option3 = Named(new QRadioButton(QStringLiteral("６層基板")), QStringLiteral("Option3"));
  Option2->setChecked(true);
  auto* types = new QVBoxLayout(Frame4);
  for (QRadioButton* b : {Option1, Option2, Option3}) types->addWidget(b);
  Command7 = Named(new QPushButton(QStringLiteral("セット")), QStringLiteral("Command7"));
  Command8 = Named(new QPushButton(QStringLiteral("クリア")), QStringLiteral("Command8"));
  auto* presetButtons = new QVBoxLayout;
  presetButtons->addWidget(Command7);
  presetButtons->addWidget(Command8);
  presetButtons->addStretch(1);

  auto* g = new QGridLayout(Frame1);
  g->addWidget(Caption(QStringLiteral("基板手配名")), 0, 0);
  g->addWidget(Text1, 0, 1);
  g->addLayout(films, 1, 0, 1, 2);
  g->addWidget(Check27, 2, 0);
  g->addWidget(Text15, 2, 1);
  g->addWidget(Check31, 3, 0);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Frame4);
  bottom->addLayout(presetButtons);
  g->addLayout(bottom, 4, 0, 1, 2);
  g->setRowStretch(5, 1);
  g->setColumnStretch(1, 1);
  return Frame1;
}

QGroupBox* Form3::buildSilkFrame() {
  Frame5 = Named(new QGroupBox(QStringLiteral("シルク文字")), QStringLiteral("Frame5"));
  auto* g = new QGridLayout(Frame5);
  g->addWidget(Caption(QStringLiteral("文字高")), 0, 2);
  g->addWidget(Caption(QStringLiteral("線幅")), 0, 3);
  struct SilkRow {
    QCheckBox*& check;
    const char* checkName;
    QString caption;
    bool checked;
    QLineEdit*& text;
    const char* textName;
    QLineEdit*& height;
    const char* heightName;
    QString heightValue;
    QLineEdit*& width;
    const char* widthName;
  };
  const SilkRow rows[] = {
      {Check28, "Check28", QStringLiteral("基板名"), true, Text8, "Text8", Text9, "Text9",
       QStringLiteral("2.0"), Text10, "Text10"},
      {Check29, "Check29", QStringLiteral("サブタイトル"), false, Text16, "Text16", Text18,
       "Text18", QStringLiteral("2.0"), Text19, "Text19"},
      {Check30, "Check30", QStringLiteral("コメント他"), false, Text17, "Text17", Text20, "Text20",
       QStringLiteral("1.5"), Text21, "Text21"},
  };
  int r = 1;
  for (const SilkRow& row : rows) {
    row.check = Check(QLatin1String(row.checkName), row.caption, row.checked);
    row.text = Named(new QLineEdit, QLatin1String(row.textName));
    row.height = Field(QLatin1String(row.heightName), row.heightValue, 60);
    row.width = Field(QLatin1String(row.widthName), QStringLiteral("0.3"), 60);
    g->addWidget(row.check, r, 0);
    g->addWidget(row.text, r, 1);
    g->addWidget(row.height, r, 2);
    g->addWidget(row.width, r, 3);
    g->addWidget(Caption(QStringLiteral("mm")), r, 4);
    ++r;
  }
  Check25 = Check(QStringLiteral("Check25"), QStringLiteral("TP　ネット名"), false);
  Check25->setTristate(true);
  Check25->setCheckState(Qt::PartiallyChecked);
  g->addWidget(Check25, r, 0);
  g->setColumnStretch(1, 1);
  return Frame5;
}

void Form3::loadForm() {
  for (const Text& item : HoleDiameterItems()) Combo1->addItem(Q(item));
  Combo1->setCurrentIndex(OutlineSettings{}.holeDiameter);
  const std::vector<Text> arrangements = HoleArrangementItems();
  for (int i = 0; i < static_cast<int>(arrangements.size()); ++i) {
    Combo2->addItem(Q(arrangements[static_cast<std::size_t>(i)]));
    if (HoleArrangementMakesHoles(i)) continue;
    // Kept so that a settings file holding one shows it, but not to be chosen.
    auto* item = qobject_cast<QStandardItemModel*>(Combo2->model())->item(i);
    item->setEnabled(false);
    item->setToolTip(QStringLiteral("この配置は穴も穴の寸法線も出力しません"));
  }
  Combo2->setCurrentIndex(OutlineSettings{}.holeArrangement);
}

OutlineSettings Form3::readSettings() const {
  // An option group with no button checked reads as no choice.
  OutlineSettings s;
  s.corner = CornerTreatment::kNone;
  s.boardType = BoardType::kNone;
  for (const OutlineControl& control : OutlineControls()) {
    const std::string_view name = control.name;
    QWidget* widget = findChild<QWidget*>(QString::fromLatin1(name.data(), name.size()));
    switch (control.kind) {
      case OutlineControlKind::kNumber:
        if (auto* box = qobject_cast<QLineEdit*>(widget)) SetOutlineNumber(s, name, Number(box));
        break;
      case OutlineControlKind::kText:
        if (auto* box = qobject_cast<QLineEdit*>(widget)) SetOutlineText(s, name, T(box->text()));
        break;
      case OutlineControlKind::kCheck:
        if (auto* box = qobject_cast<QCheckBox*>(widget))
          SetOutlineCheck(s, name, box->isChecked());
        break;
      case OutlineControlKind::kList:
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
          SetOutlineListPosition(s, name, list->currentIndex());
        }
        break;
      case OutlineControlKind::kCorner:
        if (auto* option = qobject_cast<QRadioButton*>(widget); option && option->isChecked()) {
          s.corner = CornerOfOption(name);
        }
        break;
      case OutlineControlKind::kBoardType:
        if (auto* option = qobject_cast<QRadioButton*>(widget); option && option->isChecked()) {
          s.boardType = BoardTypeOfOption(name);
        }
        break;
    }
  }
  return s;
}

template <typename Change>
void Form3::changeTogether(Change&& change) {
  // Many boxes, one drawing: the redraw waits until the last box is set.
  {
    const QScopedValueRollback held(redrawHeld_, true);
    change();
  }
  refreshDrawing();
}

void Form3::showSettings(const OutlineSettings& s) {
  changeTogether([&] { setSettingBoxes(s); });
}

void Form3::setSettingBoxes(const OutlineSettings& s) {
  for (const OutlineControl& control : OutlineControls()) {
    if (!control.isSetting) continue;
    const std::string_view name = control.name;
    QWidget* widget = findChild<QWidget*>(QString::fromLatin1(name.data(), name.size()));
    if (!widget) continue;
    switch (control.kind) {
      case OutlineControlKind::kNumber:
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
          box->setText(Q(OutlineNumberText(OutlineNumber(s, name))));
        }
        break;
      case OutlineControlKind::kText:
        if (auto* box = qobject_cast<QLineEdit*>(widget)) box->setText(Q(OutlineText(s, name)));
        break;
      case OutlineControlKind::kCheck:
        if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setChecked(OutlineCheck(s, name));
        break;
      case OutlineControlKind::kList:
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
          list->setCurrentIndex(OutlineListPosition(s, name));
        }
        break;
      case OutlineControlKind::kCorner:
      case OutlineControlKind::kBoardType:
        if (auto* option = qobject_cast<QRadioButton*>(widget)) {
          const bool chosen = control.kind == OutlineControlKind::kCorner
                                  ? CornerOfOption(name) == s.corner
                                  : BoardTypeOfOption(name) == s.boardType;
          // A group with no choice has every button cleared, which an exclusive group
          // would not allow.
          option->setAutoExclusive(false);
          option->setChecked(chosen);
          option->setAutoExclusive(true);
        }
        break;
    }
  }
}

void Form3::command3Click() {
  const auto path = dialogs_.openFile(this, kSettingsFilter);
  if (!path) return;
  const FileReadResult read = ReadWholeFile(FileSystemPath(*path));
  if (!read.ok()) {
    dialogs_.warn(this, kCaption,
                  QStringLiteral("設定ファイルを読み込めませんでした。\n%1\n%2")
                      .arg(*path, QString::fromStdString(read.reason)));
    return;
  }
  OutlineSettings settings;
  try {
    settings = ReadOutlineSettingsFile(path->toStdString(), read.bytes);
  } catch (const OutlineSettingsError& e) {
    dialogs_.warn(this, kCaption,
                  QStringLiteral("設定ファイルを読み込めませんでした。設定は変更していません。\n%1")
                      .arg(QString::fromStdString(e.message)));
    return;
  }
  showSettings(settings);
  showStatus(QStringLiteral("設定ファイルを読み込みました: %1").arg(*path));
}

QString Form3::proposedName(const QString& extension) const {
  return boardName_.isEmpty() ? QString() : boardName_ + extension;
}

void Form3::showStatus(const QString& message) {
  // A setting that gives less than it seems is said first, whatever was done.
  const Text warning = OutlineSettingsWarning(readSettings());
  StatusBar->showMessage(warning.empty() ? message : Q(warning) + QStringLiteral("。") + message);
}

std::optional<OutlineSettingProblem> Form3::boxProblem() const {
  return FindOutlineBoxProblem([this](std::string_view name) {
    const auto* box = findChild<QLineEdit*>(QString::fromLatin1(name.data(), name.size()));
    return box ? T(box->text()) : Text();
  });
}

bool Form3::refuseBadBoxes() {
  // A line break would split a record, a size past any board would leave a file no
  // reader draws, and a box that holds no number would silently be 0: the box is named
  // by its label, and nothing is written.
  const auto problem = boxProblem();
  if (!problem) return false;
  dialogs_.warn(
      this, kCaption,
      QStringLiteral("%1\nファイルは書き込んでいません。直してから、もう一度押してください。")
          .arg(Q(OutlineProblemMessage(*problem))));
  return true;
}

void Form3::command4Click() {
  if (refuseBadBoxes()) return;
  const auto path = dialogs_.saveFile(this, kSettingsFilter, proposedName(QStringLiteral(".json")));
  if (!path) return;
  const FileWriteResult written =
      WriteFileAtomic(FileSystemPath(*path), OutlineSettingsFileText(readSettings()));
  if (!written.ok()) {
    dialogs_.warn(this, kCaption,
                  QStringLiteral("設定ファイルを書き込めませんでした。\n%1\n%2")
                      .arg(*path, QString::fromStdString(written.reason)));
    return;
  }
  showStatus(QStringLiteral("設定ファイルを保存しました: %1").arg(*path));
}

void Form3::setFrameChecks(bool checked) {
  changeTogether([&] {
    for (QCheckBox* box : Frame2->findChildren<QCheckBox*>()) box->setChecked(checked);
  });
}

void Form3::setFilmChecks(bool checked) {
  changeTogether([&] {
    for (QCheckBox* box : filmChecks) box->setChecked(checked);
  });
}

void Form3::applyBoardType(BoardType type) {
  const FilmTitles preset = BoardTypePreset(type);
  changeTogether([&] {
    for (int i = 0; i < kFilmTitleCount; ++i) filmChecks[i]->setChecked(preset[i]);
  });
}

void Form3::command1Click() {
  if (refuseBadBoxes()) return;
  const OutlineSettings settings = readSettings();
  DblDocument doc;
  {
    BusyCursor busy;
    doc = GenerateDbl(settings);
  }

  const auto path = dialogs_.saveFile(this, QStringLiteral("DBLDATA(*.dbl)|*.dbl"),
                                      proposedName(QStringLiteral(".dbl")));
  if (!path) return;
  const DblSaveResult result = doc.save(FileSystemPath(*path));
  switch (result.status) {
    case DblSaveResult::Status::kSaved:
      showStatus(QStringLiteral("ＤＢＬファイルを保存しました: %1").arg(*path));
      break;
    case DblSaveResult::Status::kUnmappable:
      dialogs_.warn(this, kCaption,
                    QStringLiteral("次の文字はファイルの文字コード（Shift_JIS）で書けないため、"
                                   "ファイルを書き込みませんでした。\n%1\n"
                                   "文字を直してから出力してください。")
                        .arg(Q(result.unmappable)));
      break;
    case DblSaveResult::Status::kWriteFailed:
      dialogs_.warn(this, kCaption,
                    QStringLiteral("ファイルを書き込めませんでした。\n%1\n%2")
                        .arg(*path, QString::fromStdString(result.reason)));
      break;
  }
}

void Form3::dxfClick() {
  if (refuseBadBoxes()) return;
  DblReadResult drawing;
  {
    BusyCursor busy;
    drawing = ReadDbl(GenerateDbl(readSettings()).text());
  }
  if (!drawing.ok()) {
    dialogs_.warn(
        this, kCaption,
        QStringLiteral("今の設定の図を描けないため、ＤＸＦファイルは書き込みませんでした。\n%1")
            .arg(Q(DblReadErrorMessage(*drawing.error))));
    return;
  }
  const auto path = dialogs_.saveFile(this, QStringLiteral("DXF(*.dxf)|*.dxf"),
                                      proposedName(QStringLiteral(".dxf")));
  if (!path) return;
  const FileWriteResult written = WriteFileAtomic(
      FileSystemPath(*path), DblDxfDocument(drawing.drawing, Preview->hiddenLayers()));
  if (!written.ok()) {
    dialogs_.warn(this, kCaption,
                  QStringLiteral("ファイルを書き込めませんでした。\n%1\n%2")
                      .arg(*path, QString::fromStdString(written.reason)));
    return;
  }
  showStatus(QStringLiteral("ＤＸＦファイルを保存しました: %1").arg(*path));
}

void Form3::command2Click() { hide(); }

void Form3::followSettings() {
  // Any change of a setting redraws; generating and reading take well under a
  // millisecond.
  for (auto* box : findChildren<QLineEdit*>()) {
    connect(box, &QLineEdit::textChanged, this, Guarded(this, dialogs_, &Form3::refreshDrawing));
  }
  for (auto* box : findChildren<QAbstractButton*>()) {
    if (!box->isCheckable()) continue;
    // A choice among options turns one off and one on; the one turned on redraws, once
    // both are set.
    const bool option = box->autoExclusive();
    connect(box, &QAbstractButton::toggled, this, [this, option](bool on) {
      if (on || !option) RunGuarded(dialogs_, this, [this] { refreshDrawing(); });
    });
  }
  for (auto* list : findChildren<QComboBox*>()) {
    connect(list, &QComboBox::currentIndexChanged, this,
            Guarded(this, dialogs_, &Form3::refreshDrawing));
  }
  refreshDrawing();
}

void Form3::refreshDrawing() {
  if (redrawHeld_) return;
  // The record text and the drawing both show the file the settings give now, so
  // what is read is what is drawn and what ＤＢＬファイル出力 writes.
  const OutlineSettings settings = readSettings();
  const DblDocument doc = GenerateDbl(settings);
  QString shown = Q(doc.text());
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (shown != RichTextBox1->toPlainText()) {
    // Where the reader was in the text stays in view.
    QScrollBar* bar = RichTextBox1->verticalScrollBar();
    const int line = bar->value();
    RichTextBox1->setPlainText(shown);
    bar->setValue(line);
  }
  // A box that holds no number, or no size yet, gives a drawing that says nothing of
  // the board; a short hint says what to type instead.
  const auto problem = boxProblem();
  const Text hint = problem ? OutlineProblemMessage(*problem) : OutlineDrawingHint(settings);
  if (hint.empty()) {
    Preview->showDbl(doc.text());
  } else {
    Preview->showHint(Q(hint));
  }
}

}  // namespace pcbprep
