#include "bench/BenchDesigns.h"

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "design/CodePage.h"

namespace pcbprep::bench {

namespace {

// Texts put together piece by piece (appending also keeps g++ 12 from a false
// overlap warning that "literal" + temporary text raises at -O3).
template <typename... Pieces>
Text Join(const Pieces&... pieces) {
  Text out;
  (out.append(TextView(pieces)), ...);
  return out;
}

// Reference prefixes with their share of a typical board: mostly passives, some
// semiconductors, a few connectors, crystals and test points.
struct PrefixShare {
  const char16_t* prefix;
  int weight;
};
constexpr std::array<PrefixShare, 17> kPrefixes{{
    {u"R", 300},
    {u"C", 300},
    {u"U", 50},
    {u"IC", 30},
    {u"X", 8},
    {u"Y", 7},
    {u"CN", 25},
    {u"J", 10},
    {u"P", 10},
    {u"L", 40},
    {u"D", 50},
    {u"LED", 25},
    {u"Q", 40},
    {u"TR", 20},
    {u"TP", 45},
    {u"RA", 20},
    {u"RV", 10},
}};

// Distinct references numbered by schematic sheet, as designers number them: R101,
// R102, ... on sheet 1, R201, ... on sheet 2 (nine sheets unless told).
std::vector<Text> MakeReferences(std::mt19937& random, int count, int sheets = 9) {
  std::vector<int> weights;
  for (const auto& p : kPrefixes) weights.push_back(p.weight);
  std::discrete_distribution<int> pickPrefix(weights.begin(), weights.end());
  std::map<std::pair<int, int>, int> used;  // (prefix, sheet) -> numbers given
  std::vector<Text> references;
  references.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int prefix = pickPrefix(random);
    const int sheet = 1 + static_cast<int>(static_cast<long long>(i) * sheets / count);
    const int number = sheet * 100 + ++used[{prefix, sheet}];
    references.push_back(Join(kPrefixes[static_cast<std::size_t>(prefix)].prefix, IntText(number)));
  }
  return references;
}

Text NetName(int n) {
  Text digits = IntText(n);
  return Join(u"N", Text(digits.size() < 5 ? 5 - digits.size() : 0, u'0'), digits);
}

std::string Encode(const Text& text) { return EncodeCp932(text).bytes; }

// One net into the three tables, as the reader leaves it.
void PutNet(Design& d, int net, const Text& name, const std::vector<Text>& tokens) {
  for (Grid* table : {&d.NetTable, &d.PinPartTable, &d.PinNoTable}) table->set(net, 0, name);
  d.NetTable.set(net, 1, IntText(static_cast<long long>(tokens.size())));
  int column = 2;
  for (const Text& token : tokens) {
    const std::size_t dash = token.find(u'-');
    d.NetTable.set(net, column, token);
    d.PinPartTable.set(net, column, token.substr(0, dash));
    d.PinNoTable.set(net, column, token.substr(dash + 1));
    ++column;
  }
}

// One net as the file writes it: "NAME[" and the first pin, one pin a line, "]" after
// the last.
void AppendNet(Text& text, TextView name, const std::vector<Text>& tokens) {
  if (tokens.empty()) return;
  text += Join(name, u"[");
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    text += Join(tokens[k], k + 1 < tokens.size() ? u"\r\n" : u"]\r\n");
  }
}

// Signal nets of two to four pins within each sheet's pool of pins, named N00001, ...;
// a pin that would put two pins of one part on a net is left open, as a designer
// sometimes does.
void AppendSignalNets(Text& text, std::vector<std::vector<Text>>& sheets, std::mt19937& random) {
  int n = 0;
  for (std::vector<Text>& pool : sheets) {
    std::shuffle(pool.begin(), pool.end(), random);
    std::vector<Text> tokens;
    std::size_t want = 2 + random() % 3;
    for (const Text& token : pool) {
      const TextView reference = TextView(token).substr(0, token.find(u'-'));
      const bool samePart = std::any_of(tokens.begin(), tokens.end(), [&](const Text& t) {
        return TextView(t).substr(0, t.find(u'-')) == reference;
      });
      if (samePart) continue;
      tokens.push_back(token);
      if (tokens.size() == want) {
        AppendNet(text, NetName(++n), tokens);
        tokens.clear();
        want = 2 + random() % 3;
      }
    }
    if (tokens.size() > 1) AppendNet(text, NetName(++n), tokens);
  }
}

}  // namespace

