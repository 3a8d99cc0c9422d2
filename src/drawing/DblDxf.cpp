#include "drawing/DblDxf.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "design/CodePage.h"

namespace pcbprep {

namespace {

// The lineweights a DXF reader accepts, in hundredths of a millimetre.
constexpr int kLineweights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                                53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};

// Colour numbers of the DXF palette that stand well apart, handed out to the layers
// in increasing layer order; the board edge is always drawn in the foreground colour.
constexpr int kForeground = 7;
constexpr int kColors[] = {1,   3,  5,  2,   6,   4,   30,  140, 200, 11, 51, 91,  171,
                           231, 21, 61, 101, 141, 181, 221, 8,   9,   41, 81, 121, 161};

// Handles of the fixed objects of the file; layers and entities follow from kFirstFree.
enum Handle : unsigned {
  kLayerTable = 0x10,
  kLayerZero,
  kLtypeTable,
  kByBlock,
  kByLayer,
  kContinuous,
  kStyleTable,
  kStandardStyle,
  kVportTable,
  kActiveVport,
  kViewTable,
  kUcsTable,
  kAppidTable,
  kAcadAppid,
  kDimstyleTable,
  kStandardDimstyle,
  kBlockRecordTable,
  kModelSpace,
  kPaperSpace,
  kModelBlock,
  kModelBlockEnd,
  kPaperBlock,
  kPaperBlockEnd,
  kRootDictionary,
  kGroupDictionary,
  kLayoutDictionary,
  kModelLayout,
  kPaperLayout,
  kPlotStyleDictionary,
  kNormalPlotStyle,
  kFirstFree = 0x100,
};

std::string Hex(unsigned handle) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%X", handle);
  return buffer;
}

// A plain decimal with enough digits for any board, without "-0".
std::string Num(double value) {
  if (value == 0 || !std::isfinite(value)) return "0";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.10g", value);
  return buffer;
}

// Angles in [0, 360).
double Normalized(double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a < 0) a += 360;
  return a >= 360 ? 0 : a;
}

class DxfWriter {
 public:
  void tag(int code, const std::string& value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%3d\r\n", code);
    text_ += buffer;
    text_ += value;
    text_ += "\r\n";
  }
  void tag(int code, double value) { tag(code, Num(value)); }
  void integer(int code, long long value) { tag(code, std::to_string(value)); }
  void handle(int code, unsigned value) { tag(code, Hex(value)); }
  void point(int code, DblPoint p) {
    tag(code, p.x);
    tag(code + 10, p.y);
    tag(code + 20, 0.0);
  }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

// One drawn element, kept until the layer table is written.
struct DxfEntity {
  int layer = 0;
  std::string body;  // the groups after the layer name
};

// Collects the entities as RenderDbl draws them; their handles and layers are written
// when the file is put together.
class DxfCanvas final : public DblCanvas {
 public:
  void line(DblPoint from, DblPoint to, double width, DblInk ink) override {
    DxfWriter w;
    Weight(w, width);
    w.tag(100, "AcDbLine");
    w.point(10, from);
    w.point(11, to);
    add("LINE", ink, w);
  }
  void arc(DblPoint centre, double radius, double start, double sweep, double width,
           DblInk ink) override {
    DxfWriter w;
    Weight(w, width);
    w.tag(100, "AcDbCircle");
    w.point(10, centre);
    w.tag(40, radius);
    if (std::fabs(sweep) >= 360) {
      add("CIRCLE", ink, w);
      return;
    }
    // DXF arcs always run counter-clockwise.
    const double from = sweep >= 0 ? start : start + sweep;
    w.tag(100, "AcDbArc");
    w.tag(50, Normalized(from));
    w.tag(51, Normalized(from + std::fabs(sweep)));
    add("ARC", ink, w);
  }
  void plane(const DblPath& path, DblInk ink) override {
    std::vector<std::vector<const DblPathStep*>> loops;
    for (const DblPathStep& step : path) {
      if (step.kind == DblPathStep::Kind::kMove || loops.empty()) loops.emplace_back();
      loops.back().push_back(&step);
    }
    DxfWriter w;
    w.tag(100, "AcDbHatch");
    w.point(10, {0, 0});
    w.tag(210, 0.0);
    w.tag(220, 0.0);
    w.tag(230, 1.0);
    w.tag(2, "SOLID");
    w.integer(70, 1);  // solid fill
    w.integer(71, 0);  // not associative
    int paths = 0;
    DxfWriter p;
    for (const auto& loop : loops) {
      if (loop.size() < 2) continue;
      p.integer(92, paths == 0 ? 1 : 0);  // the first is the outline, then the cut-outs
      Edges(loop, p);
      p.integer(97, 0);
      ++paths;
    }
    if (paths == 0) return;
    w.integer(91, paths);
    w.text() += p.text();
    w.integer(75, 0);  // odd parity: the cut-outs stay open
    w.integer(76, 1);
    w.integer(98, 0);
    add("HATCH", ink, w);
  }
  void text(DblPoint at, double height, double rotation, bool mirror, DblInk ink,
            TextView characters) override {
    DxfWriter w;
    w.tag(100, "AcDbText");
    w.point(10, at);
    w.tag(40, height);
    w.tag(1, DxfText(characters));
    if (rotation != 0) w.tag(50, Normalized(rotation));
    w.tag(7, "Standard");
    if (mirror) w.integer(71, 2);  // mirrored left to right
    w.tag(100, "AcDbText");
    add("TEXT", ink, w);
  }
  void via(DblPoint at, double diameter, DblInk ink) override {
    DxfWriter w;
    w.tag(100, "AcDbCircle");
    w.point(10, at);
    w.tag(40, diameter / 2);
    add("CIRCLE", ink, w);
  }

