#pragma once

#include <string_view>

#include "design/CodePage.h"
#include "design/Design.h"
#include "netlist/NetTableLimits.h"
#include "netlist/NetlistFormat.h"

namespace pcbprep {

inline constexpr int kMaxLineSlots = kStandardCapacity.lineSlots;

struct LoadResult {
  LoadFailure failure = LoadFailure::None;
  int line = 0;                  // 1-based line of the file where the load stopped (0 if none)
  std::size_t invalidBytes = 0;  // bytes that were not valid code page 932
  int column = 0;                // 1-based column of a syntax error, 0 where it does not help
  Text detail;                   // why the file could not be read (Unreadable, Syntax)
  NetlistFormat format = NetlistFormat::kBracket;  // the format the file was read as
  bool utf8 = false;                               // read as UTF-8 rather than code page 932
  Capacity capacity = kStandardCapacity;           // the tables the load ran with
  // For a load stopped at a limit of the tables: what the file needs of them, and
  // whether it fits the large tables.
  LimitNeeds needs;

  // Set only when the load succeeded.
  long long totalPins = 0;
  Text status;             // "OK", or "OVR" when the total pins exceed the line slots
  Text largestNet;         // proposal for the first ignored-net box
  NetlistDropped dropped;  // what the mapping of a foreign format left out
  Text warning;            // what the user should know of a file that loaded, or ""

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

// "OK", or "OVR" when the total number of pins is greater than the line slots of the
// capacity (2000 in the standard tables).
Text PinTotalStatus(long long totalPins, const Capacity& capacity = kStandardCapacity);

// Loads a decoded netlist of any readable format into the net tables of the design: a
// foreign format (recognised by its content) through its reader and LoadParsedNetlist,
// the bracket format as follows. The file is one item per
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
// tables of the given capacity, and the summary counts the pins and finds the largest
// net. The fresh tables replace the design's net tables and NetCount only when the whole
// load succeeds, and the design then has that capacity (its part table is kept); after
// a failure the design is exactly as it was. A file stopped at a limit of the standard
// tables is measured in the large ones, for the message and the offer to use them.
LoadResult LoadNetlistText(Design& design, TextView text, const Capacity& capacity);
// The same in the design's own capacity.
LoadResult LoadNetlistText(Design& design, TextView text);

// Loads nets read from a file of another format into the net tables, as the bracket
// format fills them: one row per net in order, the token REF-PIN in NetTable and the
// reference and pin number as written in PinPartTable and PinNoTable; the same limits
// (a net takes two line slots, each further pin one), the same measure of a file past
// the standard tables and the same rule that a failed load changes nothing. The parts
// replace the design's schematic parts.
LoadResult LoadParsedNetlist(Design& design, ParsedNetlist parsed, const Capacity& capacity);

// Decodes the bytes of a netlist file: UTF-8 after a UTF-8 byte-order mark (editors
// write one) or when the bytes are valid UTF-8 and hold non-ASCII characters, code
// page 932 otherwise. A UTF-16 byte-order mark fails with Utf16, a file whose first
// kilobytes hold a NUL byte or many bytes that are neither code page 932 nor UTF-8 (or
// control characters) with NotText.
LoadResult DecodeNetlistBytes(std::string_view bytes, DecodeResult& decoded);

// Decodes the bytes of a netlist file and loads them (in the design's capacity, or the
// one given). A file is a netlist only if it gives at least one net: one without any
// fails with NoNets and changes nothing.
LoadResult LoadNetlistBytes(Design& design, std::string_view bytes);
LoadResult LoadNetlistBytes(Design& design, std::string_view bytes, const Capacity& capacity);

// Reads and loads a file; a file that cannot be read is a failure with the reason in
// detail. rawText receives the decoded text and fileBytes the bytes of the file when the
// load succeeds.
LoadResult LoadNetlistFile(Design& design, const std::string& path, const Capacity& capacity,
                           Text* rawText = nullptr, std::string* fileBytes = nullptr);
LoadResult LoadNetlistFile(Design& design, const std::string& path);

// Japanese message for a failed load, naming the file, the line and the reason, and
// for a limit what the file needs.
Text LoadFailureMessage(const LoadResult& result, TextView path);

// Whether the large capacity would load a file the load refused: the load ran in the
// standard tables, stopped at one of their limits, and the file fits the large ones.
bool LargeCapacityWouldLoad(const LoadResult& result);

// The question after LoadFailureMessage when LargeCapacityWouldLoad.
Text LargeCapacityQuestion();

// The large tables in words: "ネット 50000、１ネットのピン 50000、…".
Text LargeCapacityDescription();

// The status line after a load: the file, the net and pin counts, and for another
// format its name and what its mapping left out.
Text NetlistLoadedStatus(TextView path, const LoadResult& result, int netCount);

}  // namespace pcbprep
