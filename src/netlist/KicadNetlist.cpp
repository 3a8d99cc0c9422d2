#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

namespace {

// Whether `parents` (the file's top level first) end in the lists of these heads.
bool Within(std::span<SExpr* const> parents, std::initializer_list<TextView> heads) {
  if (parents.size() != heads.size() + 1) return false;
  std::size_t i = 1;
  for (const TextView head : heads) {
    if (parents[i++]->head() != head) return false;
  }
  return true;
}

}  // namespace

// (export (version "D") (components (comp (ref R1) (value 10k) (footprint Lib:Name) ...))
//         (nets (net (code 1) (name GND) (node (ref R1) (pin 2)) ...)))
//
// Each (comp ...) and (node ...) is taken as it closes and dropped, and so is every list
// the nets and parts do not need, so the parser holds little more than one net at once.
std::optional<NetlistSyntaxError> ReadKicadNetlist(TextView text, NetlistSink& sink) {
  const SExpr* netBegun = nullptr;  // the (net ...) whose pins the sink takes
  const auto closed = [&](const SExpr& list, std::span<SExpr* const> parents,
                          bool& keep) -> std::optional<NetlistSyntaxError> {
    const TextView head = list.head();
    if (Within(parents, {u"export", u"nets", u"net"}) && head == u"node") {
      keep = false;
      const SExpr& net = *parents.back();
      if (netBegun != &net) {
        sink.beginNet(net.value(u"name"), net.line);
        netBegun = &net;
      }
      Text reference = list.value(u"ref");
      Text pin = list.value(u"pin");
      if (reference.empty()) return SyntaxAt(list, u"(node …) に (ref …) がありません。");
      if (pin.empty()) return SyntaxAt(list, u"(node …) に (pin …) がありません。");
      if (!sink.addPin(std::move(reference), std::move(pin), list.line)) return sink.stop;
      return std::nullopt;
    }
    if (Within(parents, {u"export", u"nets"}) && head == u"net") {
      keep = false;
      if (!list.find(u"name")) return SyntaxAt(list, u"(net …) に (name …) がありません。");
      if (netBegun == &list) {
        sink.renameNet(list.value(u"name"));
      } else {
        sink.beginNet(list.value(u"name"), list.line);
      }
      sink.endNet();
      netBegun = nullptr;
      return std::nullopt;
    }
    if (Within(parents, {u"export", u"components"}) && head == u"comp") {
      keep = false;
      NetlistPart part;
      part.reference = list.value(u"ref");
      if (part.reference.empty()) return SyntaxAt(list, u"(comp …) に (ref …) がありません。");
      part.value = list.value(u"value");
      part.footprint = list.value(u"footprint");
      // (sheetpath (names /a/) (tstamps /5037043E/)) (tstamp 5037051F); KiCad 7 and later
      // write (tstamps ...) for the symbol too.
      Text stamp = list.value(u"tstamp");
      if (stamp.empty()) stamp = list.value(u"tstamps");
      if (const SExpr* sheet = list.find(u"sheetpath"); sheet && !stamp.empty()) {
        Text sheetStamps = sheet->value(u"tstamps");
        if (!sheetStamps.ends_with(u'/')) sheetStamps += u'/';
        part.path = sheetStamps + stamp;
      }
      if (!sink.addPart(std::move(part), list.line)) return sink.stop;
      return std::nullopt;
    }
    // What lies inside a (comp ...) or (net ...) waits for it; the lists of the file, of
    // (export ...) and its (components ...) and (nets ...) stay to be found; the rest goes.
    const bool inside = parents.size() >= 4 && parents[1]->head() == u"export" &&
                        (parents[2]->head() == u"components" || parents[2]->head() == u"nets");
    const bool frame =
        parents.size() == 1 || (parents.size() == 2 && (head == u"components" || head == u"nets"));
    keep = inside || frame;
    return std::nullopt;
  };
  SExpr file;
  if (auto error = ParseSExpr(text, SExprSyntax{}, closed, file)) return error;
  const SExpr* root = nullptr;
  for (const SExpr& item : file.items) {
    if (item.list && item.head() == u"export") {
      root = &item;
      break;
    }
  }
  if (!root) return NetlistSyntaxError{1, 1, u"(export …) がありません。"};
  if (!root->find(u"nets")) return SyntaxAt(*root, u"(nets …) がありません。");
  return std::nullopt;
}

}  // namespace pcbprep
