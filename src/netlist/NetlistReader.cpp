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

Text PinTotalStatus(long long totalPins) { return totalPins > kMaxTotalPinsOk ? u"OVR" : u"OK"; }

namespace {

// Capacity pass: the whole file must fit the line slots before any table is written.
// An empty line takes no slot, an opening line two, any other line one.
LoadResult CheckLineSlots(TextView text) {
  NetlistItemReader reader(text);
  NetlistItem item;
  int used = 0;
  while (true) {
    if (used + 1 > kMaxLineSlots) {
      if (reader.next(item)) return Fail(LoadFailure::TooManyLineSlots, item.line);
      break;
    }
    if (!reader.next(item)) break;
    if (item.text.empty()) continue;
    if (item.text.find(u'[') != Text::npos) {
      if (used + 2 > kMaxLineSlots) return Fail(LoadFailure::TooManyLineSlots, item.line);
      used += 2;
    } else {
      used += 1;
    }
  }
  return LoadResult();
}

// Parse pass into empty net tables: row r is the net being read, c the next column.
// On failure d holds the part read so far.
LoadResult ParseNets(Design& d, TextView text) {
  NetlistItemReader reader(text);
  NetlistItem item;
  int r = 1;
  int c = kNetName;
  Text reference;
  Text pinNumber;
  auto failHere = [&](LoadFailure f) {
    d.NetCount = static_cast<std::int16_t>(r - 1);
    return Fail(f, item.line);
  };
  while (reader.next(item)) {
    if (r > kMaxNets) return failHere(LoadFailure::TooManyNets);
    if (c > kNetColumns - 1) return failHere(LoadFailure::TooManyPins);
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
  d.NetCount = static_cast<std::int16_t>(r - 1);
  return LoadResult();
}

// Summary of the loaded tables: the pin total with its status, and the net with the
// most pins (on a tie the earlier net) as the first net not to follow.
void Summarize(const Design& d, LoadResult& result) {
  for (int n = 1; n <= d.NetCount; ++n) {
    result.totalPins += static_cast<long long>(NumericValue(d.NetTable.at(n, kNetPinCount)));
  }
  result.status = PinTotalStatus(result.totalPins);

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

// Parses into empty net tables; on failure d holds the part read so far.
LoadResult ParseNetlist(Design& d, TextView text) {
  if (LoadResult slots = CheckLineSlots(text); !slots.ok()) return slots;
  LoadResult result = ParseNets(d, text);
  if (result.ok()) Summarize(d, result);
  return result;
}

enum class NetsRequired { kNo, kYes };

// Parses into fresh tables that replace the design's only when the whole load succeeds.
LoadResult LoadDecoded(Design& design, TextView text, NetsRequired required) {
  Design fresh;
  LoadResult result = ParseNetlist(fresh, text);
  // A text without any net (a note, an empty file, another kind of list) would only
  // throw the loaded board away.
  if (result.ok() && required == NetsRequired::kYes && fresh.NetCount == 0) {
    return Fail(LoadFailure::NoNets, 0);
  }
  if (result.ok()) {
    std::swap(design.NetTable, fresh.NetTable);
    std::swap(design.PinPartTable, fresh.PinPartTable);
    std::swap(design.PinNoTable, fresh.PinNoTable);
    design.NetCount = fresh.NetCount;
  }
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

LoadResult LoadNetlistText(Design& design, TextView text) {
  return LoadDecoded(design, text, NetsRequired::kNo);
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
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  if (bytes.starts_with(kUtf8Mark)) {
    decoded = DecodeUtf8(bytes.substr(kUtf8Mark.size()));
    return LoadResult();
  }
  decoded = DecodeCp932(bytes);
  return LoadResult();
}

LoadResult LoadNetlistBytes(Design& design, std::string_view bytes) {
  DecodeResult decoded;
  LoadResult result = DecodeNetlistBytes(bytes, decoded);
  if (!result.ok()) return result;
  result = LoadDecoded(design, decoded.text, NetsRequired::kYes);
  result.invalidBytes = decoded.invalidBytes;
  return result;
}

LoadResult LoadNetlistFile(Design& design, const std::string& path, Text* rawText,
                           std::string* fileBytes) {
  FileReadResult file = ReadWholeFile(path);
  if (!file.ok()) {
    LoadResult result = Fail(LoadFailure::Unreadable, 0);
    result.detail = FromUtf8(file.reason);
    return result;
  }
  DecodeResult decoded;
  LoadResult result = DecodeNetlistBytes(file.bytes, decoded);
  if (!result.ok()) return result;
  result = LoadDecoded(design, decoded.text, NetsRequired::kYes);
  result.invalidBytes = decoded.invalidBytes;
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
      reason = u"行数が上限（" + IntText(kMaxLineSlots) + u" 行分）を超えています。";
      break;
    case LoadFailure::TooManyNets:
      reason = u"ネット数が上限（" + IntText(kMaxNets) + u"）を超えています。";
      break;
    case LoadFailure::TooManyPins:
      reason = u"１ネットのピン数が上限（" + IntText(kMaxPinsPerNet) + u"）を超えています。";
      break;
    case LoadFailure::TokenWithoutHyphen:
      reason = u"ピン名に「-」がありません（部品番号-ピン番号 の形式ではありません）。";
      break;
    case LoadFailure::NotText:
      reason = u"テキストのネットリストではありません。";
      break;
    case LoadFailure::NoNets:
      reason = u"ネットが１つもありません。ネットリストではない可能性があります。";
      break;
  }
  Text message = u"ネットリストの読み込みを中止しました。\n\nファイル: ";
  message += path;
  if (result.line > 0) message += u"\n行: " + IntText(result.line);
  message += u"\n理由: " + reason;
  return message;
}

}  // namespace pcbprep