  std::vector<std::pair<std::string, DxfEntity>>& entities() { return entities_; }

 private:
  static void Weight(DxfWriter& w, double width) { w.integer(370, DxfLineweight(width)); }

  // The edges of one closed boundary path; an open run is closed by a straight edge,
  // as the fill closes it in the other pictures.
  static void Edges(const std::vector<const DblPathStep*>& loop, DxfWriter& p) {
    const DblPoint start = loop.front()->to;
    const DblPoint end = loop.back()->to;
    const bool open = std::hypot(end.x - start.x, end.y - start.y) > 1e-6;
    p.integer(93, static_cast<long long>(loop.size() - 1 + (open ? 1 : 0)));
    DblPoint at = start;
    for (std::size_t i = 1; i < loop.size(); ++i) {
      const DblPathStep& step = *loop[i];
      if (step.kind == DblPathStep::Kind::kArc) {
        // RenderDbl hands on positive radii and full circles as a sweep of 360.
        p.integer(72, 2);
        p.tag(10, step.centre.x);
        p.tag(20, step.centre.y);
        p.tag(40, step.radius);
        // Clockwise edges keep their direction; their angles are written measured
        // clockwise.
        const bool counterClockwise = step.sweep >= 0;
        const double from = Normalized(counterClockwise ? step.start : -step.start);
        p.tag(50, from);
        p.tag(51, from + std::fabs(step.sweep));
        p.integer(73, counterClockwise ? 1 : 0);
      } else {
        p.integer(72, 1);
        p.tag(10, at.x);
        p.tag(20, at.y);
        p.tag(11, step.to.x);
        p.tag(21, step.to.y);
      }
      at = step.to;
    }
    if (open) {
      p.integer(72, 1);
      p.tag(10, at.x);
      p.tag(20, at.y);
      p.tag(11, start.x);
      p.tag(21, start.y);
    }
  }

  void add(const char* kind, DblInk ink, DxfWriter& w) {
    entities_.push_back({kind, DxfEntity{ink.layer, std::move(w.text())}});
  }

