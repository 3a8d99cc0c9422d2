#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTemporaryDir>

#include "app/Form3.h"
#include "app/GuiTestSupport.h"
#include "app/OutlinePreview.h"
#include "app/PictureView.h"
#include "app/UiSupport.h"
#include "design/CodePage.h"
#include "outline/OutlineControls.h"
#include "outline/OutlineGenerator.h"
#include "outline/OutlineSettingsFile.h"

namespace pcbprep::testing {
namespace {

struct Form3Test : MainFormFixture {
  QTemporaryDir dir;

  Form3* open() {
    QTest::mouseClick(form->Command14, Qt::LeftButton);
    auto* f = form->findChild<Form3*>(QStringLiteral("Form3"));
    EXPECT_NE(f, nullptr);
    EXPECT_TRUE(f && f->isVisible());
    return f;
  }

  // Form3 shares widget names with the main window, so look inside it only.
  template <typename W>
  static W* in(Form3* f, const QString& name) {
    W* widget = f->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
  }

  static QByteArray Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
  }

  // The bytes the core writes for these settings.
  static QByteArray Expected(const OutlineSettings& s) {
    const EncodeResult encoded = EncodeCp932(GenerateDbl(s).text());
    return QByteArray::fromStdString(encoded.bytes + "\r\n");
  }
};

TEST_F(Form3Test, OpensWithItsCaptionsAndDefaults) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->windowTitle(), QStringLiteral("外形作成"));

  // Check1 to Check31: captions, and states as 1 checked, 0 cleared, 2 grayed.
  QStringList captions;
  QString states;
  for (int i = 1; i <= 31; ++i) {
    auto* box = in<QCheckBox>(f, QStringLiteral("Check%1").arg(i));
    ASSERT_NE(box, nullptr);
    captions << box->text();
    states += QString::number(box->checkState() == Qt::PartiallyChecked ? 2 : box->isChecked());
  }
  EXPECT_EQ(
      captions.join(u'|'),
      QStringLiteral("部品面|Ｌ２|Ｌ３|Ｌ４|Ｌ５|半田面|Ｒ１|Ｒ２|Ｓ１|Ｓ２|Ｍ１|Ｍ２|実装図１|"
                     "実装図２|レジスト枠|メタルマスク　　　　コーナーマーク|外形線|"
                     "配線エリア|取付穴寸法線|コーナーマーク|寸法線|ＧＮＤベタ層（ネガ）|"
                     "取付穴データ発生|配置補助線|TP　ネット名|外層ベタ  SAMPLE |"
                     "ﾒﾀﾙﾏｽｸ追加文字|基板名|サブタイトル|コメント他|フィルム番号"));
  EXPECT_EQ(states, QStringLiteral("1110011110001011111111112101001"));

  auto texts = [&](const char* kind, std::initializer_list<const char*> names) {
    QStringList out;
    for (const char* name : names) {
      QObject* w = f->findChild<QObject*>(QLatin1String(name));
      EXPECT_NE(w, nullptr) << name;
      out << (w ? w->property(kind).toString() : QString());
    }
    return out.join(u'|');
  };
  EXPECT_EQ(texts("text", {"Option6", "Option5", "Option4", "Option1", "Option2", "Option3"}),
            QStringLiteral("直角|Ｃカット|Ｒ処理|両面基板|４層基板|６層基板"));
  EXPECT_EQ(texts("checked", {"Option6", "Option5", "Option4", "Option1", "Option2", "Option3"}),
            QStringLiteral("true|false|false|false|true|false"));
  EXPECT_EQ(texts("text",
                  {"Text4", "Text5", "Text13", "Text23", "Text6", "Text1", "Text15", "Text8",
                   "Text9", "Text10", "Text16", "Text18", "Text19", "Text17", "Text20", "Text21"}),
            QStringLiteral("||5.0|2.0|0.4||||2.0|0.3||2.0|0.3||1.5|0.3"));
  EXPECT_EQ(texts("title", {"Frame3", "Frame2", "Frame1", "Frame4", "Frame5", "Frame6"}),
            QStringLiteral("外形データ|枠データ|テキスト|初期値|シルク文字|コーナー処理"));
  EXPECT_EQ(
      texts("text", {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6",
                     "Command7", "Command8"}),
      QStringLiteral("ＤＢＬファイル出力|終了|設定呼込|設定記録|セット|クリア|セット|クリア"));

  auto* combo1 = in<QComboBox>(f, QStringLiteral("Combo1"));
  auto* combo2 = in<QComboBox>(f, QStringLiteral("Combo2"));
  ASSERT_TRUE(combo1 && combo2);
  EXPECT_EQ(combo1->count(), 8);
  EXPECT_EQ(combo1->currentText(), QStringLiteral("穴径　３.５ｍｍ"));
  EXPECT_EQ(combo1->itemText(0), QStringLiteral("穴径　２.０ｍｍ------"));
  EXPECT_EQ(combo1->itemText(7), QStringLiteral("穴径　４.５ｍｍ------"));
  EXPECT_EQ(combo2->count(), 4);
  EXPECT_EQ(combo2->currentText(), QStringLiteral("コーナー４穴"));
  EXPECT_EQ(combo2->itemText(2), QStringLiteral("８　穴---------------"));
}

