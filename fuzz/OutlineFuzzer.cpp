// Outline generation from arbitrary window settings: every switch, every list position
// the window can hold, any finite number in the boxes and any text in the text boxes;
// and, for the settings the window outputs, the file read back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "design/CodePage.h"
#include "design/Numeric.h"
#include "drawing/DblReader.h"
#include "outline/OutlineControls.h"
#include "outline/OutlineGenerator.h"

namespace {

using namespace pcbprep;

void Require(bool ok) {
  if (!ok) std::abort();
}

// A number as a box gives it: either read from a short text by the box rule, or any
// finite value.
double Number(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) {
    const std::string bytes = in.ConsumeRandomLengthString(24);
    return NumericValue(Text(bytes.begin(), bytes.end()));
  }
  return in.ConsumeFloatingPoint<double>();
}

Text BoxText(FuzzedDataProvider& in) {
  const std::string bytes = in.ConsumeRandomLengthString(64);
  Text text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return text;
}

// How many record lines the text holds between "$GRAPHIC/" and "$END".
int RecordLines(const Text& text) {
  int lines = 0;
  for (std::size_t at = text.find(u"\r\n"); at != Text::npos; at = text.find(u"\r\n", at + 2)) {
    ++lines;
  }
  return lines - 2;  // the header and "$END"
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  OutlineSettings s;
  s.width = Number(in);
  s.height = Number(in);
  s.cornerSize = Number(in);
  s.holeOffset = Number(in);
  s.cornerMarkWidth = Number(in);
  s.outline = in.ConsumeBool();
  s.wiringArea = in.ConsumeBool();
  s.outlineDimensions = in.ConsumeBool();
  s.holeDimensions = in.ConsumeBool();
  s.holeData = in.ConsumeBool();
  s.placementGuides = in.ConsumeBool();
  // -1 is what a list reports with nothing chosen.
  s.holeDiameter = in.ConsumeIntegralInRange<int>(-1, kHoleDiameterCount - 1);
  s.holeArrangement = in.ConsumeIntegralInRange<int>(-1, kHoleArrangementCount - 1);
  s.corner = static_cast<CornerTreatment>(in.ConsumeIntegralInRange<int>(0, 3));
  s.resistFrame = in.ConsumeBool();
  s.cornerMarks = in.ConsumeBool();
  s.metalMaskCornerMarks = in.ConsumeBool();
  s.groundPlane = in.ConsumeBool();
  s.outerLayerPlanes = in.ConsumeBool();
  for (bool& title : s.filmTitles) title = in.ConsumeBool();
  s.metalMaskText = in.ConsumeBool();
  s.filmNumber = in.ConsumeBool();
  s.boardType = static_cast<BoardType>(in.ConsumeIntegralInRange<int>(0, 3));
  s.boardName = in.ConsumeBool();
  s.subtitle = in.ConsumeBool();
  s.comment = in.ConsumeBool();
  s.boardOrderName = BoxText(in);
  s.metalMaskTextValue = BoxText(in);
  s.boardNameValue = BoxText(in);
  s.subtitleValue = BoxText(in);
  s.commentValue = BoxText(in);

  const DblDocument doc = GenerateDbl(s);
  const Text& text = doc.text();
  Require(text.rfind(u"$GRAPHIC/\r\n", 0) == 0);
  Require(text.size() >= 17 && text.compare(text.size() - 6, 6, u"$END\r\n") == 0);
  // What saving would write.
  (void)EncodeCp932(text);

  // Whatever the settings reader and the window let through, the drawing reads back
  // record for record: the generator and the reader never disagree.
  // The boxes as the window would show these settings.
  const auto boxText = [&s](std::string_view name) -> Text {
    const OutlineControl* control = FindOutlineControl(name);
    if (control && control->kind == OutlineControlKind::kNumber) {
      return OutlineNumberText(OutlineNumber(s, name));
    }
    return OutlineText(s, name);
  };
  if (!FindOutlineBoxProblem(boxText)) {
    const DblReadResult read = ReadDbl(text);
    Require(read.ok());
    Require(read.unknownRecords == 0);
    Require(read.records == RecordLines(text));
    Require(read.drawing.recordCount() == read.records);
  }
  return 0;
}
