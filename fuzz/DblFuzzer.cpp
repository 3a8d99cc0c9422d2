// The DBL reader on arbitrary file bytes, as `pcbprep-cli view` meets them, and the
// drawing of whatever it read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "drawing/DblReader.h"
#include "drawing/DblSvg.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pcbprep;
  const Text text = DecodeDblBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  const DblReadResult read = ReadDbl(text);
  // Every record read is either drawn or counted as unknown.
  if (read.ok()) Require(read.drawing.recordCount() + read.unknownRecords == read.records);
  (void)DblSvgDocument(read.drawing, u"fuzz");
  return 0;
}