// The command line sets the window's settings by these names, so each must be a
// widget of the matching kind, and every setting widget must have its name there.
TEST_F(Form3Test, NamedSettingsAreExactlyTheWindowsControls) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  QStringList named;
  for (const OutlineControl& control : OutlineControls()) {
    const QString name = QString::fromLatin1(control.name.data(), control.name.size());
    named << name;
    QObject* widget = f->findChild<QObject*>(name);
    ASSERT_NE(widget, nullptr) << name.toStdString();
    const char* expected = "";
    switch (control.kind) {
      case OutlineControlKind::kNumber:
      case OutlineControlKind::kText:
        expected = "QLineEdit";
        break;
      case OutlineControlKind::kCheck:
        expected = "QCheckBox";
        break;
      case OutlineControlKind::kList:
        expected = "QComboBox";
        break;
      case OutlineControlKind::kCorner:
      case OutlineControlKind::kBoardType:
        expected = "QRadioButton";
        break;
    }
    EXPECT_TRUE(widget->inherits(expected)) << name.toStdString() << " " << expected;
  }
  for (const char* kind : {"QLineEdit", "QCheckBox", "QComboBox", "QRadioButton"}) {
    for (QWidget* widget : f->findChildren<QWidget*>()) {
      // A combo box's own line edit has no name.
      if (widget->inherits(kind) && !widget->objectName().isEmpty()) {
        EXPECT_TRUE(named.contains(widget->objectName())) << widget->objectName().toStdString();
      }
    }
  }
}

TEST_F(Form3Test, BoardTypeOptionsApplyTheirPresetWhenClicked) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  auto states = [&] {
    std::string s;
    for (int i = 1; i <= 14; ++i) {
      s += in<QCheckBox>(f, QStringLiteral("Check%1").arg(i))->isChecked() ? '1' : '0';
    }
    return s;
  };
  // Opening does not apply the preset of the selected option: Ｍ１ starts cleared.
  EXPECT_EQ(states(), "11100111100010");
  const struct {
    const char* option;
    const char* boxes;
  } cases[] = {
      {"Option1", "10000111101010"},
      {"Option3", "11111111101010"},
      {"Option2", "11100111101010"},
  };
  for (const auto& c : cases) {
    // Single boxes changed by hand are overridden by the next click.
    in<QCheckBox>(f, QStringLiteral("Check12"))->setChecked(true);
    QTest::mouseClick(in<QRadioButton>(f, QLatin1String(c.option)), Qt::LeftButton);
    EXPECT_EQ(states(), c.boxes) << c.option;
  }
}