  std::vector<std::pair<std::string, DxfEntity>> entities_;
};

void TableStart(DxfWriter& w, const char* name, unsigned handle, int count) {
  w.tag(0, "TABLE");
  w.tag(2, name);
  w.handle(5, handle);
  w.handle(330, 0);
  w.tag(100, "AcDbSymbolTable");
  w.integer(70, count);
}

void RecordStart(DxfWriter& w, const char* kind, unsigned handle, unsigned owner,
                 const char* subclass) {
  w.tag(0, kind);
  w.handle(5, handle);
  w.handle(330, owner);
  w.tag(100, "AcDbSymbolTableRecord");
  w.tag(100, subclass);
}

void Header(DxfWriter& w, unsigned handseed, const DblBounds& b) {
  w.tag(0, "SECTION");
  w.tag(2, "HEADER");
  w.tag(9, "$ACADVER");
  w.tag(1, "AC1015");
  w.tag(9, "$DWGCODEPAGE");
  w.tag(3, "ANSI_932");  // the texts' bytes, as DxfText writes them
  w.tag(9, "$HANDSEED");
  w.handle(5, handseed);
  w.tag(9, "$INSBASE");
  w.point(10, {0, 0});
  w.tag(9, "$EXTMIN");
  w.point(10, {b.left, b.bottom});
  w.tag(9, "$EXTMAX");
  w.point(10, {b.right, b.top});
  w.tag(9, "$MEASUREMENT");
  w.integer(70, 1);  // metric
  w.tag(9, "$INSUNITS");
  w.integer(70, 4);  // millimetres
  w.tag(9, "$LWDISPLAY");
  w.integer(290, 1);  // show the line widths
  w.tag(0, "ENDSEC");
  w.tag(0, "SECTION");
  w.tag(2, "CLASSES");
  w.tag(0, "ENDSEC");
}

void LineTypes(DxfWriter& w) {
  TableStart(w, "LTYPE", kLtypeTable, 3);
  for (const auto& [handle, name] : {std::pair{kByBlock, "ByBlock"}, std::pair{kByLayer, "ByLayer"},
                                     std::pair{kContinuous, "Continuous"}}) {
    RecordStart(w, "LTYPE", handle, kLtypeTable, "AcDbLinetypeTableRecord");
    w.tag(2, name);
    w.integer(70, 0);
    w.tag(3, name == std::string("Continuous") ? "Solid line" : "");
    w.integer(72, 65);
    w.integer(73, 0);
    w.tag(40, 0.0);
  }
  w.tag(0, "ENDTAB");
}

struct DxfLayer {
  std::string name;
  int color = kForeground;
  unsigned handle = 0;
};

void Layers(DxfWriter& w, const std::vector<DxfLayer>& layers) {
  TableStart(w, "LAYER", kLayerTable, static_cast<int>(layers.size()) + 1);
  const auto layer = [&w](unsigned handle, const std::string& name, int color) {
    RecordStart(w, "LAYER", handle, kLayerTable, "AcDbLayerTableRecord");
    w.tag(2, name);
    w.integer(70, 0);
    w.integer(62, color);
    w.tag(6, "Continuous");
    w.integer(370, -3);  // default lineweight; the entities carry their own
    w.handle(390, kNormalPlotStyle);
  };
  layer(kLayerZero, "0", kForeground);
  for (const DxfLayer& l : layers) layer(l.handle, l.name, l.color);
  w.tag(0, "ENDTAB");
}

void OtherTables(DxfWriter& w) {
  TableStart(w, "STYLE", kStyleTable, 1);
  RecordStart(w, "STYLE", kStandardStyle, kStyleTable, "AcDbTextStyleTableRecord");
  w.tag(2, "Standard");
  w.integer(70, 0);
  w.tag(40, 0.0);
  w.tag(41, 1.0);
  w.tag(50, 0.0);
  w.integer(71, 0);
  w.tag(42, 2.5);
  // A font with the Japanese characters the titles and silk texts use.
  w.tag(3, "ipag.ttf");
  w.tag(4, "");
  w.tag(0, "ENDTAB");

  TableStart(w, "VIEW", kViewTable, 0);
  w.tag(0, "ENDTAB");
  TableStart(w, "UCS", kUcsTable, 0);
  w.tag(0, "ENDTAB");

  TableStart(w, "APPID", kAppidTable, 1);
  RecordStart(w, "APPID", kAcadAppid, kAppidTable, "AcDbRegAppTableRecord");
  w.tag(2, "ACAD");
  w.integer(70, 0);
  w.tag(0, "ENDTAB");

  TableStart(w, "DIMSTYLE", kDimstyleTable, 1);
  w.tag(100, "AcDbDimStyleTable");
  w.tag(0, "DIMSTYLE");
  w.handle(105, kStandardDimstyle);
  w.handle(330, kDimstyleTable);
  w.tag(100, "AcDbSymbolTableRecord");
  w.tag(100, "AcDbDimStyleTableRecord");
  w.tag(2, "Standard");
  w.integer(70, 0);
  w.tag(0, "ENDTAB");

  TableStart(w, "BLOCK_RECORD", kBlockRecordTable, 2);
  RecordStart(w, "BLOCK_RECORD", kModelSpace, kBlockRecordTable, "AcDbBlockTableRecord");
  w.tag(2, "*Model_Space");
  w.handle(340, kModelLayout);
  RecordStart(w, "BLOCK_RECORD", kPaperSpace, kBlockRecordTable, "AcDbBlockTableRecord");
  w.tag(2, "*Paper_Space");
  w.handle(340, kPaperLayout);
  w.tag(0, "ENDTAB");
}

void Blocks(DxfWriter& w) {
  w.tag(0, "SECTION");
  w.tag(2, "BLOCKS");
  for (const auto& [record, begin, end, name] :
       {std::tuple{kModelSpace, kModelBlock, kModelBlockEnd, "*Model_Space"},
        std::tuple{kPaperSpace, kPaperBlock, kPaperBlockEnd, "*Paper_Space"}}) {
    w.tag(0, "BLOCK");
    w.handle(5, begin);
    w.handle(330, record);
    w.tag(100, "AcDbEntity");
    w.tag(8, "0");
    w.tag(100, "AcDbBlockBegin");
    w.tag(2, name);
    w.integer(70, 0);
    w.point(10, {0, 0});
    w.tag(3, name);
    w.tag(1, "");
    w.tag(0, "ENDBLK");
    w.handle(5, end);
    w.handle(330, record);
    w.tag(100, "AcDbEntity");
    w.tag(8, "0");
    w.tag(100, "AcDbBlockEnd");
  }
  w.tag(0, "ENDSEC");
}

void Dictionary(DxfWriter& w, unsigned handle, unsigned owner,
                std::initializer_list<std::pair<const char*, unsigned>> entries) {
  w.tag(0, "DICTIONARY");
  w.handle(5, handle);
  w.handle(330, owner);
  w.tag(100, "AcDbDictionary");
  w.integer(281, 1);
  for (const auto& [name, entry] : entries) {
    w.tag(3, name);
    w.handle(350, entry);
  }
}

void Layout(DxfWriter& w, unsigned handle, const char* name, int order, unsigned block,
            const DblBounds& b) {
  w.tag(0, "LAYOUT");
  w.handle(5, handle);
  w.handle(330, kLayoutDictionary);
  w.tag(100, "AcDbPlotSettings");
  w.tag(1, "");
  w.tag(2, "none_device");
  w.tag(4, "ISO_A3_(420.00_x_297.00_MM)");
  w.tag(6, "");
  for (int code = 40; code <= 49; ++code)
    w.tag(code, code == 44 ? 420.0 : code == 45 ? 297.0 : 0.0);
  w.tag(140, 0.0);
  w.tag(141, 0.0);
  w.tag(142, 1.0);
  w.tag(143, 1.0);
  w.integer(70, order == 0 ? 1024 : 0);
  w.integer(72, 1);  // millimetres
  w.integer(73, 0);
  w.integer(74, 5);
  w.tag(7, "");
  w.integer(75, 16);
  w.integer(76, 0);
  w.integer(77, 2);
  w.integer(78, 300);
  w.tag(147, 1.0);
  w.tag(148, 0.0);
  w.tag(149, 0.0);
  w.tag(100, "AcDbLayout");
  w.tag(1, name);
  w.integer(70, 1);
  w.integer(71, order);
  w.tag(10, 0.0);
  w.tag(20, 0.0);
  w.tag(11, 420.0);
  w.tag(21, 297.0);
  w.point(12, {0, 0});
  w.point(14, {b.left, b.bottom});
  w.point(15, {b.right, b.top});
  w.tag(146, 0.0);
  w.point(13, {0, 0});
  w.point(16, {1, 0});
  w.point(17, {0, 1});
  w.integer(76, 1);
  w.handle(330, block);
}

void Objects(DxfWriter& w, const DblBounds& b) {
  w.tag(0, "SECTION");
  w.tag(2, "OBJECTS");
  Dictionary(w, kRootDictionary, 0,
             {{"ACAD_GROUP", kGroupDictionary},
              {"ACAD_LAYOUT", kLayoutDictionary},
              {"ACAD_PLOTSTYLENAME", kPlotStyleDictionary}});
  Dictionary(w, kGroupDictionary, kRootDictionary, {});
  Dictionary(w, kLayoutDictionary, kRootDictionary,
             {{"Layout1", kPaperLayout}, {"Model", kModelLayout}});
  w.tag(0, "ACDBDICTIONARYWDFLT");
  w.handle(5, kPlotStyleDictionary);
  w.handle(330, kRootDictionary);
  w.tag(100, "AcDbDictionary");
  w.integer(281, 1);
  w.tag(3, "Normal");
  w.handle(350, kNormalPlotStyle);
  w.tag(100, "AcDbDictionaryWithDefault");
  w.handle(340, kNormalPlotStyle);
  w.tag(0, "ACDBPLACEHOLDER");
  w.handle(5, kNormalPlotStyle);
  w.handle(330, kPlotStyleDictionary);
  Layout(w, kModelLayout, "Model", 0, kModelSpace, b);
  Layout(w, kPaperLayout, "Layout1", 1, kPaperSpace, b);
  w.tag(0, "ENDSEC");
}

}  // namespace

