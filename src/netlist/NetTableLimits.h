#pragma once

#include "design/Design.h"

namespace pcbprep {

enum class LoadFailure {
  None,
  Unreadable,          // the file could not be opened or read
  TooManyLineSlots,    // more line slots than the capacity has, in the capacity pass
  TooManyNets,         // a net row beyond the capacity needed
  TooManyPins,         // a pin column beyond the capacity needed
  TokenWithoutHyphen,  // an opening or closing pin token without "-"
  Utf16,               // the file starts with a UTF-16 byte-order mark
  PartsDoNotFit,       // the parts loaded before are more than the capacity chosen holds
  Syntax,              // a file of another format that breaks its grammar
  NotText,             // NUL bytes or many unreadable bytes at the start: a binary file
  NoNets,              // the file gave no net at all: most likely not a netlist
};

// What a file stopped at a limit needs of the tables; 0 or empty where not known.
struct LimitNeeds {
  long long lineSlots = 0;     // line slots the whole file needs
  bool lineSlotsOver = false;  // the count stopped past lineSlots, those of the large tables
  int nets = 0;                // nets of the file
  Text net;                    // the first net with more pins than a net may have
  int pins = 0;                // its pins
  int parts = 0;               // parts of the design (PartsDoNotFit)
  bool fitsLarge = false;      // the file loads in the large capacity
};

// The limits of the net tables as a netlist reader meets them. Every reader checks
// them through this class and words them through LimitReason, so a file is refused at
// the same point with the same reason whatever its format.
class NetTableLimits {
 public:
  explicit NetTableLimits(const Capacity& capacity) : capacity_(capacity) {}
  const Capacity& capacity() const { return capacity_; }

  // Capacity pass: an empty line takes no slot, a line opening a net two, any other
  // line one.
  static int LineSlots(TextView line);
  // Before a line is read the next slot must exist, even for an empty line.
  bool slotFree(long long used) const { return used + 1 <= capacity_.lineSlots; }
  // Whether a line fits after `used` slots.
  bool lineFits(long long used, TextView line) const {
    return used + LineSlots(line) <= capacity_.lineSlots;
  }

  // Parse pass, before each line: the row and the column it may write must exist.
  LoadFailure beforeLine(int row, int column) const {
    if (row > capacity_.nets) return LoadFailure::TooManyNets;
    if (column > capacity_.pinsPerNet + 1) return LoadFailure::TooManyPins;
    return LoadFailure::None;
  }

  // "OK", or "OVR" when the pins exceed the line slots.
  Text pinTotalStatus(long long totalPins) const;

 private:
  Capacity capacity_;
};

// The reason of a failure in the words of the messages, with the capacity's numbers.
Text LimitReason(LoadFailure failure, const Capacity& capacity);
// What the file needs, as a line of the message; empty when nothing is known.
Text LimitNeedsLine(LoadFailure failure, const LimitNeeds& needs);

}  // namespace pcbprep