TEST_F(Form3Test, ReadsNumbersByTheirLeadingValue) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral(" 12mm"));
  f->Text5->setText(QStringLiteral("abc"));
  f->Text13->setText(QStringLiteral("5.0mm"));
  f->Text23->clear();
  f->Text6->setText(QStringLiteral("0.3"));
  QTest::mouseClick(f->Option5, Qt::LeftButton);
  const OutlineSettings s = f->readSettings();
  EXPECT_EQ(s.width, 12);
  EXPECT_EQ(s.height, 0);
  EXPECT_EQ(s.holeOffset, 5);
  EXPECT_EQ(s.cornerSize, 0);
  EXPECT_EQ(s.cornerMarkWidth, 0.3);
  EXPECT_EQ(s.corner, CornerTreatment::kChamfered);
  EXPECT_EQ(s.boardType, BoardType::kFourLayer);
}

TEST_F(Form3Test, WritesTheCoreOutputToTheChosenFile) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral("100"));
  f->Text5->setText(QStringLiteral("80"));
  f->Text1->setText(QStringLiteral("ABC-01"));
  f->Text8->setText(QStringLiteral("テスト基板①"));
  const QString path = dir.filePath(QStringLiteral("board"));
  dialogs.fileAnswers.push_back(path);
  QTest::mouseClick(f->Command1, Qt::LeftButton);

  ASSERT_EQ(dialogs.count(QStringLiteral("save")), 1);
  EXPECT_EQ(dialogs.calls[0].filter, QStringLiteral("DBLDATA(*.dbl)|*.dbl"));
  EXPECT_EQ(dialogs.calls[0].preset, QString());
  EXPECT_EQ(dialogs.calls.size(), 1u) << "no message on success";

  // The window's first-opening state is the settings record's default.
  OutlineSettings s;
  s.width = 100;
  s.height = 80;
  s.boardOrderName = u"ABC-01";
  s.boardNameValue = u"テスト基板①";
  const QByteArray bytes = Read(path);
  EXPECT_EQ(bytes, Expected(s));
  EXPECT_TRUE(bytes.endsWith("$END\r\n\r\n"));
  EXPECT_TRUE(bytes.startsWith("$GRAPHIC/\r\nLINE: LE= 23,AP= 1, NA=, X= 0, Y= 0, X=  100, Y= 0/"));
  EXPECT_TRUE(f->RichTextBox1->toPlainText().startsWith(QStringLiteral("$GRAPHIC/\nLINE: ")));
  EXPECT_TRUE(f->RichTextBox1->toPlainText().endsWith(QStringLiteral("$END\n")));
}

TEST_F(Form3Test, DxfOutputLeavesOutTheLayersHiddenInTheLegend) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral("100"));
  f->Text5->setText(QStringLiteral("80"));
  for (const QString& layer :
       {QStringLiteral("25 外形寸法線"), QStringLiteral("26 取付穴寸法線")}) {
    const auto items = f->Preview->lstLayers->findItems(layer, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    items[0]->setCheckState(Qt::Unchecked);
  }
  const QString path = dir.filePath(QStringLiteral("board.dxf"));
  dialogs.fileAnswers.push_back(path);
  QTest::mouseClick(f->cmdDxf, Qt::LeftButton);
  ASSERT_EQ(dialogs.count(QStringLiteral("save")), 1);
  EXPECT_EQ(dialogs.calls[0].filter, QStringLiteral("DXF(*.dxf)|*.dxf"));
  EXPECT_EQ(dialogs.calls.size(), 1u) << "no message on success";
  const QByteArray dxf = Read(path);
  EXPECT_TRUE(dxf.contains("\r\nAC1015\r\n"));
  EXPECT_TRUE(dxf.contains("\r\nL23_OUTLINE\r\n"));
  EXPECT_TRUE(dxf.contains("\r\nL24_MOUNTING_HOLE\r\n"));
  EXPECT_FALSE(dxf.contains("DIMENSION"));
  EXPECT_TRUE(dxf.endsWith("EOF\r\n"));
}