std::string LargestNetlist(unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Text> references = MakeReferences(random, kMaxNets);
  std::shuffle(references.begin(), references.end(), random);
  Text text;
  for (int n = 1; n <= kMaxNets; ++n) {
    const Text& reference = references[static_cast<std::size_t>(n - 1)];
    text += Join(NetName(n), u"[", reference, u"-", IntText(1 + random() % 4), u"]\r\n");
  }
  return Encode(text);
}

std::string WideNetsNetlist(unsigned seed) {
  std::mt19937 random(seed);
  const std::vector<Text> references = MakeReferences(random, kMaxParts);
  std::vector<int> order(references.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);

  Text text;
  int slots = 0;
  // Each supply net takes its own pin of 399 different parts.
  const char16_t* supplies[] = {u"VCC", u"GND", u"+3V3"};
  for (int s = 0; s < 3; ++s) {
    std::shuffle(order.begin(), order.end(), random);
    for (int k = 0; k < kMaxPinsPerNet; ++k) {
      const Text token =
          Join(references[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])], u"-",
               IntText(s + 1));
      if (k == 0) {
        text += Join(supplies[s], u"[", token, u"\r\n");
        slots += 2;
      } else if (k == kMaxPinsPerNet - 1) {
        text += Join(token, u"]\r\n");
        ++slots;
      } else {
        text += Join(token, u"\r\n");
        ++slots;
      }
    }
  }
  // One-pin nets on pins 4 and up fill the remaining slots.
  std::shuffle(order.begin(), order.end(), random);
  for (int n = 1; slots + 2 <= 2000; ++n, slots += 2) {
    const Text& reference =
        references[static_cast<std::size_t>(order[static_cast<std::size_t>(n - 1) % order.size()])];
    text += Join(NetName(n), u"[", reference, u"-", IntText(3 + n), u"]\r\n");
  }
  return Encode(text);
}

std::string BoardNetlist(int parts, unsigned seed) {
  std::mt19937 random(seed);
  const std::vector<Text> references = MakeReferences(random, parts);
  auto pinsOf = [&](const Text& reference) -> int {
    const Text prefix = ReferencePrefix(reference);
    if (prefix == u"TP") return 1;
    if (prefix == u"U" || prefix == u"IC") return 8 + static_cast<int>(random() % 3) * 4;
    if (prefix == u"CN" || prefix == u"J" || prefix == u"P")
      return 4 + static_cast<int>(random() % 4);
    if (prefix == u"Q" || prefix == u"TR" || prefix == u"RV") return 3;
    if (prefix == u"RA") return 8;
    return 2;
  };

  // Supplies: every IC's last two pins, and both pins of every third capacitor.
  std::vector<Text> vcc, gnd;
  std::vector<std::vector<Text>> sheets(10);  // the other pins, by schematic sheet
  for (std::size_t i = 0; i < references.size(); ++i) {
    const Text& reference = references[i];
    const Text prefix = ReferencePrefix(reference);
    const int pins = pinsOf(reference);
    const bool ic = prefix == u"U" || prefix == u"IC";
    const bool decoupling = prefix == u"C" && i % 3 == 0;
    for (int pin = 1; pin <= pins; ++pin) {
      const Text token = Join(reference, u"-", IntText(pin));
      if ((ic && pin == pins - 1) || (decoupling && pin == 1)) {
        vcc.push_back(token);
      } else if ((ic && pin == pins) || (decoupling && pin == 2)) {
        gnd.push_back(token);
      } else {
        sheets[1 + i * 9 / references.size()].push_back(token);
      }
    }
  }

  Text text;
  AppendNet(text, u"VCC", vcc);
  AppendNet(text, u"GND", gnd);
  AppendSignalNets(text, sheets, random);
  return Encode(text);
}

