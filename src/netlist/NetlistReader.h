#pragma once

#include <string_view>

#include "design/CodePage.h"
#include "design/Design.h"

namespace pcbprep {

inline constexpr int kMaxLineSlots = 2000;
inline constexpr int kMaxTotalPinsOk = 2000;

enum class LoadFailure {
  None,
  Unreadable,          // the file could not be opened or read
  TooManyLineSlots,    // more than 2000 line slots in the capacity pass
  TooManyNets,         // a net row beyond 1000 needed
  TooManyPins,         // a pin column beyond 400 needed
  TokenWithoutHyphen,  // an opening or closing pin token without "-"
  Utf16,               // the file starts with a UTF-16 byte-order mark
  NotText,             // NUL bytes or many unreadable bytes at the start: a binary file
  NoNets,              // the file gave no net at all: most likely not a netlist
};

struct LoadResult {
  LoadFailure failure = LoadFailure::None;
  int line = 0;                  // 1-based line of the file where the load stopped (0 if none)
  std::size_t invalidBytes = 0;  // bytes that were not valid code page 932
  Text detail;                   // why the file could not be read (Unreadable)

  // Set only when the load succeeded.
  long long totalPins = 0;
  Text status;      // "OK", or "OVR" when the total pins exceed 2000
  Text largestNet;  // proposal for the first ignored-net box

  bool ok() const { return failure == LoadFailure::None; }
};

// One item of the comma-delimited file and the 1-based line it starts on.
struct NetlistItem {
  Text text;
  int line = 1;
};

// Reads the items of a decoded netlist text one at a time: an item ends at a comma,
// CR, CR LF or LF; leading blanks are skipped; a double-quoted item runs to the next
// double quote, delimiters included, and is taken without the quotes.
class NetlistItemReader {
 public:
  explicit NetlistItemReader(TextView text) : text_(text) {}
  bool next(NetlistItem& item);

 private:
  TextView text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

// Splits a pin token at "-": the reference before the first "-", the pin number up to
// the second "-" or the end. Returns false when the token has no "-".
bool SplitPinToken(TextView token, Text& reference, Text& pinNumber);

// "OK", or "OVR" when the total number of pins is greater than 2000.
Text PinTotalStatus(long long totalPins);

// Loads a decoded netlist into the net tables of the design. The file is one item per
// line (commas also end an item); a net opens with its name and "[", closes with "]",
// and every pin is REFERENCE-PIN:
//
//     VCC[U1-1        net VCC, first pin: row r, column 2 (name in column 0)
//     C1-1            further pins: columns 3, 4, ...
//     R1-1]           last pin; the pin count (here 3) goes into column 1
//     SPARE[J1-1]     a net of one pin
//     * comment       any line without "[", "]" or "-" is skipped
//
// Three steps: the capacity pass checks the line slots, the parse pass fills fresh
// tables, and the summary counts the pins and finds the largest net. The fresh tables
// replace the design's net tables and NetCount only when the whole load succeeds; after
// a failure the design is exactly as it was.
LoadResult LoadNetlistText(Design& design, TextView text);

// Decodes the bytes of a netlist file: code page 932, or UTF-8 after a UTF-8
// byte-order mark (editors write one). A UTF-16 byte-order mark fails with Utf16, a
// file whose first kilobytes hold a NUL byte or many bytes that are neither code page
// 932 nor UTF-8 (or control characters) with NotText.
LoadResult DecodeNetlistBytes(std::string_view bytes, DecodeResult& decoded);

// Decodes the bytes of a netlist file and loads them. A file is a netlist only if it
// gives at least one net: one without any fails with NoNets and changes nothing.
LoadResult LoadNetlistBytes(Design& design, std::string_view bytes);

// Reads and loads a file as LoadNetlistBytes does; a file that cannot be read is a
// failure with the reason in detail. rawText receives the decoded text and fileBytes
// the bytes of the file when the load succeeds.
LoadResult LoadNetlistFile(Design& design, const std::string& path, Text* rawText = nullptr,
                           std::string* fileBytes = nullptr);

// Japanese message for a failed load, naming the file, the line and the reason.
Text LoadFailureMessage(const LoadResult& result, TextView path);

}  // namespace pcbprep