TEST_F(Form3Test, CancellingTheSaveKeepsTheTextAndWritesNothing) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral("50"));
  dialogs.fileAnswers.push_back(std::nullopt);
  QTest::mouseClick(f->Command1, Qt::LeftButton);
  EXPECT_EQ(dialogs.count(QStringLiteral("save")), 1);
  EXPECT_TRUE(f->RichTextBox1->toPlainText().startsWith(QStringLiteral("$GRAPHIC/\n")));
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
  EXPECT_EQ(dialogs.calls.size(), 1u);
}

TEST_F(Form3Test, SaveProblemsAreReportedAndLeaveNoAlteredFile) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  const struct {
    const char16_t* boardName;
    QString path;
    const char16_t* named;  // what the message must name
  } cases[] = {
      {u"한국 board", dir.filePath(QStringLiteral("korean.dbl")), u"한국"},
      {u"board", dir.filePath(QStringLiteral("missing/a.dbl")), u"missing/a.dbl"},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    f->Text8->setText(Q(c.boardName));
    dialogs.fileAnswers.push_back(c.path);
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    ASSERT_EQ(dialogs.count(QStringLiteral("warn")), 1) << c.path.toStdString();
    EXPECT_EQ(dialogs.count(QStringLiteral("inform")), 0);
    EXPECT_TRUE(dialogs.calls.back().text.contains(Q(c.named)))
        << dialogs.calls.back().text.toStdString();
    EXPECT_FALSE(QFile::exists(c.path));
  }
}

// Every button that writes a file refuses such a box, naming it by the label the user
// sees, and writes nothing.
TEST_F(Form3Test, BoxesNoFileCanHoldAreNamedByTheirLabelAndNothingIsWritten) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral("100"));
  f->Text5->setText(QStringLiteral("80"));
  const struct {
    QLineEdit* box;
    QString text;
    const char16_t* named;
  } cases[] = {
      {f->Text8, QStringLiteral("ab\ncd"), u"基板名の文字: 改行は書けません"},
      {f->Text16, QStringLiteral("sub\r"), u"サブタイトルの文字: 改行"},
      {f->Text4, QStringLiteral("1e308"), u"外形寸法 X: 大きすぎます"},
      {f->Text4, QStringLiteral("abc"), u"外形寸法 X: 数値ではありません"},
      {f->Text13, QStringLiteral("5,0"), u"取付穴 外形より: 数値ではありません"},
      {f->Text9, QStringLiteral("x"), u"基板名 文字高: 数値ではありません"},
  };
  for (QPushButton* button : {f->Command1, f->cmdDxf, f->Command4}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(button->objectName().toStdString() + " " + c.text.toStdString());
      const QString kept = c.box->text();
      dialogs.calls.clear();
      c.box->setText(c.text);
      QTest::mouseClick(button, Qt::LeftButton);
      ASSERT_EQ(dialogs.calls.size(), 1u);
      EXPECT_EQ(dialogs.calls[0].kind, QStringLiteral("warn"));
      EXPECT_TRUE(dialogs.calls[0].text.startsWith(Q(c.named)))
          << dialogs.calls[0].text.toStdString();
      EXPECT_FALSE(dialogs.calls[0].text.contains(QRegularExpression(QStringLiteral("Text\\d"))));
      c.box->setText(kept);
    }
  }
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// What an input method types reads as the number it shows.
TEST_F(Form3Test, FullWidthNumbersGiveTheFileOfTheirAsciiForms) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral("１００"));
  f->Text5->setText(QStringLiteral("８０．５"));
  f->Text13->setText(QStringLiteral("＋４ｍｍ"));
  const QString path = dir.filePath(QStringLiteral("wide.dbl"));
  dialogs.fileAnswers.push_back(path);
  QTest::mouseClick(f->Command1, Qt::LeftButton);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  OutlineSettings s;
  s.width = 100;
  s.height = 80.5;
  s.holeOffset = 4;
  EXPECT_EQ(Read(path), Expected(s));
}

