#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolTip>

#include "GuiTestSupport.h"
#include "app/Form2.h"
#include "app/UiSupport.h"
#include "design/TestDesign.h"

namespace pcbprep::testing {
namespace {

struct Cells {
  Text main, level, group, x, y;
};

class PlacementFlow : public MainFormFixture {
 protected:
  // U1 - A - R1 - B - R2, CN1 - C - C1, the capacitor C2 only on VCC and GND, and R101
  // on no net at all.
  void fillDesign() {
    Design& d = form->design();
    AddPart(d, u"U1", {.partClass = kClassMain});
    AddPart(d, u"CN1", {.partClass = kClassSemi});
    AddPart(d, u"R1", {.partClass = kClassSub});
    AddPart(d, u"R2", {.partClass = kClassSub});
    AddPart(d, u"C1", {.partClass = kClassSub});
    AddPart(d, u"C2", {.partClass = kClassSub});
    AddPart(d, u"R101", {.partClass = kClassSub});
    AddNet(d, u"A", {u"U1-1", u"R1-1"});
    AddNet(d, u"B", {u"R1-2", u"R2-1"});
    AddNet(d, u"C", {u"CN1-1", u"C1-1"});
    AddNet(d, u"VCC", {u"U1-14", u"C2-1"});
    AddNet(d, u"GND", {u"U1-7", u"C2-2"});
  }

  Cells cells(const Text& reference) {
    const Design& d = form->design();
    const int row = FindPart(d, reference);
    EXPECT_GT(row, 0) << ToUtf8(reference);
    return {d.PartTable.at(row, kPartMain), d.PartTable.at(row, kPartLevel),
            d.PartTable.at(row, kPartGroup), d.PartTable.at(row, kPartX),
            d.PartTable.at(row, kPartY)};
  }

  // The list shows every part's current line.
  void expectListShowsTable() {
    auto* list = find<QListWidget>("List1");
    Design& d = form->design();
    ASSERT_EQ(list->count(), d.PartCount);
    for (int i = 0; i < list->count(); ++i) {
      EXPECT_EQ(list->item(i)->text(), Q(PartListLine(d, i + 1))) << i;
    }
  }

