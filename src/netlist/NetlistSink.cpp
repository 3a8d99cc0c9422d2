#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

namespace {

// A KiCad net of one pin that the schematic left unconnected.
bool IsUnconnectedNet(const ParsedNetlist& out, const NetlistNet& net) {
  return out.format == NetlistFormat::kKicad && net.name.starts_with(u"unconnected-(");
}

// More parts than any table can use: a file that lists them is not a netlist.
constexpr std::size_t kMaxFileParts = 2 * static_cast<std::size_t>(kLargeCapacity.parts);

}  // namespace

NetlistSink::NetlistSink(ParsedNetlist& out, const Capacity& capacity)
    : out_(out), capacity_(capacity) {}

void NetlistSink::beginNet(Text name, int line) {
  if (open_) endNet();
  out_.nets.push_back({std::move(name), {}, line});
  open_ = true;
}

void NetlistSink::renameNet(Text name) {
  if (open_) out_.nets.back().name = std::move(name);
}

bool NetlistSink::limit(LoadFailure failure, int line, const NetlistNet& net) {
  stop = NetlistSyntaxError{line, 0, Text(), failure, net.name};
  return false;
}

// Counts pin `pin` of a net as the tables take it: the net's first pin opens a row and
// takes two line slots, each further pin one slot and one column.
bool NetlistSink::count(const NetlistNet& net, std::size_t pin) {
  if (pin == 0) {
    if (slots_ + 2 > capacity_.lineSlots) {
      return limit(LoadFailure::TooManyLineSlots, net.line, net);
    }
    if (rows_ + 1 > capacity_.nets) return limit(LoadFailure::TooManyNets, net.line, net);
    ++rows_;
    slots_ += 2;
    return true;
  }
  const int line = net.pins[pin].line;
  if (slots_ + 1 > capacity_.lineSlots) return limit(LoadFailure::TooManyLineSlots, line, net);
  if (pin + 1 > static_cast<std::size_t>(capacity_.pinsPerNet)) {
    return limit(LoadFailure::TooManyPins, line, net);
  }
  ++slots_;
  return true;
}

bool NetlistSink::addPin(Text reference, Text pin, int line) {
  if (reference.starts_with(u'#')) {
    ++out_.dropped.flagPins;
    return true;
  }
  NetlistNet& net = out_.nets.back();
  net.pins.push_back({std::move(reference), std::move(pin), line});
  // An unconnected net's only pin is dropped with it; its pins count from the second.
  if (IsUnconnectedNet(out_, net)) {
    if (net.pins.size() == 1) return true;
    if (net.pins.size() == 2 && !count(net, 0)) return false;
  }
  return count(net, net.pins.size() - 1);
}

void NetlistSink::endNet() {
  if (!open_) return;
  open_ = false;
  const NetlistNet& net = out_.nets.back();
  if (net.pins.empty()) {
    ++out_.dropped.emptyNets;
  } else if (net.pins.size() == 1 && IsUnconnectedNet(out_, net)) {
    ++out_.dropped.unconnectedNets;
  } else {
    return;
  }
  out_.nets.pop_back();
}

bool NetlistSink::addPinToNet(const Text& name, Text reference, Text pin, int line) {
  const auto [at, added] = byName_.try_emplace(name, out_.nets.size());
  if (added) {
    // A net named only by dropped pins is held until the end; a file naming far more
    // nets than the tables hold is refused rather than held.
    if (out_.nets.size() >= 2 * static_cast<std::size_t>(capacity_.nets)) {
      const NetlistNet named{name, {}, line};
      return limit(LoadFailure::TooManyNets, line, named);
    }
    out_.nets.push_back({name, {}, line});
  }
  if (reference.starts_with(u'#')) {
    ++out_.dropped.flagPins;
    return true;
  }
  NetlistNet& net = out_.nets[at->second];
  net.pins.push_back({std::move(reference), std::move(pin), line});
  return count(net, net.pins.size() - 1);
}

bool NetlistSink::addPart(NetlistPart part, int line) {
  if (out_.parts.size() >= kMaxFileParts) {
    stop = NetlistSyntaxError{
        line, 0,
        u"部品が多すぎます（" + IntText(static_cast<long long>(kMaxFileParts)) + u" 個まで）。"};
    return false;
  }
  if (++partsNamed_[part.reference] == 2 && out_.repeatedReferences++ == 0) {
    out_.repeatedReference = part.reference;
  }
  out_.parts.push_back(std::move(part));
  return true;
}

void NetlistSink::finish() {
  endNet();
  if (byName_.empty()) return;
  std::vector<NetlistNet> kept;
  kept.reserve(out_.nets.size());
  for (NetlistNet& net : out_.nets) {
    if (net.pins.empty()) {
      ++out_.dropped.emptyNets;
    } else {
      kept.push_back(std::move(net));
    }
  }
  out_.nets = std::move(kept);
}

}  // namespace pcbprep