// The arrangements that make no holes cannot be chosen, but a settings file holding one
// still loads; the status line says that it makes no holes.
TEST_F(Form3Test, ArrangementsWithoutHolesAreUnavailableAndWarnedOfWhenLoaded) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  const auto* model = qobject_cast<const QStandardItemModel*>(f->Combo2->model());
  ASSERT_NE(model, nullptr);
  for (int i = 0; i < f->Combo2->count(); ++i) {
    EXPECT_EQ(model->item(i)->isEnabled(), i == 0) << i;
    EXPECT_EQ(model->item(i)->toolTip().contains(QStringLiteral("穴も穴の寸法線も出力しません")),
              i != 0);
  }
  const struct {
    int position;
    QString warning;
  } cases[] = {
      {2, QStringLiteral("取付穴の配置「８　穴」は穴を出力しません。")},
      {0, QString()},
  };
  for (const auto& c : cases) {
    const QString settings = dir.filePath(QStringLiteral("s%1.json").arg(c.position));
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        QStringLiteral(R"({"Text4": 100, "Text5": 80, "Combo2": %1})").arg(c.position).toUtf8());
    file.close();
    dialogs.fileAnswers.push_back(settings);
    QTest::mouseClick(f->Command3, Qt::LeftButton);
    EXPECT_EQ(f->Combo2->currentIndex(), c.position);
    EXPECT_EQ(f->StatusBar->currentMessage(),
              c.warning + QStringLiteral("設定ファイルを読み込みました: ") + settings);

    const QString path = dir.filePath(QStringLiteral("b%1.dbl").arg(c.position));
    dialogs.fileAnswers.push_back(path);
    QTest::mouseClick(f->Command1, Qt::LeftButton);
    EXPECT_EQ(f->StatusBar->currentMessage(),
              c.warning + QStringLiteral("ＤＢＬファイルを保存しました: ") + path);
    OutlineSettings s;
    s.width = 100;
    s.height = 80;
    s.holeArrangement = c.position;
    EXPECT_EQ(Read(path), Expected(s));
  }
}

// Each save says so in the same words, the kind of file written in full-width letters.
TEST_F(Form3Test, SavesAreReportedAlikeInTheStatusLine) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral("100"));
  f->Text5->setText(QStringLiteral("80"));
  const struct {
    QPushButton* button;
    const char* name;
    QString status;
  } cases[] = {
      {f->Command1, "a.dbl", QStringLiteral("ＤＢＬファイルを保存しました: ")},
      {f->cmdDxf, "a.dxf", QStringLiteral("ＤＸＦファイルを保存しました: ")},
      {f->Command4, "a.json", QStringLiteral("設定ファイルを保存しました: ")},
      {f->Command3, "a.json", QStringLiteral("設定ファイルを読み込みました: ")},
  };
  for (const auto& c : cases) {
    const QString path = dir.filePath(QLatin1String(c.name));
    dialogs.fileAnswers.push_back(path);
    QTest::mouseClick(c.button, Qt::LeftButton);
    EXPECT_EQ(f->StatusBar->currentMessage(), c.status + path);
  }
}

