#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/Form3.h"
#include "app/GuiTestSupport.h"
#include "app/UiSupport.h"
#include "design/CodePage.h"
#include "outline/OutlineGenerator.h"

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

  const struct {
    const char* name;
    const char16_t* caption;
    Qt::CheckState state;
  } checks[] = {
      {"Check1", u"部品面", Qt::Checked},
      {"Check2", u"Ｌ２", Qt::Checked},
      {"Check3", u"Ｌ３", Qt::Checked},
      {"Check4", u"Ｌ４", Qt::Unchecked},
      {"Check5", u"Ｌ５", Qt::Unchecked},
      {"Check6", u"半田面", Qt::Checked},
      {"Check7", u"Ｒ１", Qt::Checked},
      {"Check8", u"Ｒ２", Qt::Checked},
      {"Check9", u"Ｓ１", Qt::Checked},
      {"Check10", u"Ｓ２", Qt::Unchecked},
      {"Check11", u"Ｍ１", Qt::Unchecked},
      {"Check12", u"Ｍ２", Qt::Unchecked},
      {"Check13", u"実装図１", Qt::Checked},
      {"Check14", u"実装図２", Qt::Unchecked},
      {"Check15", u"レジスト枠", Qt::Checked},
      {"Check16", u"メタルマスク　　　　コーナーマーク", Qt::Checked},
      {"Check17", u"外形線", Qt::Checked},
      {"Check18", u"配線エリア", Qt::Checked},
      {"Check19", u"取付穴寸法線", Qt::Checked},
      {"Check20", u"コーナーマーク", Qt::Checked},
      {"Check21", u"寸法線", Qt::Checked},
      {"Check22", u"ＧＮＤベタ層（ネガ）", Qt::Checked},
      {"Check23", u"取付穴データ発生", Qt::Checked},
      {"Check24", u"配置補助線", Qt::Checked},
      {"Check25", u"TP　ネット名", Qt::PartiallyChecked},
      {"Check26", u"外層ベタ  SAMPLE ", Qt::Checked},
      {"Check27", u"ﾒﾀﾙﾏｽｸ追加文字", Qt::Unchecked},
      {"Check28", u"基板名", Qt::Checked},
      {"Check29", u"サブタイトル", Qt::Unchecked},
      {"Check30", u"コメント他", Qt::Unchecked},
      {"Check31", u"フィルム番号", Qt::Checked},
  };
  for (const auto& c : checks) {
    auto* box = in<QCheckBox>(f, QLatin1String(c.name));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), Q(c.caption)) << c.name;
    EXPECT_EQ(box->checkState(), c.state) << c.name;
  }

  const struct {
    const char* name;
    const char16_t* caption;
    bool selected;
  } options[] = {
      {"Option6", u"直角", true},     {"Option5", u"Ｃカット", false},
      {"Option4", u"Ｒ処理", false},  {"Option1", u"両面基板", false},
      {"Option2", u"４層基板", true}, {"Option3", u"６層基板", false},
  };
  for (const auto& o : options) {
    auto* option = in<QRadioButton>(f, QLatin1String(o.name));
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->text(), Q(o.caption)) << o.name;
    EXPECT_EQ(option->isChecked(), o.selected) << o.name;
  }

  const struct {
    const char* name;
    const char16_t* text;
  } fields[] = {
      {"Text4", u""},     {"Text5", u""},     {"Text13", u"5.0"}, {"Text23", u"2.0"},
      {"Text6", u"0.4"},  {"Text1", u""},     {"Text15", u""},    {"Text8", u""},
      {"Text9", u"2.0"},  {"Text10", u"0.3"}, {"Text16", u""},    {"Text18", u"2.0"},
      {"Text19", u"0.3"}, {"Text17", u""},    {"Text20", u"1.5"}, {"Text21", u"0.3"},
  };
  for (const auto& t : fields) {
    auto* box = in<QLineEdit>(f, QLatin1String(t.name));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), Q(t.text)) << t.name;
  }

  const struct {
    const char* name;
    const char16_t* caption;
  } captions[] = {
      {"Frame3", u"外形データ"}, {"Frame2", u"枠データ"},   {"Frame1", u"テキスト"},
      {"Frame4", u"初期値"},     {"Frame5", u"シルク文字"}, {"Frame6", u"コーナー処理"},
  };
  for (const auto& c : captions) {
    auto* frame = in<QGroupBox>(f, QLatin1String(c.name));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), Q(c.caption)) << c.name;
  }
  const struct {
    const char* name;
    const char16_t* caption;
  } buttons[] = {
      {"Command1", u"ＤＢＬファイル出力"},
      {"Command2", u"終了"},
      {"Command3", u"設定呼込"},
      {"Command4", u"設定記録"},
      {"Command5", u"セット"},
      {"Command6", u"クリア"},
      {"Command7", u"セット"},
      {"Command8", u"クリア"},
  };
  for (const auto& b : buttons) {
    auto* button = in<QPushButton>(f, QLatin1String(b.name));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), Q(b.caption)) << b.name;
  }

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
}

}  // namespace
}  // namespace pcbprep::testing
