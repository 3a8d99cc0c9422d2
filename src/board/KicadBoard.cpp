#include "board/KicadBoard.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <set>
#include <unordered_map>

#include "board/BoardOutline.h"
#include "board/FootprintLibrary.h"
#include "design/Numeric.h"
#include "drawing/DrawingLayers.h"
#include "placement/Coordinates.h"

namespace pcbprep {

namespace {

using Node = FootprintNode;

constexpr double kMargin = 20;      // mm of page around the drawing
constexpr double kReach = 2000;     // mm either way from the page origin KiCad can hold
constexpr double kStubPitch = 1.0;  // mm between the pads of a stub
constexpr double kStubPad = 0.6;
constexpr int kUserLayers = 9;  // User.1 .. User.9

// A UUID that only depends on the key, so the same design gives the same file.
std::string StableUuid(std::string_view key) {
  const auto hash = [&](std::uint64_t h) {
    for (unsigned char c : key) {
      h ^= c;
      h *= 0x100000001b3ULL;
    }
    return h;
  };
  const std::uint64_t a = hash(0xcbf29ce484222325ULL);
  const std::uint64_t b = hash(0x9e3779b97f4a7c15ULL);
  char text[40];
  std::snprintf(text, sizeof text, "%08x-%04x-4%03x-%04x-%012llx", static_cast<unsigned>(a >> 32),
                static_cast<unsigned>((a >> 16) & 0xffff), static_cast<unsigned>(a & 0xfff),
                static_cast<unsigned>(0x8000 | ((b >> 48) & 0x3fff)),
                static_cast<unsigned long long>(b & 0xffffffffffffULL));
  return text;
}

Node Atom(std::string text, bool quoted = false) { return Node::Atom(std::move(text), quoted); }
Node Pair(const char* head, std::string value, bool quoted = false) {
  return Node::List({Atom(head), Atom(std::move(value), quoted)});
}
Node Point(const char* head, double x, double y) {
  return Node::List({Atom(head), Atom(MmText(x)), Atom(MmText(y))});
}
Node Effects(double size) {
  return Node::List({Atom("effects"), Node::List({Atom("font"), Point("size", size, size),
                                                  Pair("thickness", MmText(size * 0.15))})});
}
Node FpText(const char* type, std::string text, double x, double y, const char* layer,
            double size) {
  return Node::List({Atom("fp_text"), Atom(type), Atom(std::move(text), true), Point("at", x, y),
                     Pair("layer", layer, true), Effects(size)});
}

struct Pin {
  std::string number;
  int net = 0;
};

// A footprint that stands for one not found: its name, reference and value, a box on
// the fabrication layer with the symbol name, and a small pad per netlist pin.
Node StubFootprint(const std::string& name, const std::string& symbol,
                   const std::vector<Pin>& pins) {
  const int count = static_cast<int>(pins.size());
  const int columns = count <= 2
                          ? std::max(count, 1)
                          : static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
  const int rows = std::max(1, (count + columns - 1) / columns);
  const double width = (columns - 1) * kStubPitch + kStubPad + 1;
  const double height = (rows - 1) * kStubPitch + kStubPad + 1;
  Node node = Node::List({Atom("footprint"), Atom(name, true), Pair("layer", "F.Cu", true)});
  node.items.push_back(FpText("reference", "REF**", 0, -height / 2 - 1, "F.SilkS", 1));
  node.items.push_back(FpText("value", "", 0, height / 2 + 1, "F.Fab", 1));
  if (!symbol.empty()) node.items.push_back(FpText("user", symbol, 0, 0, "F.Fab", 0.5));
  node.items.push_back(Node::List({Atom("fp_rect"), Point("start", -width / 2, -height / 2),
                                   Point("end", width / 2, height / 2),
                                   Pair("layer", "F.Fab", true), Pair("width", "0.1")}));
  for (int i = 0; i < count; ++i) {
    const double x = (i % columns - (columns - 1) / 2.0) * kStubPitch;
    const double y = (i / columns - (rows - 1) / 2.0) * kStubPitch;
    node.items.push_back(Node::List(
        {Atom("pad"), Atom(pins[i].number, true), Atom("smd"), Atom("rect"), Point("at", x, y),
         Point("size", kStubPad, kStubPad), Node::List({Atom("layers"), Atom("F.Cu", true)})}));
  }
  return node;
}

Node HoleFootprint(const std::string& name, double diameter) {
  const std::string d = MmText(diameter);
  return Node::List(
      {Atom("footprint"), Atom(name, true), Pair("layer", "F.Cu", true),
       Node::List({Atom("attr"), Atom("exclude_from_pos_files"), Atom("exclude_from_bom")}),
       FpText("reference", "REF**", 0, -diameter / 2 - 1.5, "F.Fab", 1),
       FpText("value", name.substr(name.find(':') + 1), 0, diameter / 2 + 1.5, "F.Fab", 1),
       Node::List({Atom("pad"), Atom("", true), Atom("np_thru_hole"), Atom("circle"),
                   Point("at", 0, 0), Node::List({Atom("size"), Atom(d), Atom(d)}),
                   Pair("drill", d),
                   Node::List({Atom("layers"), Atom("*.Cu", true), Atom("*.Mask", true)})})});
}

// Where the drawing and the parts lie, in pcbprep's millimetres.
struct Extent {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool any = false;
  void add(DblPoint p) {
    if (!any) {
      minX = maxX = p.x;
      minY = maxY = p.y;
      any = true;
    }
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  void addArc(const DblArc& arc) {
    add({arc.centre.x - arc.radius, arc.centre.y - arc.radius});
    add({arc.centre.x + arc.radius, arc.centre.y + arc.radius});
  }
};

struct Paper {
  const char* name;
  double width;
  double height;
};
constexpr Paper kPapers[] = {
    {"A4", 297, 210}, {"A3", 420, 297}, {"A2", 594, 420}, {"A1", 841, 594}, {"A0", 1189, 841}};
constexpr double kLargestUserPage = 1219;  // KiCad's board editor pages end at 48 inches

class Writer {
 public:
  explicit Writer(const BoardInput& input) : input_(input), design_(*input.design) {}