  void click(const char* name) { find<QPushButton>(name)->click(); }
};

TEST_F(PlacementFlow, MainPartsGroupsAndCoordinatesShowInThePartList) {
  fillDesign();
  click("Command6");
  EXPECT_EQ(cells(u"U1").main, u"*U1");
  EXPECT_EQ(cells(u"R2").main, u"U1");
  EXPECT_EQ(cells(u"R2").level, u"2");
  EXPECT_EQ(cells(u"C1").main, u"CN1");
  EXPECT_EQ(cells(u"C1").level, u"1");
  EXPECT_EQ(cells(u"C2").main, u"");  // VCC and GND are in the boxes at start
  EXPECT_EQ(find<QLineEdit>("Text10")->text(), QStringLiteral("7"));
  expectListShowsTable();

  find<QComboBox>("Combo10")->setCurrentIndex(3);
  click("Command12");
  EXPECT_EQ(cells(u"R2").group, u"2");
  EXPECT_EQ(cells(u"R101").group, u"1");
  expectListShowsTable();

  click("Command5_0");
  const std::pair<Text, std::pair<Text, Text>> byMainPart[] = {
      {u"U1", {u"-25", u"0"}},   {u"CN1", {u"-25", u"-25"}}, {u"R1", {u"-25", u"10"}},
      {u"R2", {u"-22", u"10"}},  {u"C1", {u"-25", u"-35"}},  {u"C2", {u"10", u"-20"}},
      {u"R101", {u"15", u"-20"}}};
  for (const auto& [reference, place] : byMainPart) {
    EXPECT_EQ(cells(reference).x, place.first) << ToUtf8(reference);
    EXPECT_EQ(cells(reference).y, place.second) << ToUtf8(reference);
  }
  expectListShowsTable();

  find<QRadioButton>("Option2")->setChecked(true);
  click("Command5_1");
  EXPECT_EQ(cells(u"R2").x, u"-50");  // the second group's column
  EXPECT_EQ(cells(u"C2").y, u"2");
  EXPECT_EQ(cells(u"R101").y, u"8");
  expectListShowsTable();

  find<QComboBox>("Combo10")->setCurrentIndex(5);
  dialogs.confirmAnswers.push_back(true);
  click("Command12");
  ASSERT_EQ(dialogs.count(QStringLiteral("confirm")), 1);
  EXPECT_EQ(dialogs.calls.back().title, QStringLiteral("グループ情報を初期化します"));
  EXPECT_EQ(dialogs.calls.back().text,
            QStringLiteral("全てのグループ情報が消去されますがよろしいですか？"));
  EXPECT_EQ(cells(u"R2").group, u"");
  expectListShowsTable();
  EXPECT_EQ(dialogs.count(QStringLiteral("warn")), 0);
}

TEST_F(PlacementFlow, MainPartsFollowTheSkipBoxesAsTheyReadAtTheClick) {
  fillDesign();
  find<QLineEdit>("txtSkipNet_0")->setText(QStringLiteral("A"));
  find<QLineEdit>("txtSkipNet_9")->setText(QString());
  click("Command6");
  EXPECT_EQ(cells(u"R1").main, u"");
  EXPECT_EQ(cells(u"C2").main, u"U1");  // GND is followed now
}

TEST_F(PlacementFlow, ClearingMainPartsAsksOnlyWhenTheListShowsParts) {
  fillDesign();
  Design& d = form->design();
  d.PartTable.set(3, kPartMain, u"U1");
  click("Command15");  // the list is still empty
  EXPECT_EQ(dialogs.count(QStringLiteral("confirm")), 0);
  EXPECT_EQ(cells(u"R1").main, u"");

  click("Command6");
  click("Command15");  // Cancel, the default
  ASSERT_EQ(dialogs.count(QStringLiteral("confirm")), 1);
  EXPECT_EQ(dialogs.calls.back().title, QStringLiteral("主部品名の設定を初期化します"));
  EXPECT_EQ(dialogs.calls.back().text,
            QStringLiteral("全ての主部品名情報が消去されますがよろしいですか？"));
  EXPECT_EQ(cells(u"R1").main, u"U1");

  dialogs.confirmAnswers.push_back(true);
  click("Command15");
  EXPECT_EQ(cells(u"R1").main, u"");
  EXPECT_EQ(cells(u"U1").level, u"");
  expectListShowsTable();  // rebuilt after clearing
}

TEST_F(PlacementFlow, GroupingMethodsWithoutAnEffectLeaveEverythingAlone) {
  fillDesign();
  click("Command6");
  const QString line = find<QListWidget>("List1")->item(6)->text();
  for (const int method : {0, 1, 2, 4}) {
    find<QComboBox>("Combo10")->setCurrentIndex(method);
    click("Command12");
    EXPECT_EQ(cells(u"R101").group, u"") << method;
  }
  find<QComboBox>("Combo10")->setCurrentIndex(5);
  click("Command12");  // Cancel
  EXPECT_EQ(dialogs.count(QStringLiteral("confirm")), 1);
  EXPECT_EQ(find<QListWidget>("List1")->item(6)->text(), line);
}

TEST_F(PlacementFlow, ACoordinateOutsideSixteenBitsIsReportedAndNothingIsWritten) {
  fillDesign();
  click("Command6");
  Design& d = form->design();
  d.PartTable.set(7, kPartX, u"-300");
  d.PartTable.set(7, kPartY, u"32760");
  click("Command5_1");
  ASSERT_EQ(dialogs.count(QStringLiteral("warn")), 1);
  EXPECT_TRUE(dialogs.calls.back().text.contains(QStringLiteral("R101")));
  EXPECT_EQ(cells(u"U1").x, u"");
  EXPECT_EQ(cells(u"R101").y, u"32760");
  expectListShowsTable();
}

// The view shows everything drawn with a margin around it.
bool ShowsAllWithAMargin(PlacementPicture* picture) {
  const QRectF seen = picture->mapToScene(picture->viewport()->rect()).boundingRect();
  const QRectF all = picture->pictureBounds();
  const double margin = 0.02 * std::max(all.width(), all.height());
  return seen.contains(all.adjusted(-margin, -margin, margin, margin));
}

QByteArray PictureData(Form2* form2) {
  const QPicture& picture = form2->Picture1->picture();
  return QByteArray(picture.data(), static_cast<qsizetype>(picture.size()));
}

TEST_F(PlacementFlow, PlacementImageShowsTheCurrentTableAtEveryOpening) {
  fillDesign();
  click("Command6");
  click("Command5_0");
  find<QLineEdit>("Text14")->setText(QStringLiteral("120.5"));
  click("Command9");
  EXPECT_EQ(form->design().BoardSizeX, 120);  // halves go to the even neighbour
  EXPECT_EQ(form->design().BoardSizeY, 100);
  QPointer<Form2> first = form->form2();
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->windowTitle(), QStringLiteral("配置分類イメージ"));
  EXPECT_EQ(first->Command1->text(), QStringLiteral("終了"));
  EXPECT_EQ(first->Text1->toPlainText(),
            QStringLiteral(" \n主部品は　（０，０）よりソート順配列\n\n従部品は　主部品との接続順"
                           "に配列\n\nパスコン等　配置未特定部品は　基板下に配置"));
  // It opens showing the whole drawing with a margin.
  EXPECT_TRUE(ShowsAllWithAMargin(first->Picture1));
  const QByteArray drawn = PictureData(first);

