#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "outline/DblRecordLines.h"
#include "outline/HoleMarkPlaneSteps.h"

namespace pcbprep {
namespace {

OutlineSettings Board100x80() {
  OutlineSettings s;
  s.width = 100;
  s.height = 80;
  s.holeOffset = 5;
  return s;
}

TEST(MountingHoles, FirstHoleOfTheDefaultSetRecordByRecord) {
  const std::vector<std::string> r = StepRecords(AppendMountingHoles, Board100x80());
  ASSERT_EQ(r.size(), 132u);
  const std::vector<std::string> firstHole(r.begin(), r.begin() + 33);
  const std::vector<std::string> expected = {
      "VIA: AS=  92, NA=, X= 5, Y= 5/",
      "VIA: AS=  77, NA=, X= 5, Y= 8/",
      "VIA: AS=  77, NA=, X= 5, Y= 2/",
      "VIA: AS=  77, NA=, X= 7.5, Y= 6.5/",
      "VIA: AS=  77, NA=, X= 7.5, Y= 3.5/",
      "VIA: AS=  77, NA=, X= 2.5, Y= 6.5/",
      "VIA: AS=  77, NA=, X= 2.5, Y= 3.5/",
      "ARC: LE= 24,AP= 1, NA=, X= 5, Y= 5, RA=   1.75, ST=   0, DT= 360/",
      "ARC: LE= 12,AP= 1, NA=, X= 5, Y= 5, RA=   4.00, ST=   0, DT= 360/",
      "GPLANE: LE= 1,AP=  20, NA=2, TH= 0, XH=  0, XI= 0,XA= 0/",
      "ARC: LE= 1,AP=  20, NA=, X= 5, Y= 5, RA= 4, ST= 0, DT= 360/",
      "ISLAND:/",
      "ARC: LE= 1,AP=  20, NA=, X= 5, Y= 5, RA= 1.5, ST= 0, DT= 360/",
      "EOGPLANE:/",
      "GPLANE: LE= 7,AP=  20, NA=2, TH= 0, XH=  0, XI= 0,XA= 0/",
      "ARC: LE= 7,AP=  20, NA=, X= 5, Y= 5, RA= 4, ST= 0, DT= 360/",
      "ISLAND:/",
      "ARC: LE= 7,AP=  20, NA=, X= 5, Y= 5, RA= 1.5, ST= 0, DT= 360/",
      "EOGPLANE:/",
      "GPLANE: LE= 13,AP=  20, NA=2, TH= 0, XH=  0, XI= 0,XA= 0/",
      "ARC: LE= 13,AP=  20, NA=, X= 5, Y= 5, RA= 4, ST= 0, DT= 360/",
      "EOGPLANE:/",
      "GPLANE: LE= 14,AP=  20, NA=2, TH= 0, XH=  0, XI= 0,XA= 0/",
      "ARC: LE= 14,AP=  20, NA=, X= 5, Y= 5, RA= 4, ST= 0, DT= 360/",
      "EOGPLANE:/",
      "GPLANE: LE= 15,AP=  20, NA=2, TH= 0, XH=  0, XI= 0,XA= 0/",
      "ARC: LE= 15,AP=  20, NA=, X= 5, Y= 5, RA= 4, ST= 0, DT= 360/",
      "EOGPLANE:/",
      "GPLANE: LE= 16,AP=  20, NA=2, TH= 0, XH=  0, XI= 0,XA= 0/",
      "ARC: LE= 16,AP=  20, NA=, X= 5, Y= 5, RA= 4, ST= 0, DT= 360/",
      "EOGPLANE:/",
      "TEXT: LE= 26, AP= 1, NA=, X= 3.8, Y= 4.5, HG=1.2, RO= 0. MX=0, MY=0, JU=1/",
      "CHAR: NU= 3, 3.5/",
  };
  EXPECT_EQ(firstHole, expected);
}

TEST(MountingHoles, HolesGoUpTheLeftEdgeThenUpTheRightEdge) {
  const std::vector<std::string> r = StepRecords(AppendMountingHoles, Board100x80());
  ASSERT_EQ(r.size(), 132u);
  EXPECT_EQ(r[33], "VIA: AS=  92, NA=, X= 5, Y= 75/");
  EXPECT_EQ(r[66], "VIA: AS=  92, NA=, X= 95, Y= 5/");
  EXPECT_EQ(r[99], "VIA: AS=  92, NA=, X= 95, Y= 75/");
  EXPECT_EQ(r[130], "TEXT: LE= 26, AP= 1, NA=, X= 93.8, Y= 74.5, HG=1.2, RO= 0. MX=0, MY=0, JU=1/");
  EXPECT_EQ(r[131], "CHAR: NU= 3, 3.5/");
}

TEST(MountingHoles, EachDiameterUsesItsOwnSet) {
  // Records of the first hole at (5, 5): main via, the ring vias above and upper
  // right, hole and outer circles, plane disc and island, size label.
  const struct {
    int position;
    const char* mainAs;
    const char* ringAs;
    const char* ringAboveY;
    const char* ringUpperRight;
    const char* holeRadius;
    const char* outerRadius;
    const char* discRadius;
    const char* islandRadius;
    const char* labelX;
    const char* label;
  } cases[] = {
      {1, "84", "73", "6.6", "X= 6.4, Y= 5.7", "1.1", "2.2", "2.2", "1", "4", "2.2"},
      {2, "87", "75", "7", "X= 6.7, Y= 6", "1.25", "2.50", "2.5", "1.1", "4", "2.5"},
      {3, "90", "77", "7.8", "X= 7.2, Y= 6.5", "1.5", "3.5", "3.5", "1.3", "4", "3.0"},
      {4, "91", "77", "8", "X= 7.5, Y= 6.5", "1.6", "4.00", "4", "1.5", "3.8", "3.2"},
      {5, "92", "77", "8", "X= 7.5, Y= 6.5", "1.75", "4.00", "4", "1.5", "3.8", "3.5"},
      // The 4.0 mm hole is drawn with the 3.5 mm circle.
      {6, "94", "77", "8", "X= 7.5, Y= 6.5", "1.75", "4.00", "4", "1.5", "3.8", "4.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    OutlineSettings s = Board100x80();
    s.holeDiameter = c.position;
    const std::vector<std::string> r = StepRecords(AppendMountingHoles, s);
    ASSERT_EQ(r.size(), 132u);
    const std::string ring = std::string("VIA: AS=  ") + c.ringAs + ", NA=, ";
    EXPECT_EQ(r[0], std::string("VIA: AS=  ") + c.mainAs + ", NA=, X= 5, Y= 5/");
    EXPECT_EQ(r[1], ring + "X= 5, Y= " + c.ringAboveY + "/");
    EXPECT_EQ(r[3], ring + c.ringUpperRight + "/");
    EXPECT_EQ(r[7], std::string("ARC: LE= 24,AP= 1, NA=, X= 5, Y= 5, RA=   ") + c.holeRadius +
                        ", ST=   0, DT= 360/");
    EXPECT_EQ(r[8], std::string("ARC: LE= 12,AP= 1, NA=, X= 5, Y= 5, RA=   ") + c.outerRadius +
                        ", ST=   0, DT= 360/");
    EXPECT_EQ(r[10], std::string("ARC: LE= 1,AP=  20, NA=, X= 5, Y= 5, RA= ") + c.discRadius +
                         ", ST= 0, DT= 360/");
    EXPECT_EQ(r[12], std::string("ARC: LE= 1,AP=  20, NA=, X= 5, Y= 5, RA= ") + c.islandRadius +
                         ", ST= 0, DT= 360/");
    EXPECT_EQ(r[31], std::string("TEXT: LE= 26, AP= 1, NA=, X= ") + c.labelX +
                         ", Y= 4.5, HG=1.2, RO= 0. MX=0, MY=0, JU=1/");
    EXPECT_EQ(r[32], std::string("CHAR: NU= 3, ") + c.label + "/");
  }
}

TEST(MountingHoles, ListEndsHaveNoHoleSet) {
  for (int position : {0, 7}) {
    OutlineSettings s = Board100x80();
    s.holeDiameter = position;
    EXPECT_TRUE(StepRecords(AppendMountingHoles, s).empty()) << position;
  }
}

}  // namespace
}  // namespace pcbprep