// No size yet, or a box that is no number: a hint in place of a drawing of holes alone.
TEST_F(Form3Test, TheDrawingWaitsForASizeWithAHintAndTheRecordsFit) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  QApplication::processEvents();
  const struct {
    const char* width;
    const char* height;
    QString hint;  // empty: the drawing shows
  } cases[] = {
      {"", "", QStringLiteral("外形寸法を入力してください")},
      {"100", "0", QStringLiteral("外形寸法を入力してください")},
      {"100", "80", QString()},
      {"abc", "80", QStringLiteral("外形寸法 X: 数値ではありません")},
      {"１００", "８０", QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.width) + "x" + c.height);
    f->Text4->setText(QString::fromUtf8(c.width));
    f->Text5->setText(QString::fromUtf8(c.height));
    EXPECT_EQ(f->Preview->lblHint->isHidden(), c.hint.isEmpty());
    EXPECT_EQ(f->Preview->picOutline->isHidden(), !c.hint.isEmpty());
    if (!c.hint.isEmpty()) {
      EXPECT_EQ(f->Preview->lblHint->text(), c.hint);
    }
  }
  // A record (nearly all are up to 70 characters) shows whole when the window opens.
  QApplication::processEvents();
  EXPECT_GE(f->RichTextBox1->viewport()->width(),
            f->RichTextBox1->fontMetrics().horizontalAdvance(QString(70, u'0')));
}

TEST_F(Form3Test, SettingsSavedAndLoadedGiveTheSameDrawing) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral("120"));
  f->Text5->setText(QStringLiteral("80.5mm"));
  f->Text1->setText(QStringLiteral("基板①"));
  QTest::mouseClick(f->Option4, Qt::LeftButton);
  QTest::mouseClick(f->Option1, Qt::LeftButton);
  f->Check17->setChecked(false);
  f->Combo1->setCurrentIndex(2);
  const OutlineSettings saved = f->readSettings();

  const QString path = dir.filePath(QStringLiteral("board.json"));
  dialogs.fileAnswers.push_back(path);
  QTest::mouseClick(f->Command4, Qt::LeftButton);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].filter, QStringLiteral("外形設定 (*.json)|*.json"));
  const QByteArray file = Read(path);
  EXPECT_EQ(file.toStdString(), OutlineSettingsFileText(saved));
  EXPECT_EQ(Expected(ReadOutlineSettingsFile("board.json", file.toStdString())), Expected(saved));

  // Changed, then loaded: the same drawing, and saved again the same file.
  f->Text4->setText(QStringLiteral("1"));
  QTest::mouseClick(f->Option6, Qt::LeftButton);
  QTest::mouseClick(f->Command8, Qt::LeftButton);
  dialogs.fileAnswers.push_back(path);
  QTest::mouseClick(f->Command3, Qt::LeftButton);
  EXPECT_EQ(f->Text5->text(), QStringLiteral("80.5"));
  EXPECT_TRUE(f->Option4->isChecked() && f->Option1->isChecked());
  EXPECT_EQ(Expected(f->readSettings()), Expected(saved));
  dialogs.fileAnswers.push_back(path);
  QTest::mouseClick(f->Command4, Qt::LeftButton);
  EXPECT_EQ(Read(path), file);

  // A file that cannot be taken names the key and changes nothing.
  const struct {
    const char* text;
    const char* named;
  } bad[] = {
      {R"({"Text4": 5, "Check17": "yes"})", "Check17"},
      {R"({"Text4": 5, "corner": "round"})", "corner"},
      {R"({"Text4": 5,)", "JSON として読めません: 1 行 13 文字目: 途中で終わっています"},
      {"{\n  \"Text1\": \"部品\",\n  \"Text4\" 5\n}",
       "JSON として読めません: 3 行 11 文字目: ここに来るはずのないもの"},
  };
  for (const auto& c : bad) {
    QFile out(dir.filePath(QStringLiteral("bad.json")));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(c.text);
    out.close();
    dialogs.calls.clear();
    dialogs.fileAnswers.push_back(out.fileName());
    QTest::mouseClick(f->Command3, Qt::LeftButton);
    ASSERT_EQ(dialogs.count(QStringLiteral("warn")), 1) << c.text;
    EXPECT_TRUE(dialogs.calls.back().text.contains(QString::fromUtf8(c.named)))
        << dialogs.calls.back().text.toStdString();
    EXPECT_FALSE(dialogs.calls.back().text.contains(QStringLiteral("json.exception")));
    EXPECT_EQ(f->Text4->text(), QStringLiteral("120.0"));
  }

  // No corner chosen leaves every corner button cleared.
  QFile none(dir.filePath(QStringLiteral("none.json")));
  ASSERT_TRUE(none.open(QIODevice::WriteOnly));
  none.write(R"({"corner": "none"})");
  none.close();
  dialogs.fileAnswers.push_back(none.fileName());
  QTest::mouseClick(f->Command3, Qt::LeftButton);
  EXPECT_FALSE(f->Option4->isChecked() || f->Option5->isChecked() || f->Option6->isChecked());
  EXPECT_EQ(f->readSettings().corner, CornerTreatment::kNone);
}

