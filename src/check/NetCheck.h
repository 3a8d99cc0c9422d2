#pragma once

#include "design/Design.h"

namespace pcbprep {

// The report of the extended net check and the number of findings of each kind.
struct NetCheckResult {
  Text reportText;  // lines end with CR LF
  int openCount = 0;
  int shortCount = 0;
  int duplicateCount = 0;
  int isolatedCount = 0;
};

// Lists the logical errors of the loaded nets: parts with a single pin in the whole
// netlist (test points excepted), two pins of a two-terminal part on one net, pin
// tokens that occur twice, and nets with a single pin. Reads the net tables only.
NetCheckResult RunExtendedNetCheck(const Design& design);

}  // namespace pcbprep
