#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

namespace {

// The value "(null)" of a component line that names no value otherwise, or nullptr.
const SExpr* NullValue(const SExpr& comp, std::size_t atoms) {
  if (atoms != 3) return nullptr;
  for (const SExpr& item : comp.items) {
    if (!item.list) continue;
    const bool oneWord = item.items.size() == 1 && !item.items[0].list;
    return oneWord && item.line == comp.line ? &item : nullptr;
  }
  return nullptr;
}

const SExpr* FirstList(const SExpr& file) {
  for (const SExpr& item : file.items) {
    if (item.list) return &item;
  }
  return nullptr;
}

// Comments in braces and after "#"; what follows the "*" that ends the component list
// is commentary for other tools.
constexpr SExprSyntax kLegacySyntax{true, true, true};

// Gives the sink one component block: its part and its pins.
std::optional<NetlistSyntaxError> TakeComponent(const SExpr& comp, NetlistSink& sink) {
  std::vector<const SExpr*> atoms;
  for (const SExpr& item : comp.items) {
    if (!item.list) atoms.push_back(&item);
  }
  if (atoms.size() < 3) {
    return SyntaxAt(comp,
                    u"部品の行に タイムスタンプ・フットプリント・部品番号 がそろっていません。");
  }
  NetlistPart part;
  part.reference = atoms[2]->atom;
  // "$noname" is a component without a footprint.
  if (atoms[1]->atom != u"$noname") part.footprint = atoms[1]->atom;
  if (atoms.size() > 3) part.value = atoms[3]->atom;
  if (atoms[0]->atom.starts_with(u'/')) part.path = atoms[0]->atom;  // sheet path and stamp
  // Writers put "(null)" for a part without a value: a one-word list on the
  // component's own line is its value, as written.
  const SExpr* nullValue = NullValue(comp, atoms.size());
  if (nullValue) part.value = u"(" + nullValue->items[0].atom + u")";
  for (const SExpr& pin : comp.items) {
    if (!pin.list || &pin == nullValue) continue;
    if (pin.items.size() < 2 || pin.items[0].list || pin.items[1].list) {
      return SyntaxAt(pin, u"ピンの行は ( ピン番号 ネット名 ) の形ではありません。");
    }
    const Text& net = pin.items[1].atom;
    if (net == u"?") {
      sink.addUnconnectedPin();
      continue;
    }
    if (!sink.addPinToNet(net, part.reference, pin.items[0].atom, pin.line)) return sink.stop;
  }
  if (!sink.addPart(std::move(part), comp.line)) return sink.stop;
  return std::nullopt;
}

}  // namespace

// ( { header comment }
//  ( STAMP FOOTPRINT REF VALUE {Lib=...}    VALUE may be (null)
//   ( PIN NET )
//   ...
//  )
// )
// *
// { further blocks }
//
// The nets are those the pins name, in the order they first appear; "?" is no net.
std::optional<NetlistSyntaxError> ReadLegacyNetlist(TextView text, NetlistSink& sink) {
  bool listSeen = false;
  // Each component is taken as it closes and dropped, so the parser holds one at a time.
  const auto closed = [&](const SExpr& comp, std::span<SExpr* const> parents,
                          bool& keep) -> std::optional<NetlistSyntaxError> {
    if (parents.size() == 1) listSeen = true;
    // The components of the first list of the file; what lies inside one waits for it,
    // and the lists of the file stay (without their components) to tell which is first.
    if (parents.size() != 2) return std::nullopt;
    keep = false;
    if (FirstList(*parents[0]) != parents[1]) return std::nullopt;
    return TakeComponent(comp, sink);
  };
  SExpr file;
  if (auto error = ParseSExpr(text, kLegacySyntax, closed, file)) return error;
  if (!listSeen) return NetlistSyntaxError{1, 0, u"部品の一覧「(」がありません。"};
  return std::nullopt;
}

}  // namespace pcbprep