TEST_F(Form3Test, SetAndClearCheckOrClearTheirFrame) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  const QStringList frame{"Check15", "Check20", "Check16", "Check22", "Check26"};
  QStringList films;
  for (int i = 1; i <= 14; ++i) films << QStringLiteral("Check%1").arg(i);
  const struct {
    QPushButton* button;
    const QStringList& boxes;
    bool checked;
  } cases[] = {
      {f->Command6, frame, false},
      {f->Command5, frame, true},
      {f->Command8, films, false},
      {f->Command7, films, true},
  };
  for (const auto& c : cases) {
    QTest::mouseClick(c.button, Qt::LeftButton);
    for (const QString& box : c.boxes) {
      EXPECT_EQ(in<QCheckBox>(f, box)->isChecked(), c.checked)
          << c.button->objectName().toStdString() << " " << box.toStdString();
    }
  }
  EXPECT_TRUE(f->Check17->isChecked());  // another frame's box
}

TEST_F(Form3Test, ClosingHidesAndReopeningKeepsTheSettings) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral("123"));
  f->Check17->setChecked(false);
  QTest::mouseClick(f->Option4, Qt::LeftButton);
  f->Combo1->setCurrentIndex(2);
  QTest::mouseClick(f->Command2, Qt::LeftButton);
  EXPECT_FALSE(f->isVisible());

  EXPECT_EQ(open(), f);
  EXPECT_EQ(f->Text4->text(), QStringLiteral("123"));
  EXPECT_FALSE(f->Check17->isChecked());
  EXPECT_TRUE(f->Option4->isChecked());
  EXPECT_EQ(f->Combo1->currentIndex(), 2);
}

TEST_F(Form3Test, RendersAndResizes) {
  Form3* f = open();
  ASSERT_NE(f, nullptr);
  f->Text4->setText(QStringLiteral("100"));
  f->Text5->setText(QStringLiteral("80"));
  QTest::mouseClick(f->Command1, Qt::LeftButton);  // the save dialog is cancelled
  QApplication::processEvents();
  const QPixmap shot = f->grab();
  EXPECT_FALSE(shot.isNull());
  // Set PCBPREP_SCREENSHOT_DIR to look at the window.
  const QString shots = qEnvironmentVariable("PCBPREP_SCREENSHOT_DIR");
  if (!shots.isEmpty()) shot.save(QDir(shots).filePath(QStringLiteral("form3.png")));

  // The text view takes the extra room.
  const int before = f->RichTextBox1->height();
  f->resize(f->width() + 300, f->height() + 200);
  QApplication::processEvents();
  EXPECT_EQ(f->RichTextBox1->height(), before + 200);

  // The splitter gives the drawing most of the window; the settings then scroll.
  f->Splitter->setSizes({0, f->height()});
  QApplication::processEvents();
  EXPECT_GT(f->Preview->height(), f->height() * 3 / 4);
  EXPECT_TRUE(f->Command1->isVisible());
}

}  // namespace
}  // namespace pcbprep::testing
