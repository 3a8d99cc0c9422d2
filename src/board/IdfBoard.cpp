#include "board/IdfBoard.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>
#include <utility>

#include "Version.h"
#include "board/PartPlaces.h"

namespace pcbprep {

namespace {

// Parts whose size nothing tells.
constexpr double kDefaultBody = 2.0;    // mm square
constexpr double kDefaultHeight = 1.0;  // mm

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
double Tenths(char16_t a, char16_t b) { return ((a - u'0') * 10 + (b - u'0')) / 10.0; }

// An IDF field: quoted when it holds a blank or is empty. IDF has no escape for a
// quote inside a quoted field, so one becomes an apostrophe.
std::string IdfString(TextView text) {
  std::string field = ToUtf8(text);
  for (char& c : field) {
    if (c == '"') c = '\'';
  }
  if (!field.empty() && field.find_first_of(" \t") == std::string::npos) return field;
  return '"' + field + '"';
}

// When the files were made, "YYYY/MM/DD.hh:mm:ss" in UTC; SOURCE_DATE_EPOCH fixes it
// for reproducible output.
std::string IdfDate() {
  std::time_t now = std::time(nullptr);
  if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
    char* end = nullptr;
    const long long seconds = std::strtoll(fixed, &end, 10);
    if (end != fixed && *end == '\0') now = static_cast<std::time_t>(seconds);
  }
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d.%H:%M:%S", &utc);
  return text;
}

std::string Header(const char* kind, const std::string& date) {
  return ".HEADER\n" + std::string(kind) + " 3.0 \"pcbprep " + kVersionString + "\" " + date +
         " 1\n";
}

std::string LoopRecords(const OutlineLoop& loop, int label) {
  std::string records;
  for (const LoopPoint& p : loop.points) {
    records += std::to_string(label) + ' ' + BoardNumber(p.at.x) + ' ' + BoardNumber(p.at.y) + ' ' +
               BoardNumber(p.angle) + '\n';
  }
  return records;
}

// The board's edge: the outline of the drawing, or the rectangle of the board size.
std::vector<OutlineLoop> BoardLoops(const BoardInput& input) {
  const Design& design = *input.design;
  if (design.BoardSizeX <= 0 || design.BoardSizeY <= 0) {
    throw BoardError{u"基板の外形寸法（X × Y）がありません"};
  }
  OutlineLoop board = RectangleLoop(design.BoardSizeX, design.BoardSizeY);
  for (LoopPoint& p : board.points)
    p.at = {p.at.x + design.BoardSizeX / 2.0, p.at.y + design.BoardSizeY / 2.0};
  return {board};
}

struct Package {
  OutlineLoop loop;
  double height = kDefaultHeight;
};

Package PackageOf(const PartPlace& part) {
  const std::optional<BodySize> size = BodySizeOfSymbol(part.symbol);
  Package package;
  package.loop =
      size ? RectangleLoop(size->width, size->height) : RectangleLoop(kDefaultBody, kDefaultBody);
  return package;
}

}  // namespace

std::optional<BodySize> BodySizeOfSymbol(TextView symbol) {
  std::size_t letters = 0;
  while (letters < symbol.size() && IsLetter(symbol[letters])) ++letters;
  const TextView digits = symbol.substr(letters);
  for (char16_t c : digits) {
    if (!IsDigit(c)) return std::nullopt;
  }
  if (letters == 0) return std::nullopt;
  if (digits.size() == 2 && symbol.substr(0, letters) == u"TP") {
    const double diameter = Tenths(digits[0], digits[1]);
    if (diameter > 0) return BodySize{diameter, diameter};
  }
  if (digits.size() != 4) return std::nullopt;
  // The one common code whose width is not its digits in tenths.
  if (digits == u"2012") return BodySize{2.0, 1.25};
  const BodySize size{Tenths(digits[0], digits[1]), Tenths(digits[2], digits[3])};
  if (size.width <= 0 || size.height <= 0) return std::nullopt;
  return size;
}

OutlineLoop RectangleLoop(double width, double height) {
  const double x = width / 2, y = height / 2;
  return {{{{-x, -y}, 0}, {{x, -y}, 0}, {{x, y}, 0}, {{-x, y}, 0}, {{-x, -y}, 0}}, false};
}

BoardOutput WriteIdfBoard(const BoardInput& input, const std::filesystem::path& output) {
  const std::vector<PartPlace> places = PartPlaces(input);
  const std::vector<OutlineLoop> loops = BoardLoops(input);
  const std::string date = IdfDate();

  std::string emn = Header("BOARD_FILE", date);
  emn += IdfString(FromUtf8(output.stem().string())) + " MM\n.END_HEADER\n";
  emn += ".BOARD_OUTLINE ECAD\n" + BoardNumber(input.thickness) + '\n';
  for (std::size_t i = 0; i < loops.size(); ++i) emn += LoopRecords(loops[i], static_cast<int>(i));
  emn += ".END_BOARD_OUTLINE\n";

  // One library entry per package and part number, as the placement names them.
  std::map<std::pair<std::string, std::string>, Package> packages;
  std::string placement;
  int unplaced = 0;
  for (const PartPlace& part : places) {
    const Text package = part.package.empty() ? Text(u"NOPACKAGE") : part.package;
    const std::string geometry = IdfString(package);
    const std::string number = IdfString(part.value.empty() ? package : part.value);
    if (!packages.contains({geometry, number})) packages[{geometry, number}] = PackageOf(part);
    placement += geometry + ' ' + number + ' ' + IdfString(part.reference) + '\n';
    const DblPoint at = part.at.value_or(DblPoint{});
    placement += BoardNumber(at.x) + ' ' + BoardNumber(at.y) + " 0 0 " +
                 (part.back ? "BOTTOM" : "TOP") + (part.at ? " PLACED\n" : " UNPLACED\n");
    if (!part.at) ++unplaced;
  }
  if (!placement.empty()) emn += ".PLACEMENT\n" + placement + ".END_PLACEMENT\n";

  std::string emp = Header("LIBRARY_FILE", date) + ".END_HEADER\n";
  for (const auto& [key, package] : packages) {
    emp += ".ELECTRICAL\n" + key.first + ' ' + key.second + " MM " + BoardNumber(package.height) +
           '\n' + LoopRecords(package.loop, 0) + ".END_ELECTRICAL\n";
  }

  std::filesystem::path library = output;
  library.replace_extension(output.extension() == ".EMN" ? ".EMP" : ".emp");
  Text summary = u"IDF: 部品 " + IntText(static_cast<long long>(places.size())) + u" 個、外形 " +
                 IntText(static_cast<long long>(packages.size())) + u" 種";
  if (unplaced > 0) summary += u"（場所のない部品 " + IntText(unplaced) + u" 個）";
  return {{{output, std::move(emn)}, {library, std::move(emp)}}, std::move(summary), {}};
}

}  // namespace pcbprep