  // At any size the legend and the buttons stay inside the window beside the picture,
  // never over it; resizing moves nothing drawn.
  for (const QSize size : {first->size(), QSize(300, 200)}) {
    first->resize(size);
    QCoreApplication::processEvents();
    EXPECT_EQ(PictureData(first), drawn);
    for (QWidget* w : std::initializer_list<QWidget*>{first->Text1, first->Command1,
                                                      first->Command2, first->Command3}) {
      EXPECT_TRUE(first->rect().contains(w->geometry())) << w->objectName().toStdString();
      EXPECT_FALSE(w->geometry().intersects(first->Picture1->geometry()))
          << w->objectName().toStdString();
    }
  }
  first->Picture1->zoomBy(2, QPoint(10, 10));
  const double zoomed = first->Picture1->zoom();

  // After 終了, new coordinates and the button again: the same window at its place and
  // size, showing the new positions.
  first->move(40, 30);
  first->Command1->click();
  EXPECT_FALSE(first->isVisible());
  const QRect where = first->geometry();
  form->design().PartTable.set(1, kPartX, u"40");
  click("Command9");
  EXPECT_EQ(form->form2(), first.data());
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->geometry(), where);
  EXPECT_NE(PictureData(first), drawn);
  EXPECT_DOUBLE_EQ(first->Picture1->parts().at(0).x, ImageX(40));
  // The same part list drawn again keeps the user's zoom; another board opens at the
  // opening view.
  EXPECT_DOUBLE_EQ(first->Picture1->zoom(), zoomed);
  find<QLineEdit>("Text14")->setText(QStringLiteral("150"));
  click("Command9");
  EXPECT_TRUE(ShowsAllWithAMargin(first->Picture1));

  // Esc hides it as 終了 does.
  QTest::keyClick(first->Picture1, Qt::Key_Escape);
  EXPECT_FALSE(first->isVisible());
  click("Command9");
  EXPECT_TRUE(first->isVisible());

  first->close();
  click("Command9");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(first);
  ASSERT_TRUE(form->form2());
  EXPECT_TRUE(form->form2()->isVisible());
  EXPECT_EQ(form->findChildren<Form2*>().size(), 1);
}

