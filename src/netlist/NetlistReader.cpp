#include "netlist/NetlistReader.h"

#include <algorithm>
#include <utility>

#include "design/CodePage.h"
#include "design/FileIO.h"
#include "design/Numeric.h"

namespace pcbprep {

bool NetlistItemReader::next(NetlistItem& item) {
  const std::size_t n = text_.size();
  if (pos_ >= n) return false;
  while (pos_ < n && IsBlank(text_[pos_])) ++pos_;
  item.line = line_;
  item.text.clear();

  auto endOfItem = [&] {
    // Consume the delimiter that ended the item.
    if (pos_ >= n) return;
    const char16_t c = text_[pos_];
    if (c == u',') {
      ++pos_;
    } else if (c == u'\r') {
      ++pos_;
      if (pos_ < n && text_[pos_] == u'\n') ++pos_;
      ++line_;
    } else if (c == u'\n') {
      ++pos_;
      ++line_;
    }
  };

  if (pos_ < n && text_[pos_] == u'"') {
    ++pos_;
    const std::size_t start = pos_;
    while (pos_ < n && text_[pos_] != u'"') {
      const char16_t c = text_[pos_];
      if (c == u'\n' || (c == u'\r' && !(pos_ + 1 < n && text_[pos_ + 1] == u'\n'))) ++line_;
      ++pos_;
    }
    item.text.assign(text_.substr(start, pos_ - start));
    if (pos_ < n) ++pos_;  // closing quote
    // Anything between the closing quote and the delimiter is not part of the item.
    while (pos_ < n && text_[pos_] != u',' && text_[pos_] != u'\r' && text_[pos_] != u'\n') ++pos_;
    endOfItem();
    return true;
  }

  const std::size_t start = pos_;
  while (pos_ < n && text_[pos_] != u',' && text_[pos_] != u'\r' && text_[pos_] != u'\n') ++pos_;
  item.text.assign(text_.substr(start, pos_ - start));
  endOfItem();
  return true;
}

bool SplitPinToken(TextView token, Text& reference, Text& pinNumber) {
  const std::size_t first = token.find(u'-');
  if (first == TextView::npos) return false;
  reference.assign(token.substr(0, first));
  const std::size_t second = token.find(u'-', first + 1);
  pinNumber.assign(second == TextView::npos ? token.substr(first + 1)
                                            : token.substr(first + 1, second - first - 1));
  return true;
}

namespace {

LoadResult Fail(LoadFailure failure, int line) {
  LoadResult result;
  result.failure = failure;
  result.line = line;
  return result;
}

}  // namespace

Text PinTotalStatus(long long totalPins, const Capacity& capacity) {
  return NetTableLimits(capacity).pinTotalStatus(totalPins);
}

namespace {

// Capacity pass: the whole file must fit the line slots before any table is written.
// The pass reads on past a failure to count the slots the whole file takes.
LoadResult CheckLineSlots(TextView text, const NetTableLimits& limits) {
  NetlistItemReader reader(text);
  NetlistItem item;
  LoadResult result;
  long long used = 0;
  while (reader.next(item)) {
    if (result.ok() && !(limits.slotFree(used) && limits.lineFits(used, item.text))) {
      result = Fail(LoadFailure::TooManyLineSlots, item.line);
    }
    used += NetTableLimits::LineSlots(item.text);
  }
  if (!result.ok()) result.needs.lineSlots = used;
  return result;
}

// Parse pass into empty net tables: row r is the net being read, c the next column.
// On failure d holds the part read so far and `row` the row the failure met.
LoadResult ParseNets(Design& d, TextView text, const NetTableLimits& limits, int& row) {
  NetlistItemReader reader(text);
  NetlistItem item;
  int r = 1;
  int c = kNetName;
  Text reference;
  Text pinNumber;
  auto failHere = [&](LoadFailure f) {
    d.NetCount = r - 1;
    row = r;
    return Fail(f, item.line);
  };
  while (reader.next(item)) {
    if (const LoadFailure f = limits.beforeLine(r, c); f != LoadFailure::None) return failHere(f);
    const Text& line = item.text;
    d.NetTable.set(r, c, line);

    // "NAME[FIRST-PIN" opens a net; "NAME[ONLY-PIN]" is a whole net of one pin.
    const std::size_t open = line.find(u'[');
    if (open != Text::npos) {
      const Text name = line.substr(0, open);
      const std::size_t nextOpen = line.find(u'[', open + 1);
      Text first = line.substr(open + 1, nextOpen == Text::npos ? Text::npos : nextOpen - open - 1);
      const std::size_t close = first.find(u']');
      const bool onePin = close != Text::npos;
      if (onePin) first.resize(close);
      d.NetTable.set(r, kNetName, name);
      d.PinPartTable.set(r, kNetName, name);
      d.PinNoTable.set(r, kNetName, name);
      d.NetTable.set(r, kFirstPinColumn, first);
      if (!SplitPinToken(first, reference, pinNumber)) {
        return failHere(LoadFailure::TokenWithoutHyphen);
      }
      d.PinPartTable.set(r, kFirstPinColumn, reference);
      d.PinNoTable.set(r, kFirstPinColumn, pinNumber);
      // Past the name, the count and the first pin; counted on from c, as a second
      // opening line inside an open net moves on by as many.
      c += kFirstPinColumn + 1;
      if (onePin) {
        d.NetTable.set(r, kNetPinCount, u"1");
        ++r;
        c = kNetName;
      }
      continue;
    }

    // "LAST-PIN]" closes the net.
    const std::size_t close = line.find(u']');
    if (close != Text::npos) {
      const Text last = line.substr(0, close);
      d.NetTable.set(r, c, last);
      if (!SplitPinToken(last, reference, pinNumber)) {
        return failHere(LoadFailure::TokenWithoutHyphen);
      }
      d.PinPartTable.set(r, c, reference);
      d.PinNoTable.set(r, c, pinNumber);
      d.NetTable.set(r, kNetPinCount, IntText(c - kFirstPinColumn + 1));
      c = kNetName;
      ++r;
      continue;
    }

    // "REF-PIN" inside a net.
    if (line.find(u'-') != Text::npos) {
      SplitPinToken(line, reference, pinNumber);
      d.PinPartTable.set(r, c, reference);
      d.PinNoTable.set(r, c, pinNumber);
      ++c;
    }
    // Any other line is ignored; its stored text is overwritten by the next line.
  }
  d.NetCount = r - 1;
  return LoadResult();
}

// Summary of the loaded tables: the pin total with its status, and the net with the
// most pins (on a tie the earlier net) as the first net not to follow.
void Summarize(const Design& d, const NetTableLimits& limits, LoadResult& result) {
  for (int n = 1; n <= d.NetCount; ++n) {
    result.totalPins += static_cast<long long>(NumericValue(d.NetTable.at(n, kNetPinCount)));
  }
  result.status = limits.pinTotalStatus(result.totalPins);

  if (d.NetCount > 0) {
    int best = 1;
    double bestCount = NumericValue(d.NetTable.at(1, kNetPinCount));
    for (int n = 2; n <= d.NetCount; ++n) {
      const double count = NumericValue(d.NetTable.at(n, kNetPinCount));
      if (count > bestCount) {
        best = n;
        bestCount = count;
      }
    }
    result.largestNet = d.NetTable.at(best, kNetName);
  }
}

// Parses into empty net tables; on failure d holds the part read so far and `row` the
// net row the failure met.
LoadResult ParseNetlist(Design& d, TextView text, int& row) {
  const NetTableLimits limits(d.capacity());
  if (LoadResult slots = CheckLineSlots(text, limits); !slots.ok()) return slots;
  LoadResult result = ParseNets(d, text, limits, row);
  if (result.ok()) Summarize(d, limits, result);
  return result;
}

bool IsTableLimit(LoadFailure failure) {
  return failure == LoadFailure::TooManyLineSlots || failure == LoadFailure::TooManyNets ||
         failure == LoadFailure::TooManyPins;
}

// What a file stopped at a limit of the standard tables needs, from a load into the
// large ones. Only after a failure, so a file that fits costs one parse.
void MeasureInLargeTables(TextView text, int row, LoadResult& result) {
  Design large(kLargeCapacity);
  int largeRow = 0;
  const LoadResult measured = ParseNetlist(large, text, largeRow);
  LimitNeeds& needs = result.needs;
  needs.fitsLarge = measured.ok();
  if (!measured.ok()) return;
  needs.nets = large.NetCount;
  if (result.failure == LoadFailure::TooManyPins) {
    needs.net = large.NetTable.at(row, kNetName);
    needs.pins = large.pinCount(row);
  }
}

// The nets of a successful load into `fresh` replace the design's; a load in other
// tables gives the design those tables, its part table kept.
void TakeNets(Design& design, Design& fresh) {
  if (fresh.capacity() != design.capacity()) {
    // The parts of the previous netlist stay, as they do for a load in the same tables.
    fresh.PartTable.takeCells(std::move(design.PartTable));
    fresh.PartCount = design.PartCount;
    fresh.BoardSizeX = design.BoardSizeX;
    fresh.BoardSizeY = design.BoardSizeY;
    fresh.NetFilePath = std::move(design.NetFilePath);
    design = std::move(fresh);
    return;
  }
  std::swap(design.NetTable, fresh.NetTable);
  std::swap(design.PinPartTable, fresh.PinPartTable);
  std::swap(design.PinNoTable, fresh.PinNoTable);
  design.NetCount = fresh.NetCount;
  std::swap(design.SchematicParts, fresh.SchematicParts);
}

// A design whose parts do not fit the tables asked for keeps them and refuses the load.
std::optional<LoadResult> PartsDoNotFit(const Design& design, const Capacity& capacity) {
  if (capacity == design.capacity() || design.PartCount <= capacity.parts) return std::nullopt;
  LoadResult result = Fail(LoadFailure::PartsDoNotFit, 0);
  result.capacity = capacity;
  result.needs.parts = design.PartCount;
  return result;
}

// The limits of the tables for nets read from another format: the line slots of the
// whole file first, then net by net the rows and the pin columns, as the bracket
// format meets them. Returns the failure with its line, or None.
LoadResult CheckParsedLimits(const ParsedNetlist& parsed, const NetTableLimits& limits) {
  long long slots = 0;
  LoadResult result;
  for (const NetlistNet& net : parsed.nets) {
    const long long before = slots;
    slots += 1 + static_cast<long long>(net.pins.size());
    if (result.ok() && slots > limits.capacity().lineSlots) {
      // The item past the limit: the net's opening takes two slots, each further pin one.
      const long long left = limits.capacity().lineSlots - before;
      const int line = left < 2 ? net.line : net.pins[static_cast<std::size_t>(left - 1)].line;
      result = Fail(LoadFailure::TooManyLineSlots, line);
    }
  }
  if (!result.ok()) {
    result.needs.lineSlots = slots;
    return result;
  }
  int row = 0;
  for (const NetlistNet& net : parsed.nets) {
    ++row;
    const int lastColumn = kFirstPinColumn + static_cast<int>(net.pins.size()) - 1;
    if (limits.beforeLine(row, kNetName) != LoadFailure::None) {
      return Fail(LoadFailure::TooManyNets, net.line);
    }
    if (limits.beforeLine(row, lastColumn) != LoadFailure::None) {
      const int pinsPerNet = limits.capacity().pinsPerNet;
      LoadResult pins =
          Fail(LoadFailure::TooManyPins, net.pins[static_cast<std::size_t>(pinsPerNet)].line);
      pins.needs.net = net.name;
      pins.needs.pins = static_cast<int>(net.pins.size());
      return pins;
    }
  }
  return result;
}

}  // namespace

LoadResult LoadParsedNetlist(Design& design, ParsedNetlist parsed, const Capacity& capacity) {
  if (auto refused = PartsDoNotFit(design, capacity)) return *refused;
  LoadResult result = CheckParsedLimits(parsed, NetTableLimits(capacity));
  result.capacity = capacity;
  result.format = parsed.format;
  if (!result.ok()) {
    if (!capacity.large && IsTableLimit(result.failure)) {
      result.needs.nets = static_cast<int>(parsed.nets.size());
      result.needs.fitsLarge = CheckParsedLimits(parsed, NetTableLimits(kLargeCapacity)).ok();
    }
    return result;
  }
  Design fresh(capacity);
  int r = 0;
  for (const NetlistNet& net : parsed.nets) {
    ++r;
    fresh.NetTable.set(r, kNetName, net.name);
    fresh.PinPartTable.set(r, kNetName, net.name);
    fresh.PinNoTable.set(r, kNetName, net.name);
    fresh.NetTable.set(r, kNetPinCount, IntText(static_cast<long long>(net.pins.size())));
    int c = kFirstPinColumn;
    for (const NetlistPin& pin : net.pins) {
      fresh.NetTable.set(r, c, pin.reference + u"-" + pin.pin);
      fresh.PinPartTable.set(r, c, pin.reference);
      fresh.PinNoTable.set(r, c, pin.pin);
      ++c;
    }
  }
  fresh.NetCount = r;
  result.dropped = parsed.dropped;
  Summarize(fresh, NetTableLimits(capacity), result);
  fresh.SchematicParts = std::move(parsed.parts);
  TakeNets(design, fresh);
  return result;
}

namespace {

enum class NetsRequired { kNo, kYes };

// Parses into fresh tables that replace the design's only when the whole load succeeds.
// A file read from disk must give a net: a text without any (a note, an empty file,
// another kind of list) would only throw the loaded board away.
LoadResult LoadDecoded(Design& design, TextView text, const Capacity& capacity,
                       NetsRequired required) {
  if (const NetlistFormat format = DetectNetlistFormat(text); format != NetlistFormat::kBracket) {
    ParsedNetlist parsed;
    if (const auto error = ReadForeignNetlist(text, format, parsed)) {
      LoadResult result = Fail(LoadFailure::Syntax, error->line);
      result.column = error->column;
      result.format = format;
      result.detail = error->reason;
      result.capacity = capacity;
      return result;
    }
    if (required == NetsRequired::kYes && parsed.nets.empty()) {
      LoadResult result = Fail(LoadFailure::NoNets, 0);
      result.format = format;
      return result;
    }
    return LoadParsedNetlist(design, std::move(parsed), capacity);
  }
  if (auto refused = PartsDoNotFit(design, capacity)) return *refused;
  Design fresh(capacity);
  int row = 0;
  LoadResult result = ParseNetlist(fresh, text, row);
  result.capacity = capacity;
  if (!result.ok()) {
    if (!capacity.large && IsTableLimit(result.failure)) MeasureInLargeTables(text, row, result);
    return result;
  }
  if (required == NetsRequired::kYes && fresh.NetCount == 0) return Fail(LoadFailure::NoNets, 0);
  TakeNets(design, fresh);
  return result;
}

// UTF-8 text; bytes that are not UTF-8 are counted, replacement characters the file
// holds itself are not.
DecodeResult DecodeUtf8(std::string_view bytes) {
  DecodeResult decoded;
  decoded.text = FromUtf8(bytes);
  std::size_t written = 0;
  for (std::size_t at = bytes.find("\xEF\xBF\xBD"); at != std::string_view::npos;
       at = bytes.find("\xEF\xBF\xBD", at + 3)) {
    ++written;
  }
  const auto replaced =
      static_cast<std::size_t>(std::count(decoded.text.begin(), decoded.text.end(), u'\uFFFD'));
  decoded.invalidBytes = replaced - written;
  return decoded;
}

// A binary file is told by its first kilobytes: a NUL byte, or more than one byte in
// twenty (and at least eight) that is a control character no text file holds or that
// neither code page 932 nor UTF-8 can read. A few stray odd bytes in a real netlist
// stay below that and are only reported.
bool LooksBinary(std::string_view bytes) {
  constexpr std::size_t kHead = 4096;
  const std::string_view head = bytes.substr(0, std::min(bytes.size(), kHead));
  if (head.find('\0') != std::string_view::npos) return true;
  const auto controls =
      static_cast<std::size_t>(std::count_if(head.begin(), head.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        // Tab, line feed, form feed, carriage return, the DOS end-of-file mark and escape
        // turn up in text.
        return (b < 0x20 && b != '\t' && b != '\n' && b != '\f' && b != '\r' && b != 0x1A &&
                b != 0x1B) ||
               b == 0x7F;
      }));
  const std::size_t unreadable =
      std::min(DecodeCp932(head).invalidBytes, DecodeUtf8(head).invalidBytes);
  const std::size_t odd = controls + unreadable;
  return odd >= 8 && odd * 20 > head.size();
}

}  // namespace

