#pragma once

#include "design/Design.h"

namespace pcbprep {

// The report of the extended net check and the number of findings of each kind.
struct NetCheckResult {
  Text reportText;  // lines end with CR LF
  long long openCount = 0;
  long long shortCount = 0;
  long long duplicateCount = 0;
  long long isolatedCount = 0;
};

// Findings of one kind the report lists for nets past the standard tables; the rest
// are counted in one line. Nets within the standard tables are listed in full.
inline constexpr long long kReportLinesPerKind = 1000;

// Lists the logical errors of the loaded nets: parts with a single pin in the whole
// netlist (test points excepted), two pins of a two-terminal part on one net, pin
// tokens that occur twice, and nets with a single pin. Reads the net tables only. The
// counts are exact; for nets past the standard tables each kind lists at most
// kReportLinesPerKind findings and then says how many more there are.
NetCheckResult RunExtendedNetCheck(const Design& design);

// Whether the loaded nets would fit the standard tables: nets, pins of a net, and line
// slots as a bracket file of them takes (a net one more than its pins).
bool NetsFitStandardTables(const Design& design);

}  // namespace pcbprep
