#include "board/FootprintLibrary.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <set>

#include "design/FileIO.h"
#include "design/Numeric.h"
#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

namespace {

using Node = FootprintNode;
using Kind = FootprintShape::Kind;

bool In(std::string_view word, std::initializer_list<std::string_view> words) {
  for (std::string_view w : words) {
    if (word == w) return true;
  }
  return false;
}

Node FromSExpr(const SExpr& e) {
  Node node;
  node.list = e.list;
  node.quoted = e.quoted;
  if (!e.list) node.atom = ToUtf8(e.atom);
  node.items.reserve(e.items.size());
  for (const SExpr& item : e.items) node.items.push_back(FromSExpr(item));
  return node;
}

double Number(const Node& node) { return node.list ? 0 : NumericValue(FromUtf8(node.atom)); }

// The point of an (xy X Y), (start X Y) ... list.
DblPoint PointOf(const Node& node) {
  if (node.items.size() < 3) return {};
  return {Number(node.items[1]), Number(node.items[2])};
}

Node PointNode(std::string_view head, DblPoint p) {
  return Node::List(
      {Node::Atom(std::string(head)), Node::Atom(MmText(p.x)), Node::Atom(MmText(p.y))});
}

// (yes|no) lists of the newer syntaxes for the flags KiCad 6 writes as bare atoms.
bool IsYes(const Node& node) { return node.items.size() < 2 || node.items[1].atom == "yes"; }

// (width W) from a (stroke (width W) (type T)) of KiCad 7 and later.
std::optional<Node> WidthOfStroke(const Node& stroke) {
  if (const Node* width = stroke.find("width"))
    return Node::List({Node::Atom("width"), width->items.at(1)});
  return std::nullopt;
}

Node FillNode(const Node& fill) {
  const bool filled = fill.items.size() > 1 && In(fill.items[1].atom, {"yes", "solid"});
  return Node::List({Node::Atom("fill"), Node::Atom(filled ? "solid" : "none")});
}

// KiCad 5 arcs: centre in start, the start point in end, the sweep in angle (degrees,
// clockwise on KiCad's downward Y). Gives start, mid and end on the arc.
std::vector<DblPoint> ArcOfCentreAndAngle(DblPoint centre, DblPoint start, double degrees) {
  const auto rotated = [&](double d) {
    const double a = d * std::numbers::pi / 180;
    const double dx = start.x - centre.x;
    const double dy = start.y - centre.y;
    return DblPoint{centre.x + dx * std::cos(a) - dy * std::sin(a),
                    centre.y + dx * std::sin(a) + dy * std::cos(a)};
  };
  return {start, rotated(degrees / 2), rotated(degrees)};
}

Kind ShapeKind(std::string_view head) {
  if (head.ends_with("arc")) return Kind::kArc;
  if (head.ends_with("circle")) return Kind::kCircle;
  if (head.ends_with("rect")) return Kind::kRectangle;
  if (head.ends_with("poly")) return Kind::kPolygon;
  if (head.ends_with("curve")) return Kind::kCurve;
  return Kind::kLine;
}

// A graphic item (fp_line ... or gr_line ... in a pad) in KiCad 6 syntax; its shape goes
// to `shape`.
Node ShapeNode(const Node& e, FootprintShape& shape) {
  Node out = Node::List({Node::Atom(std::string(e.head()))});
  shape.kind = ShapeKind(e.head());
  std::optional<DblPoint> centre, start, end, mid;
  std::optional<double> angle;
  std::vector<Node> tail;
  for (std::size_t i = 1; i < e.items.size(); ++i) {
    const Node& c = e.items[i];
    const std::string_view h = c.head();
    if (h == "start")
      start = PointOf(c);
    else if (h == "end")
      end = PointOf(c);
    else if (h == "mid")
      mid = PointOf(c);
    else if (h == "center")
      centre = PointOf(c);
    else if (h == "angle" && c.items.size() > 1)
      angle = Number(c.items[1]);
    else if (h == "pts") {
      Node pts = Node::List({Node::Atom("pts")});
      for (const Node& xy : c.items) {
        if (xy.head() != "xy") continue;
        pts.items.push_back(xy);
        shape.points.push_back(PointOf(xy));
      }
      tail.push_back(std::move(pts));
    } else if (h == "layer" && c.items.size() > 1) {
      shape.layer = c.items[1].atom;
      tail.push_back(Node::List({c.items[0], c.items[1]}));
    } else if (h == "width")
      tail.push_back(c);
    else if (h == "stroke") {
      if (auto width = WidthOfStroke(c)) tail.push_back(*width);
    } else if (h == "fill")
      tail.push_back(FillNode(c));
  }
  if (shape.kind == Kind::kArc && !mid && start && end) {
    // The centre-and-angle arc of KiCad 5.
    const std::vector<DblPoint> arc = ArcOfCentreAndAngle(*start, *end, angle.value_or(0));
    start = arc[0];
    mid = arc[1];
    end = arc[2];
  }
  if (centre) {
    out.items.push_back(PointNode("center", *centre));
    shape.points.push_back(*centre);
  }
  for (const auto& [h, p] : {std::pair{"start", start}, {"mid", mid}, {"end", end}}) {
    if (!p) continue;
    out.items.push_back(PointNode(h, *p));
  }
  if (shape.kind == Kind::kArc)
    shape.points = {start.value_or(DblPoint{}), mid.value_or(DblPoint{}), end.value_or(DblPoint{})};
  else if (!centre && shape.kind != Kind::kPolygon && shape.kind != Kind::kCurve) {
    shape.points = {start.value_or(DblPoint{}), end.value_or(DblPoint{})};
  } else if (centre && end)
    shape.points.push_back(*end);
  for (Node& t : tail) out.items.push_back(std::move(t));
  return out;
}

// (font ...) and (justify ...) of a text; a hide found among them sets `hide`.
Node EffectsNode(const Node& e, bool& hide) {
  Node out = Node::List({Node::Atom("effects")});
  for (std::size_t i = 1; i < e.items.size(); ++i) {
    const Node& c = e.items[i];
    if (!c.list) {
      if (c.atom == "hide") hide = true;
      continue;
    }
    if (c.head() == "hide") {
      hide = hide || IsYes(c);
    } else if (c.head() == "justify") {
      Node justify = Node::List({Node::Atom("justify")});
      for (std::size_t k = 1; k < c.items.size(); ++k) {
        if (In(c.items[k].atom, {"left", "right", "top", "bottom", "mirror"}))
          justify.items.push_back(c.items[k]);
      }
      if (justify.items.size() > 1) out.items.push_back(std::move(justify));
    } else if (c.head() == "font") {
      Node font = Node::List({Node::Atom("font")});
      for (std::size_t k = 1; k < c.items.size(); ++k) {
        const Node& f = c.items[k];
        if (In(f.head(), {"size", "thickness"}))
          font.items.push_back(f);
        else if (!f.list && In(f.atom, {"bold", "italic"}))
          font.items.push_back(f);
        else if (In(f.head(), {"bold", "italic"}) && IsYes(f))
          font.items.push_back(Node::Atom(std::string(f.head())));
      }
      out.items.insert(out.items.begin() + 1, std::move(font));
    }
  }
  return out;
}

// An fp_text, or a Reference or Value property of KiCad 8, as fp_text.
Node TextNode(const Node& e, std::string type, const Node& text) {
  Node out = Node::List({Node::Atom("fp_text"), Node::Atom(std::move(type)), text});
  out.items[2].quoted = true;
  bool hide = false;
  std::optional<Node> effects, at, layer;
  for (std::size_t i = 3; i < e.items.size(); ++i) {
    const Node& c = e.items[i];
    if (!c.list) {
      if (c.atom == "hide") hide = true;
    } else if (c.head() == "at") {
      at = Node::List({});
      for (const Node& a : c.items) {
        if (a.atom != "unlocked") at->items.push_back(a);
      }
    } else if (c.head() == "layer" && c.items.size() > 1) {
      layer = Node::List({c.items[0], c.items[1]});
    } else if (c.head() == "hide") {
      hide = hide || IsYes(c);
    } else if (c.head() == "effects") {
      effects = EffectsNode(c, hide);
    }
  }
  if (at) out.items.push_back(*at);
  if (layer) out.items.push_back(*layer);
  if (hide) out.items.push_back(Node::Atom("hide"));
  if (effects) out.items.push_back(*effects);
  return out;
}

Node PadNode(const Node& e) {
  Node out = Node::List({});
  for (std::size_t i = 0; i < e.items.size(); ++i) {
    const Node& c = e.items[i];
    if (!c.list) {
      if (i < 4) out.items.push_back(c);  // pad, number, type, shape
      continue;
    }
    const std::string_view h = c.head();
    if (In(h, {"at",
               "size",
               "drill",
               "layers",
               "rect_delta",
               "roundrect_rratio",
               "chamfer_ratio",
               "chamfer",
               "die_length",
               "solder_mask_margin",
               "solder_paste_margin",
               "solder_paste_margin_ratio",
               "clearance",
               "zone_connect",
               "thermal_width",
               "thermal_gap",
               "options",
               "pinfunction",
               "pintype",
               "property"})) {
      out.items.push_back(c);
    } else if (h == "thermal_bridge_width") {
      Node width = c;
      width.items[0].atom = "thermal_width";
      out.items.push_back(std::move(width));
    } else if (h == "primitives") {
      Node primitives = Node::List({Node::Atom("primitives")});
      for (const Node& p : c.items) {
        if (!p.list) continue;
        FootprintShape ignored;
        primitives.items.push_back(ShapeNode(p, ignored));
      }
      out.items.push_back(std::move(primitives));
    }
  }
  if (!out.items.empty() && out.items.size() > 1) out.items[1].quoted = true;
  return out;
}

Node AttrNode(const Node& e) {
  Node out = Node::List({Node::Atom("attr")});
  for (std::size_t i = 1; i < e.items.size(); ++i) {
    const std::string& a = e.items[i].atom;
    if (In(a,
           {"smd", "through_hole", "board_only", "exclude_from_pos_files", "exclude_from_bom"})) {
      out.items.push_back(e.items[i]);
    } else if (a == "virtual") {
      out.items.push_back(Node::Atom("exclude_from_pos_files"));
      out.items.push_back(Node::Atom("exclude_from_bom"));
    }
  }
  return out;
}

Node ModelNode(const Node& e) {
  Node out = Node::List({});
  for (std::size_t i = 0; i < e.items.size(); ++i) {
    const Node& c = e.items[i];
    if (i < 2 || In(c.head(), {"at", "offset", "scale", "rotate"})) out.items.push_back(c);
  }
  return out;
}

// Quotes what KiCad 6 writes as strings (KiCad 5 left names bare).
void QuoteStrings(Node& node) {
  const std::string_view h = node.head();
  const bool all = h == "layer" || h == "layers";
  const bool first = In(h, {"descr", "tags", "model", "pinfunction", "pintype"});
  for (std::size_t i = 1; i < node.items.size(); ++i) {
    Node& item = node.items[i];
    if (item.list)
      QuoteStrings(item);
    else if (all || (first && i == 1))
      item.quoted = true;
  }
}

// Whether the first pass of a footprint's items keeps an item as it is.
bool KeptAsIs(std::string_view head) {
  return In(head, {"layer", "tedit", "descr", "tags", "autoplace_cost90", "autoplace_cost180",
                   "solder_mask_margin", "solder_paste_margin", "solder_paste_ratio", "clearance",
                   "zone_connect", "thermal_width", "thermal_gap"});
}

std::string FlippedLayer(const std::string& layer) {
  if (layer.starts_with("F.")) return "B." + layer.substr(2);
  if (layer.starts_with("B.")) return "F." + layer.substr(2);
  return layer;
}

std::string Negated(const std::string& number) {
  if (number.empty()) return number;
  if (number.front() == '-') return number.substr(1);
  if (number.front() == '+') return "-" + number.substr(1);
  if (NumericValue(FromUtf8(number)) == 0) return number;
  return "-" + number;
}

void FlipLayers(Node& node) {
  for (std::size_t i = 1; i < node.items.size(); ++i) {
    if (!node.items[i].list) node.items[i].atom = FlippedLayer(node.items[i].atom);
  }
}

// Mirrors the Y of points and negates angles of one item and what it holds; `inText`
// for the items of an fp_text.
void FlipItem(Node& node) {
  const std::string_view h = node.head();
  if (In(h, {"start", "end", "mid", "center", "xy"}) && node.items.size() > 2) {
    node.items[2].atom = Negated(node.items[2].atom);
    return;
  }
  if (h == "at" || h == "offset") {
    if (node.items.size() > 2) node.items[2].atom = Negated(node.items[2].atom);
    if (h == "at" && node.items.size() > 3) node.items[3].atom = Negated(node.items[3].atom);
    return;
  }
  if (h == "layer" || h == "layers") {
    FlipLayers(node);
    return;
  }
  if (h == "rect_delta") {
    if (node.items.size() > 1) node.items[1].atom = Negated(node.items[1].atom);
    return;
  }
  if (h == "chamfer") {
    for (Node& corner : node.items) {
      std::string& a = corner.atom;
      if (a.starts_with("top_"))
        a = "bottom_" + a.substr(4);
      else if (a.starts_with("bottom_"))
        a = "top_" + a.substr(7);
    }
    return;
  }
  if (h == "model") return;  // the 3D view places models by the footprint's side itself
  for (Node& item : node.items) {
    if (item.list) FlipItem(item);
  }
  if (h == "fp_text") {
    // A text on the back reads mirrored, one on the front not.
    const Node* layer = node.find("layer");
    const bool back = layer && layer->items.size() > 1 && layer->items[1].atom.starts_with("B.");
    for (Node& item : node.items) {
      if (item.head() != "effects") continue;
      Node* justify = nullptr;
      for (Node& e : item.items) {
        if (e.head() == "justify") justify = &e;
      }
      if (!justify) {
        item.items.push_back(Node::List({Node::Atom("justify")}));
        justify = &item.items.back();
      }
      std::erase_if(justify->items, [](const Node& n) { return n.atom == "mirror"; });
      if (back) justify->items.push_back(Node::Atom("mirror"));
      if (justify->items.size() == 1) {
        std::erase_if(item.items,
                      [](const Node& n) { return n.head() == "justify" && n.items.size() == 1; });
      }
    }
  }
}

}  // namespace