LoadResult LoadNetlistText(Design& design, TextView text, const Capacity& capacity) {
  return LoadDecoded(design, text, capacity, NetsRequired::kNo);
}

LoadResult LoadNetlistText(Design& design, TextView text) {
  return LoadNetlistText(design, text, design.capacity());
}

LoadResult DecodeNetlistBytes(std::string_view bytes, DecodeResult& decoded) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    decoded = DecodeResult();
    return Fail(LoadFailure::Utf16, 0);
  }
  if (LooksBinary(bytes)) {
    decoded = DecodeResult();
    return Fail(LoadFailure::NotText, 0);
  }
  LoadResult result;
  const bool marked = bytes.starts_with(kUtf8Mark);
  if (marked) bytes.remove_prefix(kUtf8Mark.size());
  // Without a mark, bytes that are all valid UTF-8 and not all ASCII are UTF-8: code
  // page 932 text of any length is almost never valid UTF-8.
  if (marked || (IsValidUtf8(bytes) && !IsAscii(bytes))) {
    decoded = DecodeUtf8(bytes);
    result.utf8 = true;
    return result;
  }
  decoded = DecodeCp932(bytes);
  return result;
}

LoadResult LoadNetlistBytes(Design& design, std::string_view bytes, const Capacity& capacity) {
  DecodeResult decoded;
  LoadResult result = DecodeNetlistBytes(bytes, decoded);
  if (!result.ok()) return result;
  const bool utf8 = result.utf8;
  result = LoadDecoded(design, decoded.text, capacity, NetsRequired::kYes);
  result.invalidBytes = decoded.invalidBytes;
  result.utf8 = utf8;
  return result;
}