std::string DxfLayerName(int layer) {
  if (layer == kViaLayer) return "VIA";
  if (const DrawingLayer* info = FindDrawingLayer(layer)) {
    return "L" + std::to_string(layer) + "_" + info->ascii;
  }
  return "L" + std::to_string(layer);
}

int DxfLineweight(double widthMm) {
  const double hundredths = widthMm * 100;
  int best = kLineweights[0];
  for (const int w : kLineweights) {
    if (std::fabs(w - hundredths) < std::fabs(best - hundredths)) best = w;
  }
  return best;
}

std::string DxfText(TextView characters) {
  std::string out;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const char16_t c = characters[i];
    if (c == u'%' && i + 1 < characters.size() && characters[i + 1] == u'%') {
      out += "%%%";
    } else if (c == u'^') {
      out += "^ ";  // a caret on its own, not the start of a control character
    } else if (c < 0x20) {
      out += '^';
      out += static_cast<char>(c + 64);
    } else if (c < 0x7F && c != u'\\') {
      out += static_cast<char>(c);
    } else {
      // A character with its pair of surrogates, if it has one.
      const std::size_t length = c >= 0xD800 && c <= 0xDBFF && i + 1 < characters.size() ? 2 : 1;
      const EncodeResult bytes = EncodeCp932(characters.substr(i, length));
      if (bytes.ok() && c != u'\\') {
        out += bytes.bytes;
      } else {
        for (std::size_t k = i; k < i + length; ++k) {
          char buffer[16];
          std::snprintf(buffer, sizeof buffer, "\\U+%04X", static_cast<unsigned>(characters[k]));
          out += buffer;
        }
      }
      i += length - 1;
    }
  }
  return out;
}

