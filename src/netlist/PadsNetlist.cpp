#include "netlist/NetlistFormatReaders.h"

namespace pcbprep {

namespace {

// "*NAME*" as the first word of a line starts a section or a signal.
bool IsKeyword(TextView word) {
  return word.size() >= 2 && word.front() == u'*' && word.back() == u'*';
}

}  // namespace

// *PADS-PCB*             or *PADS2000*, or a header such as !PADS-POWERPCB-V3.0-MILS!
// *PART*
// R1 RES0603            reference and decal (the rest of the line: "CONNECTOR 10 2")
// U1 LM358@SO8          or reference, part type and decal
// *NET*
// *SIGNAL* GND
// R1.2 U1.4 ...         the pins of the signal, REF.PIN, on as many lines as it takes
// *END*
std::optional<NetlistSyntaxError> ReadPadsNetlist(TextView text, ParsedNetlist& out) {
  enum class Section { kNone, kParts, kNets, kOther };
  Section section = Section::kNone;
  bool ended = false;
  const std::vector<NumberedLine> lines = SplitLines(text);
  for (const NumberedLine& line : lines) {
    const std::vector<Word> words = SplitWords(line.text);
    if (words.empty()) continue;
    const TextView first = words.front().text;
    if (first == u"*REMARK*") continue;
    if (section == Section::kNone && IsPadsHeaderLine(line.text)) continue;
    if (IsKeyword(first)) {
      if (first == u"*PART*") {
        section = Section::kParts;
      } else if (first == u"*NET*") {
        section = Section::kNets;
      } else if (first == u"*SIGNAL*") {
        if (section != Section::kNets) {
          return NetlistSyntaxError{line.number, words.front().column,
                                    u"*SIGNAL* が *NET* の外にあります。"};
        }
        if (words.size() < 2) {
          return NetlistSyntaxError{line.number, words.front().column,
                                    u"*SIGNAL* のあとにネット名がありません。"};
        }
        out.nets.push_back({Text(words[1].text), {}, line.number});
      } else if (first == u"*END*") {
        ended = true;
        break;
      } else {
        section = Section::kOther;  // the header and sections the nets do not need
      }
      continue;
    }
    if (section == Section::kParts) {
      if (words.size() < 2) {
        return NetlistSyntaxError{line.number, words.front().column,
                                  u"部品の行に 部品番号 と デカル名 がそろっていません。"};
      }
      NetlistPart part;
      part.reference = Text(first);
      // Writers separate the two by a TAB or blanks, and a decal may hold blanks.
      const TextView decal =
          Trimmed(line.text.substr(static_cast<std::size_t>(words[1].column) - 1));
      const std::size_t at = decal.rfind(u'@');
      part.footprint = Text(at == TextView::npos ? decal : decal.substr(at + 1));
      if (at != TextView::npos) part.value = Text(decal.substr(0, at));
      out.parts.push_back(std::move(part));
    } else if (section == Section::kNets) {
      if (out.nets.empty()) {
        return NetlistSyntaxError{line.number, words.front().column,
                                  u"ピンの前に *SIGNAL* がありません。"};
      }
      for (const Word& word : words) {
        NetlistPin pin;
        if (!SplitDottedPin(word.text, pin.reference, pin.pin)) {
          return NetlistSyntaxError{
              line.number, word.column,
              u"ピン「" + Text(word.text) + u"」が 部品番号.ピン番号 の形ではありません。"};
        }
        pin.line = line.number;
        out.nets.back().pins.push_back(std::move(pin));
      }
    }
  }
  if (!ended) {
    return NetlistSyntaxError{
        lines.empty() ? 1 : lines.back().number, 0,
        u"ファイルの終わりの *END* がありません（途中で切れたファイルです）。"};
  }
  return std::nullopt;
}

}  // namespace pcbprep
