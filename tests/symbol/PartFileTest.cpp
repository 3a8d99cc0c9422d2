#include <gtest/gtest.h>

#include "symbol/PartFile.h"

namespace pcbprep {
namespace {

TEST(PartFileBaseName, LastComponentUpToTheFirstDot) {
  const struct {
    TextView path;
    TextView name;
  } cases[] = {
      {u"C:\\lib\\chip\\R1608.CHI", u"R1608"},
      {u"/home/user/lib/R1608.chi", u"R1608"},
      {u"C:\\lib/mixed\\QFP.44.CHI", u"QFP"},
      {u"D:\\parts.v2\\SOP8", u"SOP8"},  // a dot in a folder name does not count
      {u"C:\\lib\\.CHI", u""},
      {u"TP06", u"TP06"},
      {u"C:\\lib\\", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(PartFileBaseName(c.path), c.name) << ToUtf8(c.path);
}

}  // namespace
}  // namespace pcbprep