TEST_F(PlacementFlow, PlacementImageZoomsFitsNamesPartsAndSaves) {
  fillDesign();
  click("Command6");
  // One part far outside the opening view.
  form->design().PartTable.set(3, kPartX, u"600");
  form->design().PartTable.set(3, kPartY, u"-300");
  click("Command9");
  Form2* image = form->form2();
  ASSERT_TRUE(image);
  PlacementPicture* picture = image->Picture1;
  const auto inView = [picture](const PlacedPart& p) {
    return picture->viewport()->rect().contains(picture->mapFromScene(QPointF(p.x, p.y)));
  };
  for (const PlacedPart& p : picture->parts()) EXPECT_TRUE(inView(p)) << ToUtf8(p.reference);
  picture->zoomBy(8, QPoint(0, 0));
  EXPECT_FALSE(inView(picture->parts().at(2)));

  // 全体表示 brings every part into view again.
  image->Command2->click();
  for (const PlacedPart& p : picture->parts()) EXPECT_TRUE(inView(p)) << ToUtf8(p.reference);
  EXPECT_TRUE(ShowsAllWithAMargin(picture));

  // Zooming keeps the point under the pointer where it is.
  const QPoint anchor(100, 80);
  const QPointF under = picture->mapToScene(anchor);
  const double before = picture->zoom();
  picture->zoomBy(2, anchor);
  EXPECT_DOUBLE_EQ(picture->zoom(), 2 * before);
  EXPECT_NEAR(picture->mapToScene(anchor).x(), under.x(), 2 / picture->zoom());
  EXPECT_NEAR(picture->mapToScene(anchor).y(), under.y(), 2 / picture->zoom());

  // Pointing at U1 names it.
  const PlacedPart& u1 = picture->parts().at(0);
  const auto at = PartAt(picture->parts(), u1.x + 100, u1.y, 0);
  ASSERT_TRUE(at);
  EXPECT_EQ(*at, 0u);
  EXPECT_EQ(PartTip(u1),
            u"U1\nX= " + u1.xText + u"  Y= " + u1.yText + u"\n区分: 主(2)\n主部品: *U1");

  // 画像保存: the SVG the command line writes, or a PNG; other names are refused.
  QTemporaryDir dir;
  dialogs.fileAnswers = {dir.filePath("a.svg"), dir.filePath("a.png"), dir.filePath("a.bmp")};
  for (int i = 0; i < 3; ++i) image->Command3->click();
  QFile svg(dir.filePath("a.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_EQ(svg.readAll().toStdString(), picture->svg());
  QImage png(dir.filePath("a.png"));
  ASSERT_FALSE(png.isNull());
  EXPECT_GT(png.width(), 1000);
  // A white margin around the drawing.
  bool marginWhite = true;
  bool drawn = false;
  for (int y = 0; y < png.height(); ++y) {
    for (int x = 0; x < png.width(); ++x) {
      const bool edge = x < 16 || y < 16 || x >= png.width() - 16 || y >= png.height() - 16;
      const bool white = png.pixel(x, y) == qRgb(255, 255, 255);
      if (edge) marginWhite &= white;
      drawn |= !white;
    }
  }
  EXPECT_TRUE(marginWhite);
  EXPECT_TRUE(drawn);
  EXPECT_FALSE(QFile::exists(dir.filePath("a.bmp")));
  EXPECT_EQ(dialogs.count(QStringLiteral("warn")), 1);
  // The window says what it saved where.
  EXPECT_EQ(image->StatusBar->currentMessage(), "画像を保存しました: " + dir.filePath("a.png"));

  // A part placed 300 m away still gives a picture, scaled down to a size that can be held.
  form->design().PartTable.set(4, kPartX, u"300000");
  click("Command9");
  dialogs.fileAnswers = {dir.filePath("far.png")};
  image->Command3->click();
  const QImage far(dir.filePath("far.png"));
  ASSERT_FALSE(far.isNull());
  EXPECT_LE(far.width(), 16000);
  EXPECT_EQ(dialogs.count(QStringLiteral("warn")), 1);
}

TEST_F(PlacementFlow, BoardSizesThatCannotBeDrawnAreRefused) {
  for (const auto& [x, y] : {std::pair{"759", "100"}, {"100", "-759"}, {"100", "40000"}}) {
    find<QLineEdit>("Text14")->setText(QString::fromLatin1(x));
    find<QLineEdit>("Text15")->setText(QString::fromLatin1(y));
    click("Command9");
    EXPECT_EQ(form->form2(), nullptr) << x << " " << y;
  }
  EXPECT_EQ(dialogs.count(QStringLiteral("warn")), 3);
  EXPECT_EQ(form->design().BoardSizeX, 0);

  find<QLineEdit>("Text14")->setText(QStringLiteral("758"));
  find<QLineEdit>("Text15")->setText(QStringLiteral("-758"));
  click("Command9");
  ASSERT_TRUE(form->form2());
  form->form2()->Command1->click();
  find<QLineEdit>("Text14")->setText(QStringLiteral("800"));
  click("Command9");
  EXPECT_FALSE(form->form2()->isVisible());  // a hidden window stays hidden
  EXPECT_EQ(form->design().BoardSizeX, 758);
}

}  // namespace
}  // namespace pcbprep::testing
