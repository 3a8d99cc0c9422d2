// The part-list reader on arbitrary file bytes, as the window's load and the command
// line meet them; whatever loads is written again, and that file reads and writes back
// to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "symbol/PartListFile.h"

namespace {

using namespace pcbprep;

void Require(bool ok) {
  if (!ok) std::abort();
}

// Loads a good parse into fresh tables and returns the file they write.
EncodeResult LoadAndWrite(const PartListParse& parse, Design& d) {
  std::vector<Text> mainParts;
  ListBoxState list1;
  const PartListLoad load = LoadPartList(d, parse, mainParts, list1);
  Require(load.partCount == static_cast<int>(parse.rows.size()));
  Require(static_cast<int>(list1.items.size()) == load.partCount);
  return PartListBytes(d);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const PartListParse parse =
      ParsePartListBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)PartListFault(parse);
  if (!parse.ok()) {
    Require(parse.line >= 1);
    return 0;
  }
  Require(parse.rows.size() <= static_cast<std::size_t>(kMaxParts));
  Design first;
  const EncodeResult written = LoadAndWrite(parse, first);
  // Cells came from code page 932, so they go back to it.
  Require(written.ok());

  const PartListParse again = ParsePartListBytes(written.bytes);
  Require(again.ok());
  Require(again.rows == parse.rows);
  Design second;
  const EncodeResult rewritten = LoadAndWrite(again, second);
  Require(rewritten.ok() && rewritten.bytes == written.bytes);
  return 0;
}