  BoardOutput write(const std::filesystem::path& output);

 private:
  // KiCad's X and Y of a point of pcbprep's.
  double kx(double x) const { return x0_ + x; }
  double ky(double y) const { return y0_ - y; }
  std::string at(double x, double y) const { return MmText(kx(x)) + " " + MmText(ky(y)); }

  void collectNets();
  void placeOrigin(const BoardOutline& outline);
  void chooseUserLayers();
  std::string layerOf(int number) const;
  void writeHeader();
  void writeFootprint(const Node& footprint, const std::string& id, double x, double y,
                      const std::string& reference, const std::string& value,
                      const std::string& path, const std::vector<Pin>& pins);
  void writeParts();
  void writeGroups();
  void writeOutline(const BoardOutline& outline);
  void writeLine(const DblLine& line, const std::string& layer);
  void writeArc(const DblArc& arc, const std::string& layer);
  void writeText(const DblText& text, const std::string& layer);

  const BoardInput& input_;
  const Design& design_;
  std::string out_;
  double x0_ = 0, y0_ = 0;
  Paper paper_{"A4", 297, 210};
  std::vector<std::string> netNames_;                         // by code, 0 = ""
  std::unordered_map<Text, std::vector<Pin>> pins_;           // by reference
  std::map<int, std::string> layerNames_;                     // drawing layer -> KiCad layer
  std::vector<std::string> userNames_;                        // User.1 .. in order
  std::vector<std::pair<std::string, std::string>> partIds_;  // reference, footprint id
  std::vector<Text> warnings_;
  int fromLibraries_ = 0;
  int stubs_ = 0;
  std::vector<std::string> unreadable_;
};

void Writer::collectNets() {
  netNames_.push_back("");
  for (int n = 1; n <= design_.netRows(); ++n) {
    std::string name = ToUtf8(design_.NetTable.at(n, kNetName));
    if (name.empty()) name = "Net-" + std::to_string(n);
    const int code = static_cast<int>(netNames_.size());
    netNames_.push_back(std::move(name));
    for (int c : design_.pinColumns(n)) {
      const Text& reference = design_.PinPartTable.at(n, c);
      std::vector<Pin>& pins = pins_[reference];
      const std::string number = ToUtf8(design_.PinNoTable.at(n, c));
      const bool known =
          std::any_of(pins.begin(), pins.end(), [&](const Pin& p) { return p.number == number; });
      if (!known) pins.push_back({number, code});
    }
  }
}

void Writer::placeOrigin(const BoardOutline& outline) {
  Extent extent;
  extent.add({0, 0});
  for (int row = 1; row <= design_.partRows(); ++row) {
    extent.add({NumericValue(design_.PartTable.at(row, kPartX)),
                NumericValue(design_.PartTable.at(row, kPartY))});
  }
  for (const DblLine& line : outline.lines) {
    extent.add(line.from);
    extent.add(line.to);
  }
  for (const DblArc& arc : outline.arcs) extent.addArc(arc);
  if (input_.outline) {
    for (const DblLine& line : input_.outline->lines) {
      extent.add(line.from);
      extent.add(line.to);
    }
    for (const DblArc& arc : input_.outline->arcs) extent.addArc(arc);
    for (const DblText& text : input_.outline->texts) extent.add(text.at);
  }
  const double width = extent.maxX - extent.minX + 2 * kMargin;
  const double height = extent.maxY - extent.minY + 2 * kMargin;
  if (width > 2 * kReach || height > 2 * kReach) {
    throw BoardError{u"部品と外形が " + CoordinateText(std::ceil(width)) + u" × " +
                     CoordinateText(std::ceil(height)) +
                     u" mm に広がり、KiCad の基板（3000 mm 角まで）に収まりません。"};
  }
  const Paper* paper = nullptr;
  for (const Paper& p : kPapers) {
    if (width <= p.width && height <= p.height) {
      paper = &p;
      break;
    }
  }
  if (paper) {
    paper_ = *paper;
  } else {
    paper_ = {"User", std::min(std::ceil(width), kLargestUserPage),
              std::min(std::ceil(height), kLargestUserPage)};
  }
  if (width <= kReach && height <= kReach) {
    // On the page, from its top left corner.
    x0_ = kMargin - extent.minX;
    y0_ = kMargin + extent.maxY;
  } else {
    // Past what the positive quarter holds: centred on KiCad's origin, which reaches as
    // far to either side.
    x0_ = std::round(-(extent.minX + extent.maxX) / 2);
    y0_ = std::round((extent.minY + extent.maxY) / 2);
  }
}

std::string AsciiName(int number) {
  const DrawingLayer* layer = FindDrawingLayer(number);
  return layer ? std::string(layer->ascii) : "LAYER_" + std::to_string(number);
}

void Writer::chooseUserLayers() {
  if (!input_.outline) return;
  std::set<int> used;
  const DblDrawing& d = *input_.outline;
  for (const DblLine& line : d.lines) used.insert(line.layer);
  for (const DblArc& arc : d.arcs) used.insert(arc.layer);
  for (const DblText& text : d.texts) used.insert(text.layer);
  for (const DblPlane& plane : d.planes) used.insert(plane.layer);
  std::set<std::string> overflow;
  for (int number : used) {
    switch (RoleOfLayer(number)) {
      case LayerRole::kSilkFront:
        layerNames_[number] = "F.SilkS";
        continue;
      case LayerRole::kSilkBack:
        layerNames_[number] = "B.SilkS";
        continue;
      case LayerRole::kDimension:
      case LayerRole::kOutline:       // what the edge does not take: texts
      case LayerRole::kMountingHole:  // what the holes do not take: marks and texts
        layerNames_[number] = "Dwgs.User";
        continue;
      default:
        break;
    }
    const std::string name = AsciiName(number);
    auto found = std::find(userNames_.begin(), userNames_.end(), name);
    if (found == userNames_.end() && userNames_.size() < kUserLayers) {
      userNames_.push_back(name);
      found = userNames_.end() - 1;
    }
    if (found == userNames_.end()) {
      layerNames_[number] = "Cmts.User";
      overflow.insert(name);
    } else {
      layerNames_[number] = "User." + std::to_string(found - userNames_.begin() + 1);
    }
  }
  if (!overflow.empty()) {
    Text names;
    for (const std::string& name : overflow)
      names += (names.empty() ? u"" : u", ") + FromUtf8(name);
    warnings_.push_back(u"KiCad のユーザー層（9 層）に収まらない層は Cmts.User に置きました: " +
                        names);
  }
}

std::string Writer::layerOf(int number) const {
  const auto it = layerNames_.find(number);
  return it == layerNames_.end() ? "Cmts.User" : it->second;
}

void Writer::writeHeader() {
  out_ += "(kicad_pcb (version 20211014) (generator pcbprep)\n\n";
  out_ += "  (general\n    (thickness 1.6)\n  )\n\n";
  if (std::string_view(paper_.name) == "User") {
    out_ += "  (paper \"User\" " + MmText(paper_.width) + " " + MmText(paper_.height) + ")\n";
  } else {
    out_ += "  (paper \"" + std::string(paper_.name) + "\")\n";
  }
  out_ += R"(  (layers
    (0 "F.Cu" signal)
    (31 "B.Cu" signal)
    (32 "B.Adhes" user "B.Adhesive")
    (33 "F.Adhes" user "F.Adhesive")
    (34 "B.Paste" user)
    (35 "F.Paste" user)
    (36 "B.SilkS" user "B.Silkscreen")
    (37 "F.SilkS" user "F.Silkscreen")
    (38 "B.Mask" user)
    (39 "F.Mask" user)
    (40 "Dwgs.User" user "User.Drawings")
    (41 "Cmts.User" user "User.Comments")
    (42 "Eco1.User" user "User.Eco1")
    (43 "Eco2.User" user "User.Eco2")
    (44 "Edge.Cuts" user)
    (45 "Margin" user)
    (46 "B.CrtYd" user "B.Courtyard")
    (47 "F.CrtYd" user "F.Courtyard")
    (48 "B.Fab" user)
    (49 "F.Fab" user)
)";
  for (int i = 0; i < kUserLayers; ++i) {
    out_ += "    (" + std::to_string(50 + i) + " \"User." + std::to_string(i + 1) + "\" user";
    if (i < static_cast<int>(userNames_.size())) {
      out_ += ' ';
      AppendQuoted(out_, userNames_[i]);
    }
    out_ += ")\n";
  }
  out_ += "  )\n\n  (setup\n    (pad_to_mask_clearance 0)\n";
  const std::string origin = MmText(x0_) + " " + MmText(y0_);
  out_ += "    (aux_axis_origin " + origin + ")\n    (grid_origin " + origin + ")\n  )\n\n";
  for (std::size_t code = 0; code < netNames_.size(); ++code) {
    out_ += "  (net " + std::to_string(code) + " ";
    AppendQuoted(out_, netNames_[code]);
    out_ += ")\n";
  }
  out_ += "\n";
}

void Writer::writeFootprint(const Node& footprint, const std::string& id, double x, double y,
                            const std::string& reference, const std::string& value,
                            const std::string& path, const std::vector<Pin>& pins) {
  out_ += "  (footprint ";
  AppendNodeText(out_, footprint.items[1]);
  const Node* layer = footprint.find("layer");
  out_ += ' ';
  AppendNodeText(out_, *layer);
  out_ += "\n    (tstamp " + id + ")\n    (at " + at(x, y) + ")\n";
  if (!path.empty()) {
    out_ += "    (path ";
    AppendQuoted(out_, path);
    out_ += ")\n";
  }
  for (std::size_t i = 2; i < footprint.items.size(); ++i) {
    const Node& item = footprint.items[i];
    if (&item == layer) continue;
    out_ += "    ";
    const std::string_view head = item.head();
    if (head == "fp_text" && item.items.size() > 2 &&
        (item.items[1].atom == "reference" || item.items[1].atom == "value")) {
      Node text = item;
      text.items[2] = Atom(item.items[1].atom == "reference" ? reference : value, true);
      AppendNodeText(out_, text);
    } else if (head == "pad" && item.items.size() > 1) {
      const std::string& number = item.items[1].atom;
      const auto pin =
          std::find_if(pins.begin(), pins.end(), [&](const Pin& p) { return p.number == number; });
      AppendNodeText(out_, item);
      if (pin != pins.end() && !number.empty()) {
        out_.pop_back();
        out_ += " (net " + std::to_string(pin->net) + " ";
        AppendQuoted(out_, netNames_[static_cast<std::size_t>(pin->net)]);
        out_ += "))";
      }
    } else {
      AppendNodeText(out_, item);
    }
    out_ += '\n';
  }
  out_ += "  )\n\n";
}

void Writer::writeParts() {
  std::unordered_map<Text, const SchematicPart*> schematic;
  for (const SchematicPart& part : design_.SchematicParts)
    schematic.try_emplace(part.reference, &part);
  FootprintLibraries libraries(input_.footprintDirs);
  std::set<std::string> unreadable;
  static const std::vector<Pin> kNoPins;
  for (int row = 1; row <= design_.partRows(); ++row) {
    const Text& reference = design_.PartTable.at(row, kPartRef);
    const Text& symbol = design_.PartTable.at(row, kPartSymbol);
    const auto found = schematic.find(reference);
    const SchematicPart* part = found == schematic.end() ? nullptr : found->second;
    const auto pinsFound = pins_.find(reference);
    const std::vector<Pin>& pins = pinsFound == pins_.end() ? kNoPins : pinsFound->second;
    const bool back = design_.PartTable.at(row, kPartSide) == kSideBack;
    const std::string name = ToUtf8(FootprintOfPart(input_.footprints, reference, symbol, part));
    const FootprintLibraries::Found& library = libraries.find(name, back);
    Node stub;
    const Node* footprint = nullptr;
    if (library.footprint) {
      footprint = back ? &library.flipped->node : &library.footprint->node;
      ++fromLibraries_;
    } else {
      if (!library.unreadable.empty() && unreadable.insert(library.unreadable.string()).second) {
        unreadable_.push_back(library.unreadable.string());
        warnings_.push_back(u"フットプリントが読めないため仮の形にしました: " +
                            FromUtf8(library.unreadable.string()) + u": " + library.reason);
      }
      stub = StubFootprint(name, ToUtf8(symbol), pins);
      if (back) stub = FlippedFootprint(stub);
      footprint = &stub;
      ++stubs_;
    }
    const std::string id = StableUuid("footprint/" + ToUtf8(reference));
    partIds_.emplace_back(ToUtf8(reference), id);
    const Text value = part && !part->value.empty() ? part->value : symbol;
    writeFootprint(*footprint, id, NumericValue(design_.PartTable.at(row, kPartX)),
                   NumericValue(design_.PartTable.at(row, kPartY)), ToUtf8(reference),
                   ToUtf8(value), part ? ToUtf8(part->path) : std::string(), pins);
  }
}

void Writer::writeGroups() {
  if (input_.groups == BoardGroups::kNone) return;
  std::vector<std::string> order;
  std::map<std::string, std::vector<std::string>> members;
  for (int row = 1; row <= design_.partRows(); ++row) {
    Text key = design_.PartTable.at(
        row, input_.groups == BoardGroups::kByMainPart ? kPartMain : kPartGroup);
    if (input_.groups == BoardGroups::kByMainPart && StartsWith(key, u"*")) key.erase(0, 1);
    if (key.empty()) continue;
    const std::string name = ToUtf8(key);
    auto [it, added] = members.try_emplace(name);
    if (added) order.push_back(name);
    it->second.push_back(partIds_[static_cast<std::size_t>(row - 1)].second);
  }
  for (const std::string& name : order) {
    out_ += "  (group ";
    AppendQuoted(out_, name);
    out_ += " (id " + StableUuid("group/" + name) + ")\n    (members";
    for (const std::string& id : members[name]) out_ += " " + id;
    out_ += ")\n  )\n\n";
  }
}

double Width(int aperture) { return std::max(aperture * 0.05, 0.05); }

void Writer::writeLine(const DblLine& line, const std::string& layer) {
  out_ += "  (gr_line (start " + at(line.from.x, line.from.y) + ") (end " +
          at(line.to.x, line.to.y) + ") (layer \"" + layer + "\") (width " +
          MmText(Width(line.aperture)) + "))\n";
}

void Writer::writeArc(const DblArc& arc, const std::string& layer) {
  const auto point = [&](double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return at(arc.centre.x + arc.radius * std::cos(a), arc.centre.y + arc.radius * std::sin(a));
  };
  const std::string width =
      " (layer \"" + layer + "\") (width " + MmText(Width(arc.aperture)) + "))\n";
  if (std::abs(arc.sweep) >= 360) {
    out_ += "  (gr_circle (center " + at(arc.centre.x, arc.centre.y) + ") (end " + point(0) + ")" +
            width;
    return;
  }
  out_ += "  (gr_arc (start " + point(arc.start) + ") (mid " + point(arc.start + arc.sweep / 2) +
          ") (end " + point(arc.start + arc.sweep) + ")" + width;
}

void Writer::writeText(const DblText& text, const std::string& layer) {
  if (text.characters.empty()) return;
  const double size = std::max(text.height, 0.1);
  out_ += "  (gr_text ";
  AppendQuoted(out_, ToUtf8(text.characters));
  out_ += " (at " + at(text.at.x, text.at.y);
  if (text.rotation != 0) out_ += " " + MmText(text.rotation);
  out_ += ") (layer \"" + layer + "\")\n    (effects (font (size " + MmText(size) + " " +
          MmText(size) + ") (thickness " + MmText(size * 0.15) + ")) (justify left bottom";
  if (text.mirrorX || text.mirrorY || layer.starts_with("B.")) out_ += " mirror";
  out_ += "))\n  )\n";
}

void Writer::writeOutline(const BoardOutline& outline) {
  for (const DblLine& line : outline.lines) writeLine(line, "Edge.Cuts");
  for (const DblArc& arc : outline.arcs) writeArc(arc, "Edge.Cuts");
  if (!input_.outline) return;
  const DblDrawing& d = *input_.outline;
  for (const DblLine& line : d.lines) {
    if (RoleOfLayer(line.layer) != LayerRole::kOutline) writeLine(line, layerOf(line.layer));
  }
  for (const DblArc& arc : d.arcs) {
    const LayerRole role = RoleOfLayer(arc.layer);
    if (role == LayerRole::kOutline) continue;
    if (role == LayerRole::kMountingHole && std::abs(arc.sweep) >= 360 && arc.radius > 0) continue;
    writeArc(arc, layerOf(arc.layer));
  }
  for (const DblText& text : d.texts) writeText(text, layerOf(text.layer));
  for (const DblPlane& plane : d.planes) {
    // The boundaries of a plane; its filling is the layout's own business.
    for (const auto& boundary : plane.boundaries) {
      for (const DblEdge& edge : boundary) {
        if (const DblLine* line = std::get_if<DblLine>(&edge)) {
          writeLine(*line, layerOf(plane.layer));
        } else {
          writeArc(std::get<DblArc>(edge), layerOf(plane.layer));
        }
      }
    }
  }
  out_ += "\n";
}

BoardOutput Writer::write(const std::filesystem::path& output) {
  const BoardOutline outline = BoardOutlineOf(input_);
  collectNets();
  placeOrigin(outline);
  chooseUserLayers();
  out_.reserve(static_cast<std::size_t>(design_.partRows()) * 1500 + 65536);
  writeHeader();
  writeParts();
  int holes = 0;
  for (const BoardHole& hole : outline.holes) {
    ++holes;
    const std::string reference = "H" + std::to_string(holes);
    writeFootprint(
        HoleFootprint("pcbprep:MountingHole_" + MmText(hole.diameter) + "mm", hole.diameter),
        StableUuid("hole/" + reference), hole.centre.x, hole.centre.y, reference,
        "MountingHole_" + MmText(hole.diameter) + "mm", "", {});
  }
  writeGroups();
  writeOutline(outline);
  out_ += ")\n";

  BoardOutput result;
  result.files.push_back({output, std::move(out_)});
  result.summary = u"KiCad 基板 " + FromUtf8(output.filename().string()) + u": 部品 " +
                   IntText(design_.partRows()) + u"（ライブラリ " + IntText(fromLibraries_) +
                   u"、仮の形 " + IntText(stubs_) + u"）、ネット " +
                   IntText(static_cast<long long>(netNames_.size()) - 1) + u"、取付穴 " +
                   IntText(holes);
  if (!unreadable_.empty()) {
    result.summary +=
        u"、読めないフットプリント " + IntText(static_cast<long long>(unreadable_.size()));
  }
  result.warnings = std::move(warnings_);
  return result;
}

}  // namespace

BoardOutput WriteKicadBoard(const BoardInput& input, const std::filesystem::path& output) {
  if (!input.design) throw BoardError{u"設計データがありません。"};
  return Writer(input).write(output);
}

}  // namespace pcbprep