std::set<int> LayersHiddenExcept(const DblDrawing& drawing, const std::vector<int>& kept) {
  std::set<int> hidden;
  for (const int layer : DblLayersUsed(drawing)) {
    if (std::find(kept.begin(), kept.end(), layer) == kept.end()) hidden.insert(layer);
  }
  return hidden;
}

std::string DblDxfDocument(const DblDrawing& drawing, const std::set<int>& hidden) {
  DxfCanvas canvas;
  RenderDbl(drawing, canvas, hidden);

  unsigned next = kFirstFree;
  std::map<int, DxfLayer> layers;
  std::size_t colour = 0;
  for (const int layer : DblLayersUsed(drawing)) {
    if (hidden.contains(layer)) continue;
    DxfLayer& l = layers[layer];
    l.name = DxfLayerName(layer);
    l.handle = next++;
    l.color = RoleOfLayer(layer) == LayerRole::kOutline ? kForeground
                                                        : kColors[colour++ % std::size(kColors)];
  }

  DblBounds b = DrawingBounds(drawing);
  if (b.empty) b.include({0, 0});

  const unsigned firstEntity = next;
  const unsigned handseed = firstEntity + static_cast<unsigned>(canvas.entities().size());

  DxfWriter w;
  Header(w, handseed, b);
  w.tag(0, "SECTION");
  w.tag(2, "TABLES");
  TableStart(w, "VPORT", kVportTable, 1);
  RecordStart(w, "VPORT", kActiveVport, kVportTable, "AcDbViewportTableRecord");
  w.tag(2, "*Active");
  w.integer(70, 0);
  w.tag(10, 0.0);
  w.tag(20, 0.0);
  w.tag(11, 1.0);
  w.tag(21, 1.0);
  // The view opens on the whole drawing.
  w.tag(12, (b.left + b.right) / 2);
  w.tag(22, (b.bottom + b.top) / 2);
  w.tag(40, std::max(1.0, (b.top - b.bottom) * 1.1));
  w.tag(41, 1.5);
  w.tag(0, "ENDTAB");
  LineTypes(w);
  std::vector<DxfLayer> table;
  for (const auto& [layer, l] : layers) table.push_back(l);
  Layers(w, table);
  OtherTables(w);
  w.tag(0, "ENDSEC");
  Blocks(w);

  w.tag(0, "SECTION");
  w.tag(2, "ENTITIES");
  unsigned handle = firstEntity;
  for (const auto& [kind, entity] : canvas.entities()) {
    w.tag(0, kind);
    w.handle(5, handle++);
    w.handle(330, kModelSpace);
    w.tag(100, "AcDbEntity");
    w.tag(8, layers.at(entity.layer).name);
    w.text() += entity.body;
  }
  w.tag(0, "ENDSEC");
  Objects(w, b);
  w.tag(0, "EOF");
  return std::move(w.text());
}

}  // namespace pcbprep
