#include <gtest/gtest.h>

#include "design/AppInfo.h"

namespace pcbprep {
namespace {

TEST(AppInfo, VersionTextsArePlainDecimal) {
  EXPECT_EQ(VersionLabel(2, 5, 12), u"ﾊﾞｰｼﾞｮﾝ 2.5.12");
  EXPECT_EQ(VersionLabel(1, 0, 0), u"ﾊﾞｰｼﾞｮﾝ 1.0.0");
  EXPECT_EQ(VersionDialogCaption(u"pcbprep"), u"pcbprepのﾊﾞｰｼﾞｮﾝ情報");
}

}  // namespace
}  // namespace pcbprep
