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
std::optional<NetlistSyntaxError> ReadPadsNetlist(TextView text, NetlistSink& sink) {
  enum class Section { kNone, kParts, kNets, kOther };
  Section section = Section::kNone;
  bool signal = false;  // a *SIGNAL* is open
  bool ended = false;
  int lastLine = 1;
  LineReader lines(text);
  NumberedLine line;
  while (lines.next(line)) {
    lastLine = line.number;
    WordReader words(line.text);
    Word first;
    if (!words.next(first)) continue;
    if (first.text == u"*REMARK*") continue;
    if (section == Section::kNone && IsPadsHeaderLine(line.text)) continue;
    if (IsKeyword(first.text)) {
      if (signal) sink.endNet();
      signal = false;
      if (first.text == u"*PART*") {
        section = Section::kParts;
      } else if (first.text == u"*NET*") {
        section = Section::kNets;
      } else if (first.text == u"*SIGNAL*") {
        if (section != Section::kNets) {
          return NetlistSyntaxError{line.number, first.column,
                                    u"*SIGNAL* が *NET* の外にあります。"};
        }
        Word name;
        if (!words.next(name)) {
          return NetlistSyntaxError{line.number, first.column,
                                    u"*SIGNAL* のあとにネット名がありません。"};
        }
        sink.beginNet(Text(name.text), line.number);
        signal = true;
      } else if (first.text == u"*END*") {
        ended = true;
        break;
      } else {
        section = Section::kOther;  // the header and sections the nets do not need
      }
      continue;
    }
    if (section == Section::kParts) {
      Word second;
      if (!words.next(second)) {
        return NetlistSyntaxError{line.number, first.column,
                                  u"部品の行に 部品番号 と デカル名 がそろっていません。"};
      }
      NetlistPart part;
      part.reference = Text(first.text);
      // Writers separate the two by a TAB or blanks, and a decal may hold blanks.
      const TextView decal = Trimmed(line.text.substr(static_cast<std::size_t>(second.column) - 1));
      const std::size_t at = decal.rfind(u'@');
      part.footprint = Text(at == TextView::npos ? decal : decal.substr(at + 1));
      if (at != TextView::npos) part.value = Text(decal.substr(0, at));
      if (!sink.addPart(std::move(part), line.number)) return sink.stop;
    } else if (section == Section::kNets) {
      if (!signal) {
        return NetlistSyntaxError{line.number, first.column, u"ピンの前に *SIGNAL* がありません。"};
      }
      for (Word word = first;;) {
        Text reference;
        Text pin;
        if (!SplitDottedPin(word.text, reference, pin)) {
          return NetlistSyntaxError{
              line.number, word.column,
              u"ピン「" + QuotedPart(word.text) + u"」が 部品番号.ピン番号 の形ではありません。"};
        }
        if (!sink.addPin(std::move(reference), std::move(pin), line.number)) return sink.stop;
        if (!words.next(word)) break;
      }
    }
  }
  if (!ended) {
    return NetlistSyntaxError{
        lastLine, 0, u"ファイルの終わりの *END* がありません（途中で切れたファイルです）。"};
  }
  return std::nullopt;
}

}  // namespace pcbprep
