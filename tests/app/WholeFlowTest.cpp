// The whole session on the sample netlist, through the real buttons.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "GuiTestSupport.h"
#include "app/Form2.h"
#include "app/UiSupport.h"

namespace pcbprep::testing {
namespace {

using WholeFlow = MainFormFixture;

int RowOf(const Design& d, const char16_t* reference) {
  for (int i = 1; i <= d.PartCount; ++i) {
    if (d.PartTable.at(i, kPartRef) == reference) return i;
  }
  return 0;
}

TEST_F(WholeFlow, SampleFromNetlistToPlacementImage) {
  openNetlist(ExamplePath("sample.NET"));
  find<QPushButton>("Command7")->click();
  // R8 has both pins on FB, and SPARE holds a single pin.
  EXPECT_EQ(find<QLineEdit>("Text25")->text(), "1");
  EXPECT_EQ(find<QLineEdit>("Text27")->text(), "1");
  EXPECT_TRUE(find<QPlainTextEdit>("Text7")->toPlainText().contains("FB     R8-1     R8-2"));

  find<QPushButton>("Command1")->click();
  const Design& d = form->design();
  EXPECT_EQ(d.PartCount, 31);
  EXPECT_EQ(find<QListWidget>("List1")->count(), 31);
  EXPECT_EQ(find<QLineEdit>("Text10")->text(), "31");
  ASSERT_GT(RowOf(d, u"U1"), 0);
  EXPECT_EQ(d.PartTable.at(RowOf(d, u"C1"), kPartSymbol), u"C1608");
  EXPECT_EQ(d.PartTable.at(RowOf(d, u"U1"), kPartClass), u"2");
  EXPECT_EQ(d.PartTable.at(RowOf(d, u"CN1"), kPartClass), u"1");

  find<QPushButton>("Command6")->click();
  EXPECT_EQ(d.PartTable.at(RowOf(d, u"U1"), kPartMain), u"*U1");
  EXPECT_EQ(d.PartTable.at(RowOf(d, u"U1"), kPartLevel), u"0");
  // R1 shares RESET with U1.
  EXPECT_EQ(d.PartTable.at(RowOf(d, u"R1"), kPartMain), u"U1");
  EXPECT_EQ(d.PartTable.at(RowOf(d, u"R1"), kPartLevel), u"1");
  // C1 only meets VCC and GND, which are ignored.
  EXPECT_EQ(d.PartTable.at(RowOf(d, u"C1"), kPartMain), u"");

  find<QComboBox>("Combo10")->setCurrentIndex(3);
  find<QPushButton>("Command12")->click();
  find<QPushButton>("Command5_1")->click();
  EXPECT_EQ(dialogs.count("warn"), 0);
  for (int i = 1; i <= d.PartCount; ++i) {
    EXPECT_FALSE(d.PartTable.at(i, kPartX).empty()) << i;
    EXPECT_EQ(find<QListWidget>("List1")->item(i - 1)->text(), Q(PartListLine(d, i)));
  }

  find<QPushButton>("Command9")->click();
  auto* image = form->findChild<Form2*>();
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->isVisible());
  EXPECT_EQ(d.BoardSizeX, 100);
  EXPECT_EQ(d.BoardSizeY, 100);
}

}  // namespace
}  // namespace pcbprep::testing