Node Node::Atom(std::string text, bool quoted) {
  Node node;
  node.atom = std::move(text);
  node.quoted = quoted;
  return node;
}

Node Node::List(std::vector<Node> items) {
  Node node;
  node.list = true;
  node.items = std::move(items);
  return node;
}

std::string_view Node::head() const {
  return list && !items.empty() && !items[0].list ? std::string_view(items[0].atom)
                                                  : std::string_view();
}

const Node* Node::find(std::string_view keyword) const {
  for (const Node& item : items) {
    if (item.head() == keyword) return &item;
  }
  return nullptr;
}

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  out += '"';
}

void AppendNodeText(std::string& out, const FootprintNode& node) {
  if (!node.list) {
    if (node.quoted || node.atom.empty())
      AppendQuoted(out, node.atom);
    else
      out += node.atom;
    return;
  }
  out += '(';
  bool first = true;
  for (const FootprintNode& item : node.items) {
    if (!first) out += ' ';
    first = false;
    AppendNodeText(out, item);
  }
  out += ')';
}

std::string MmText(double value) {
  if (std::abs(value) < 5e-7) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  std::string text = buffer;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

FootprintReadResult ReadKicadFootprint(std::string_view bytes, std::string_view name) {
  FootprintReadResult result;
  if (!IsValidUtf8(bytes)) {
    result.error = u"UTF-8 のテキストではありません。";
    return result;
  }
  SExpr file;
  if (auto error = ParseSExpr(FromUtf8(bytes), false, false, file)) {
    result.error = IntText(error->line) + u" 行目: " + error->reason;
    return result;
  }
  const SExpr* root = nullptr;
  for (const SExpr& item : file.items) {
    if (item.list && (item.head() == u"footprint" || item.head() == u"module")) root = &item;
  }
  if (!root || root->items.size() < 2) {
    result.error = u"(footprint …) も (module …) もありません。";
    return result;
  }
  const Node source = FromSExpr(*root);
  LibraryFootprint footprint;
  footprint.name = std::string(name);
  Node& out = footprint.node;
  out = Node::List({Node::Atom("footprint"), Node::Atom(footprint.name, true)});
  for (std::size_t i = 2; i < source.items.size(); ++i) {
    const Node& c = source.items[i];
    const std::string_view h = c.head();
    if (!c.list) {
      if (In(c.atom, {"locked", "placed"})) out.items.push_back(c);
    } else if (KeptAsIs(h)) {
      out.items.push_back(c);
    } else if (h == "attr") {
      out.items.push_back(AttrNode(c));
    } else if (h == "fp_text" && c.items.size() > 2) {
      out.items.push_back(TextNode(c, c.items[1].atom, c.items[2]));
    } else if (h == "property" && c.items.size() > 2 &&
               In(c.items[1].atom, {"Reference", "Value"})) {
      out.items.push_back(
          TextNode(c, c.items[1].atom == "Reference" ? "reference" : "value", c.items[2]));
    } else if (In(h, {"fp_line", "fp_rect", "fp_circle", "fp_arc", "fp_poly", "fp_curve"})) {
      FootprintShape shape;
      out.items.push_back(ShapeNode(c, shape));
      footprint.shapes.push_back(std::move(shape));
    } else if (h == "pad" && c.items.size() > 3) {
      out.items.push_back(PadNode(c));
    } else if (h == "model" && c.items.size() > 1) {
      out.items.push_back(ModelNode(c));
    }
  }
  if (!out.find("layer")) {
    out.items.insert(out.items.begin() + 2,
                     Node::List({Node::Atom("layer"), Node::Atom("F.Cu", true)}));
  }
  QuoteStrings(out);
  result.footprint = std::move(footprint);
  return result;
}

FootprintNode FlippedFootprint(const FootprintNode& footprint) {
  Node flipped = footprint;
  for (std::size_t i = 2; i < flipped.items.size(); ++i) {
    if (flipped.items[i].list) FlipItem(flipped.items[i]);
  }
  return flipped;
}

std::vector<std::filesystem::path> FootprintLibraryFolders(
    const std::vector<std::filesystem::path>& given) {
  std::vector<std::filesystem::path> folders = given;
  for (const char* variable :
       {"KICAD8_FOOTPRINT_DIR", "KICAD7_FOOTPRINT_DIR", "KICAD6_FOOTPRINT_DIR"}) {
    const char* value = std::getenv(variable);
    if (value && *value) folders.emplace_back(value);
  }
  folders.emplace_back("/usr/share/kicad/footprints");
  return folders;
}

FootprintLibraries::FootprintLibraries(std::vector<std::filesystem::path> folders)
    : folders_(std::move(folders)) {}

const FootprintLibraries::Found& FootprintLibraries::find(std::string_view name, bool back) {
  auto it = cache_.find(name);
  if (it == cache_.end()) {
    it = cache_.emplace(std::string(name), Entry()).first;
    Entry& entry = it->second;
    const std::size_t colon = name.find(':');
    // A name is a file in a library folder, never a path leading elsewhere.
    const bool plain = name.find_first_of("/\\") == std::string_view::npos;
    if (plain && colon != std::string_view::npos && colon > 0 && colon + 1 < name.size()) {
      const std::string library = std::string(name.substr(0, colon)) + ".pretty";
      const std::string file = std::string(name.substr(colon + 1)) + ".kicad_mod";
      for (const std::filesystem::path& folder : folders_) {
        const std::filesystem::path path = folder / library / file;
        std::error_code error;
        if (!std::filesystem::exists(path, error)) continue;
        const FileReadResult read = ReadWholeFile(path.string());
        FootprintReadResult parsed;
        if (!read.ok())
          parsed.error = FromUtf8(read.reason);
        else
          parsed = ReadKicadFootprint(read.bytes, name);
        if (!parsed.footprint) {
          entry.found.unreadable = path;
          entry.found.reason = parsed.error;
        } else {
          entry.footprint = std::move(parsed.footprint);
          entry.found.footprint = &*entry.footprint;
        }
        break;
      }
    }
  }
  Entry& entry = it->second;
  if (back && entry.footprint && !entry.flipped) {
    entry.flipped =
        LibraryFootprint{entry.footprint->name, FlippedFootprint(entry.footprint->node), {}};
    entry.found.flipped = &*entry.flipped;
  }
  return entry.found;
}

}  // namespace pcbprep
