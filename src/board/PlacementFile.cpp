#include "board/PlacementFile.h"

#include <algorithm>
#include <cstdio>

#include "Version.h"
#include "board/FootprintLibrary.h"
#include "board/PartPlaces.h"

namespace pcbprep {

namespace {

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(TextView text) {
  std::string field = ToUtf8(text);
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

// A column of the position file: one word, blanks become "_" as KiCad writes them.
std::string PosWord(TextView text) {
  std::string word = ToUtf8(text);
  std::replace_if(
      word.begin(), word.end(), [](char c) { return c == ' ' || c == '\t'; }, '_');
  return word.empty() ? "~" : word;
}

std::string Fixed(double millimetres, int width) {
  char text[64];
  std::snprintf(text, sizeof text, "%*.4f", width, millimetres == 0 ? 0.0 : millimetres);
  return text;
}

std::string Padded(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

// "部品配置 CSV place.csv: 部品 31、場所なし 2"
Text Summary(const char16_t* what, const std::filesystem::path& output, std::size_t parts,
             std::size_t unplaced, const char16_t* unplacedNote) {
  Text summary = Text(what) + u" " + FromUtf8(output.filename().string()) + u": 部品 " +
                 IntText(static_cast<long long>(parts));
  if (unplaced > 0) {
    summary += u"、場所なし " + IntText(static_cast<long long>(unplaced)) + unplacedNote;
  }
  return summary;
}

}  // namespace

BoardOutput WritePlacementCsv(const BoardInput& input, const std::filesystem::path& output) {
  const std::vector<PartPlace> places = PartPlaces(input);
  std::string csv =
      "# pcbprep " + std::string(kVersionString) +
      " placement. Units mm; origin the lower left corner of the board; X right; Y up; "
      "rotation in degrees counter-clockwise; parts without a place have an empty Mid X "
      "and Mid Y\r\n"
      "Designator,Value,Package,Mid X,Mid Y,Rotation,Layer\r\n";
  std::size_t unplaced = 0;
  for (const PartPlace& p : places) {
    csv += CsvField(p.reference) + ',' + CsvField(p.value) + ',' + CsvField(p.package) + ',';
    if (p.at) {
      csv += MmText(p.at->x) + ',' + MmText(p.at->y) + ",0,";
    } else {
      csv += ",,0,";
      ++unplaced;
    }
    csv += p.back ? "Bottom\r\n" : "Top\r\n";
  }
  return {{{output, std::move(csv)}},
          Summary(u"部品配置 CSV", output, places.size(), unplaced, u""),
          {}};
}

BoardOutput WritePlacementPos(const BoardInput& input, const std::filesystem::path& output) {
  const std::vector<PartPlace> places = PartPlaces(input);
  std::size_t refWidth = 5, valWidth = 3, packageWidth = 7;  // the captions' lengths
  std::size_t unplaced = 0;
  for (const PartPlace& p : places) {
    if (!p.at) {
      ++unplaced;
      continue;
    }
    refWidth = std::max(refWidth, PosWord(p.reference).size());
    valWidth = std::max(valWidth, PosWord(p.value).size());
    packageWidth = std::max(packageWidth, PosWord(p.package).size());
  }
  std::string pos = "### Footprint positions - created by pcbprep " + std::string(kVersionString) +
                    " ###\n"
                    "## Unit = mm, Angle = deg.\n"
                    "## Side : All\n"
                    "## Origin: the lower left corner of the board, Y up\n"
                    "## Parts without a place (X and Y empty), left out: " +
                    std::to_string(unplaced) + "\n";
  pos += Padded("# Ref", refWidth) + "  " + Padded("Val", valWidth) + "  " +
         Padded("Package", packageWidth) + "       PosX       PosY       Rot  Side\n";
  for (const PartPlace& p : places) {
    if (!p.at) continue;
    pos += Padded(PosWord(p.reference), refWidth) + "  " + Padded(PosWord(p.value), valWidth) +
           "  " + Padded(PosWord(p.package), packageWidth) + "  " + Fixed(p.at->x, 9) + "  " +
           Fixed(p.at->y, 9) + "  " + Fixed(0, 8) + "  " + (p.back ? "bottom\n" : "top\n");
  }
  pos += "## End\n";
  return {{{output, std::move(pos)}},
          Summary(u"KiCad 部品位置", output, places.size(), unplaced, u"（書いていません）"),
          {}};
}

}  // namespace pcbprep