LoadResult LoadNetlistBytes(Design& design, std::string_view bytes) {
  return LoadNetlistBytes(design, bytes, design.capacity());
}

LoadResult LoadNetlistFile(Design& design, const std::string& path) {
  return LoadNetlistFile(design, path, design.capacity());
}

LoadResult LoadNetlistFile(Design& design, const std::string& path, const Capacity& capacity,
                           Text* rawText, std::string* fileBytes) {
  FileReadResult file = ReadWholeFile(path);
  if (!file.ok()) {
    LoadResult result = Fail(LoadFailure::Unreadable, 0);
    result.detail = FromUtf8(file.reason);
    return result;
  }
  DecodeResult decoded;
  LoadResult result = DecodeNetlistBytes(file.bytes, decoded);
  if (!result.ok()) return result;
  const bool utf8 = result.utf8;
  result = LoadDecoded(design, decoded.text, capacity, NetsRequired::kYes);
  result.invalidBytes = decoded.invalidBytes;
  result.utf8 = utf8;
  if (result.ok() && rawText) *rawText = std::move(decoded.text);
  if (result.ok() && fileBytes) *fileBytes = std::move(file.bytes);
  return result;
}

Text LoadFailureMessage(const LoadResult& result, TextView path) {
  Text reason;
  switch (result.failure) {
    case LoadFailure::None:
      return Text();
    case LoadFailure::Unreadable:
      reason = u"ファイルを開けないか、読み込めません。";
      if (!result.detail.empty()) reason += u"（" + result.detail + u"）";
      break;
    case LoadFailure::Utf16:
      reason = u"UTF-16 で保存されたファイルです。Shift_JIS で保存し直してください。";
      break;
    case LoadFailure::TooManyLineSlots:
    case LoadFailure::TooManyNets:
    case LoadFailure::TooManyPins:
    case LoadFailure::PartsDoNotFit:
      reason = LimitReason(result.failure, result.capacity);
      break;
    case LoadFailure::Syntax:
      reason =
          NetlistFormatName(result.format) + u" のネットリストとして読めません。" + result.detail;
      break;
    case LoadFailure::TokenWithoutHyphen:
      reason = u"ピン名に「-」がありません（部品番号-ピン番号 の形式ではありません）。";
      break;
    case LoadFailure::NotText:
      reason = u"テキストのネットリストではありません。";
      break;
    case LoadFailure::NoNets:
      reason =
          u"ネットが１つもありません。ネットリストではない可能性があります。\n"
          u"読めるネットリストの形式:\n" +
          ReadableFormatsText();
      break;
  }
  Text message = u"ネットリストの読み込みを中止しました。\n\nファイル: ";
  message += path;
  // The line of the file, as an editor numbers it; not the line slots of the tables.
  if (result.line > 0) message += u"\nファイルの行: " + IntText(result.line);
  if (result.column > 0) message += u"\n桁: " + IntText(result.column);
  message += u"\n理由: " + reason;
  if (const Text needs = LimitNeedsLine(result.failure, result.needs); !needs.empty()) {
    message += u"\n" + needs;
  }
  return message;
}