std::string LargeBoardNetlist(int parts, unsigned seed) {
  std::mt19937 random(seed);
  // Sheets of 250 parts keep every prefix below 100 parts a sheet, so the numbers stay
  // distinct (R101 .. R199 on sheet 1, R8001 .. on sheet 80).
  const int sheets = std::max(9, parts / 250);
  const std::vector<Text> references = MakeReferences(random, parts, sheets);
  auto pinsOf = [&](TextView prefix) -> int {
    if (prefix == u"TP") return 1;
    if (prefix == u"U" || prefix == u"IC") return 16 + static_cast<int>(random() % 8) * 6;
    if (prefix == u"CN" || prefix == u"J" || prefix == u"P")
      return 10 + static_cast<int>(random() % 21);
    if (prefix == u"Q" || prefix == u"TR" || prefix == u"RV") return 3;
    if (prefix == u"RA") return 8;
    return 2;
  };

  // A quarter of every IC's pins and a tenth of every connector's go to GND, a tenth of
  // the IC pins to one of six supply rails; every other capacitor decouples a rail.
  const char16_t* rails[] = {u"VCC", u"+3V3", u"+1V8", u"+1V2", u"+5V", u"VDDQ"};
  std::vector<Text> gnd;
  std::vector<std::vector<Text>> supply(std::size(rails));
  std::vector<std::vector<Text>> sheetPins(static_cast<std::size_t>(sheets) + 1);
  for (std::size_t i = 0; i < references.size(); ++i) {
    const Text& reference = references[i];
    const Text prefix = ReferencePrefix(reference);
    const int pins = pinsOf(prefix);
    const bool ic = prefix == u"U" || prefix == u"IC";
    const bool connector = prefix == u"CN" || prefix == u"J" || prefix == u"P";
    const bool decoupling = prefix == u"C" && i % 2 == 0;
    const std::size_t rail = random() % std::size(rails);
    for (int pin = 1; pin <= pins; ++pin) {
      const Text token = Join(reference, u"-", IntText(pin));
      if ((ic && pin % 4 == 0) || (connector && pin % 10 == 0) || (decoupling && pin == 2)) {
        gnd.push_back(token);
      } else if ((ic && pin % 10 == 1) || (decoupling && pin == 1)) {
        supply[ic ? random() % std::size(rails) : rail].push_back(token);
      } else {
        sheetPins[static_cast<std::size_t>(1 + static_cast<long long>(i) * sheets /
                                                   static_cast<long long>(references.size()))]
            .push_back(token);
      }
    }
  }

  Text text;
  AppendNet(text, u"GND", gnd);
  for (std::size_t r = 0; r < std::size(rails); ++r) AppendNet(text, rails[r], supply[r]);
  AppendSignalNets(text, sheetPins, random);
  return Encode(text);
}

void FillDenseNets(Design& d, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Text> references = MakeReferences(random, kMaxParts);
  std::shuffle(references.begin(), references.end(), random);
  auto anyPart = [&] { return references[random() % references.size()]; };

  // A pin of its own for every token, so the check reports only what a real board
  // would: a few duplicates where the random wiring happens to meet.
  std::map<Text, int> pinOf;
  auto token = [&](const Text& reference) {
    return Join(reference, u"-", IntText(++pinOf[reference]));
  };

  d.NetCount = 0;
  for (const char16_t* supply : {u"VCC", u"GND"}) {
    std::vector<Text> tokens;
    for (int k = 0; k < kMaxPinsPerNet; ++k) tokens.push_back(token(anyPart()));
    PutNet(d, ++d.NetCount, supply, tokens);
  }
  // Signal net n starts with part n - 3; the first two also take the last two parts.
  for (int n = 3; n <= kMaxNets; ++n) {
    const int pins = 2 + static_cast<int>(random() % 4);
    std::vector<Text> tokens{token(references[static_cast<std::size_t>(n - 3)])};
    if (n < 5) tokens.push_back(token(references[static_cast<std::size_t>(kMaxParts - 5 + n)]));
    while (static_cast<int>(tokens.size()) < pins) tokens.push_back(token(anyPart()));
    PutNet(d, ++d.NetCount, NetName(n), tokens);
  }
}

void FillChainNets(Design& d) {
  d.NetCount = 0;
  auto reference = [](int i) { return i == 1 ? Text(u"U1") : Join(u"R", IntText(i)); };
  for (int n = 1; n < kMaxParts; ++n) {
    PutNet(d, ++d.NetCount, NetName(n), {Join(reference(n), u"-2"), Join(reference(n + 1), u"-1")});
  }
}

SymbolSizes DefaultSymbolSizes() {
  return {u"C1608", u"R1608", u"RA4-M", u"L1608", u"TP06", u"", u"", u""};
}

IgnoreNetList DefaultSkipNets(const Text& largestNet) {
  IgnoreNetList boxes;
  boxes[0] = largestNet;
  boxes[4] = u"VCC";
  boxes[9] = u"GND";
  return boxes;
}

}  // namespace pcbprep::bench
