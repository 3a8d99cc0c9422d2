#pragma once

// The exchange sort of part references written out step by step as the rule states
// it, on whole texts: the yardstick for the fast sort in the tests and the fuzz target.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "design/Numeric.h"
#include "design/Text.h"

namespace pcbprep {

inline std::vector<Text> ExchangeSortAsStated(std::vector<Text> refs) {
  auto leading = [](const Text& text, std::size_t n) { return text.substr(0, n); };
  for (std::size_t i = 0; i + 1 < refs.size(); ++i) {
    for (std::size_t j = i + 1; j < refs.size(); ++j) {
      if (refs[i] > refs[j]) std::swap(refs[i], refs[j]);
      if (leading(refs[i], 1) != leading(refs[j], 1)) continue;
      std::size_t p = 0;
      for (std::size_t n = 2; n <= 4 && p == 0; ++n) {
        if (leading(refs[i], n) != leading(refs[j], n)) p = n - 1;
      }
      if (p == 0) continue;
      const double vi = NumericValue(refs[i].substr(std::min(p, refs[i].size())));
      const double vj = NumericValue(refs[j].substr(std::min(p, refs[j].size())));
      if (vi == 0 || vj == 0) continue;
      if (vi > vj) std::swap(refs[i], refs[j]);
    }
  }
  return refs;
}

}  // namespace pcbprep
