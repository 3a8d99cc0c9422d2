#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "design/Text.h"

namespace pcbprep {

// The exchange sort of the references in about n log n steps, for references that all
// begin with the same character.
//
// The sort's pair steps, taken column by column instead of row by row, give the same
// result (two steps on four different rows do not affect each other, and every two
// steps that share a row keep their order). Column by column, each reference in turn
// goes in front of the first reference already placed that it comes before in a pair
// step, or at the end. Whether x comes before y is decided at the length of their
// common beginning: by the text from four characters on; below that, where the two
// leading-number values after the common beginning are not 0, by value then text,
// otherwise by text. So the first placed reference that x comes before is found per
// beginning of x among the placed references that differ from x in the next character,
// in trees ordered by those keys.
//
// `rows` are indexes into `texts` in table order and are put in sorted order; `rest`
// is ValuesAfterBeginnings(texts). Returns false and leaves `rows` as they are when two
// references are equal or a value is not a finite number (the exchange sort itself
// must then run).
// rest[4 * r + p]: the leading-number value of texts[r] without its first p characters
// (p = 1, 2, 3); rest[4 * r] is 0, so a pair differing in the first character is never
// corrected.
std::vector<double> ValuesAfterBeginnings(const std::vector<Text>& texts);

bool OrderReferencesByInsertion(const std::vector<Text>& texts, const std::vector<double>& rest,
                                std::span<std::uint32_t> rows);

}  // namespace pcbprep
