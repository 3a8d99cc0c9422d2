#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "GuiTestSupport.h"

namespace pcbprep::testing {
namespace {

using NetCheckWindow = MainFormFixture;

TEST_F(NetCheckWindow, ReportAndCountsOfTheLoadedNetlist) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("check.NET"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("N1[R1-1\r\nR1-2\r\nU1-3]\r\nN2[C1-1]\r\nN3[U1-3\r\nU2-1]\r\n");
  file.close();
  openNetlist(path);

  QTest::mouseClick(find<QPushButton>("Command7"), Qt::LeftButton);

  EXPECT_EQ(find<QPlainTextEdit>("Text7")->toPlainText(),
            QStringLiteral(" [ ２端子部品オープン ]\nN2   C1-1\n\nN3   U2-1\n\n"
                           " [ ２端子部品ショート ]\n\nN1     R1-1     R1-2\n\n"
                           " [ 部品ピン重複 ]\n\nN1  U1-3      N3  U1-3\n\n"
                           " [ 孤立ピン ]\nN2  C1-1\n"));
  EXPECT_EQ(find<QLineEdit>("Text26")->text(), QStringLiteral("2"));
  EXPECT_EQ(find<QLineEdit>("Text25")->text(), QStringLiteral("1"));
  EXPECT_EQ(find<QLineEdit>("Text24")->text(), QStringLiteral("1"));
  EXPECT_EQ(find<QLineEdit>("Text27")->text(), QStringLiteral("1"));

  // A second run replaces the report instead of adding to it.
  const QString first = find<QPlainTextEdit>("Text7")->toPlainText();
  QTest::mouseClick(find<QPushButton>("Command7"), Qt::LeftButton);
  EXPECT_EQ(find<QPlainTextEdit>("Text7")->toPlainText(), first);
}

TEST_F(NetCheckWindow, WithoutNetlistEveryCountIsZero) {
  QTest::mouseClick(find<QPushButton>("Command7"), Qt::LeftButton);
  EXPECT_TRUE(find<QPlainTextEdit>("Text7")->toPlainText().startsWith(
      QStringLiteral(" [ ２端子部品オープン ]     OK\n")));
  for (const char* name : {"Text26", "Text25", "Text24", "Text27"}) {
    EXPECT_EQ(find<QLineEdit>(name)->text(), QStringLiteral("0")) << name;
  }
}

}  // namespace
}  // namespace pcbprep::testing
