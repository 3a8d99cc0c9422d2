#pragma once

#include <cstdint>

#include "design/Grid.h"
#include "design/Text.h"

namespace pcbprep {

inline constexpr int kMaxNets = 1000;    // net rows 1 .. 1000
inline constexpr int kNetColumns = 401;  // columns 0 .. 400, pins in 2 .. 400
inline constexpr int kMaxPinsPerNet = 399;
inline constexpr int kMaxParts = 1000;   // part rows 1 .. 1000
inline constexpr int kPartColumns = 11;  // columns 0 .. 10

// Columns of PartTable.
enum PartColumn : int {
  kPartRef = 0,
  kPartSymbol = 1,
  kPartX = 2,
  kPartY = 3,
  kPartSide = 5,
  kPartClass = 6,
  kPartMain = 7,
  kPartGroup = 8,
  kPartLevel = 10,
};

// All design data of a run. Every cell is text, "" meaning unset; rows count from 1.
struct Design {
  Grid NetTable{kMaxNets + 1, kNetColumns};
  Grid PinPartTable{kMaxNets + 1, kNetColumns};
  Grid PinNoTable{kMaxNets + 1, kNetColumns};
  std::int16_t NetCount = 0;

  Grid PartTable{kMaxParts + 1, kPartColumns};
  std::int16_t PartCount = 0;

  std::int16_t BoardSizeX = 0;
  std::int16_t BoardSizeY = 0;

  Text NetFilePath;

  // Pin count of net row n: the numeric value of NetTable(n, 1), limited to what the
  // table can hold so a foreign table cannot send a loop past column 400.
  int pinCount(int net) const;

  // Empties PartTable rows 0 .. 1000 and sets PartCount to 0.
  void clearParts();
};

// The leading run of non-digit characters of a reference ("IC12" -> "IC").
Text ReferencePrefix(TextView reference);

// Shown texts of the coded side and class cells.
inline constexpr char16_t kSideFront[] = u"表(0)";
inline constexpr char16_t kSideBack[] = u"裏(1)";
inline constexpr char16_t kClassSub[] = u"従(0)";
inline constexpr char16_t kClassSemi[] = u"準(1)";
inline constexpr char16_t kClassMain[] = u"主(2)";

}  // namespace pcbprep
