#include <unordered_map>

#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

// ( { header comment }
//  ( STAMP FOOTPRINT REF VALUE {Lib=...}
//   ( PIN NET )
//   ...
//  )
// )
// *
// { further blocks }
//
// The nets are those the pins name, in the order they first appear; "?" is no net.
std::optional<NetlistSyntaxError> ReadLegacyNetlist(TextView text, ParsedNetlist& out) {
  // What follows the "*" that ends the component list is commentary for other tools.
  std::size_t end = text.size();
  for (const NumberedLine& line : SplitLines(text)) {
    if (Trimmed(line.text) == u"*") {
      end = static_cast<std::size_t>(line.text.data() - text.data());
      break;
    }
  }
  SExpr file;
  if (auto error = ParseSExpr(text.substr(0, end), true, true, file)) return error;
  const SExpr* list = nullptr;
  for (const SExpr& item : file.items) {
    if (item.list) {
      list = &item;
      break;
    }
  }
  if (!list) return NetlistSyntaxError{1, 0, u"部品の一覧「(」がありません。"};

  // Net names to their index, so a large board costs no search per pin.
  std::unordered_map<Text, std::size_t> index;
  const auto lookup = [&](const Text& name, int line) {
    const auto [at, added] = index.try_emplace(name, out.nets.size());
    if (added) out.nets.push_back({name, {}, line});
    return at->second;
  };

  for (const SExpr& comp : list->items) {
    if (!comp.list) continue;
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
    for (const SExpr& pin : comp.items) {
      if (!pin.list) continue;
      if (pin.items.size() < 2 || pin.items[0].list || pin.items[1].list) {
        return SyntaxAt(pin, u"ピンの行は ( ピン番号 ネット名 ) の形ではありません。");
      }
      const Text& net = pin.items[1].atom;
      if (net == u"?") {
        ++out.dropped.unconnectedPins;
        continue;
      }
      out.nets[lookup(net, pin.line)].pins.push_back({part.reference, pin.items[0].atom, pin.line});
    }
    out.parts.push_back(std::move(part));
  }
  return std::nullopt;
}

}  // namespace pcbprep
