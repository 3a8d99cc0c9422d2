#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

// (export (version "D") (components (comp (ref R1) (value 10k) (footprint Lib:Name) ...))
//         (nets (net (code 1) (name GND) (node (ref R1) (pin 2)) ...)))
std::optional<NetlistSyntaxError> ReadKicadNetlist(TextView text, ParsedNetlist& out) {
  SExpr file;
  if (auto error = ParseSExpr(text, false, false, file)) return error;
  const SExpr* root = nullptr;
  for (const SExpr& item : file.items) {
    if (item.list && item.head() == u"export") {
      root = &item;
      break;
    }
  }
  if (!root) return NetlistSyntaxError{1, 1, u"(export …) がありません。"};

  if (const SExpr* components = root->find(u"components")) {
    for (const SExpr& comp : components->items) {
      if (!comp.list || comp.head() != u"comp") continue;
      NetlistPart part;
      part.reference = comp.value(u"ref");
      if (part.reference.empty()) return SyntaxAt(comp, u"(comp …) に (ref …) がありません。");
      part.value = comp.value(u"value");
      part.footprint = comp.value(u"footprint");
      // (sheetpath (names /a/) (tstamps /5037043E/)) (tstamp 5037051F); KiCad 7 and later
      // write (tstamps ...) for the symbol too.
      Text stamp = comp.value(u"tstamp");
      if (stamp.empty()) stamp = comp.value(u"tstamps");
      if (const SExpr* sheet = comp.find(u"sheetpath"); sheet && !stamp.empty()) {
        Text sheetStamps = sheet->value(u"tstamps");
        if (!sheetStamps.ends_with(u'/')) sheetStamps += u'/';
        part.path = sheetStamps + stamp;
      }
      out.parts.push_back(std::move(part));
    }
  }

  const SExpr* nets = root->find(u"nets");
  if (!nets) return SyntaxAt(*root, u"(nets …) がありません。");
  for (const SExpr& net : nets->items) {
    if (!net.list || net.head() != u"net") continue;
    NetlistNet entry;
    entry.name = net.value(u"name");
    entry.line = net.line;
    if (!net.find(u"name")) return SyntaxAt(net, u"(net …) に (name …) がありません。");
    for (const SExpr& node : net.items) {
      if (!node.list || node.head() != u"node") continue;
      NetlistPin pin;
      pin.reference = node.value(u"ref");
      pin.pin = node.value(u"pin");
      pin.line = node.line;
      if (pin.reference.empty()) return SyntaxAt(node, u"(node …) に (ref …) がありません。");
      if (pin.pin.empty()) return SyntaxAt(node, u"(node …) に (pin …) がありません。");
      entry.pins.push_back(std::move(pin));
    }
    out.nets.push_back(std::move(entry));
  }
  return std::nullopt;
}

}  // namespace pcbprep