bool LargeCapacityWouldLoad(const LoadResult& result) {
  return !result.capacity.large && result.needs.fitsLarge;
}

Text LargeCapacityDescription() {
  const Capacity& c = kLargeCapacity;
  return u"ネット " + IntText(c.nets) + u"、１ネットのピン " + IntText(c.pinsPerNet) + u"、" +
         IntText(c.lineSlots) + u" 行分、部品 " + IntText(c.parts);
}

Text LargeCapacityQuestion() {
  return u"大規模ネットリスト（" + LargeCapacityDescription() + u"）として読み込みますか？";
}

Text NetlistLoadedStatus(TextView path, const LoadResult& result, int netCount) {
  Text status = u"ネットリストを読み込みました: " + Text(path) + u"（";
  if (result.format != NetlistFormat::kBracket) {
    status += NetlistFormatName(result.format) + (result.utf8 ? u"、UTF-8、" : u"、");
  }
  status += u"ネット " + IntText(netCount) + u"、ピン " + IntText(result.totalPins) +
            (result.capacity.large ? u"、大規模ネットリスト）" : u"）");
  const NetlistDropped& d = result.dropped;
  const std::pair<int, const char16_t*> dropped[] = {
      {d.flagPins, u"電源・フラグのピン "},
      {d.unconnectedPins, u"未接続のピン "},
      {d.unconnectedNets, u"未接続のネット "},
      {d.emptyNets, u"ピンのないネット "},
  };
  Text left;
  for (const auto& [count, what] : dropped) {
    if (count > 0) left += (left.empty() ? u"" : u"、") + Text(what) + IntText(count);
  }
  if (!left.empty()) status += u" 除外: " + left;
  return status;
}

}  // namespace pcbprep
