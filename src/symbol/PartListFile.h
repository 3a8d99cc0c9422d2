#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "design/CodePage.h"
#include "design/Design.h"
#include "symbol/PartList.h"
#include "symbol/PartTableView.h"

namespace pcbprep {

// The part-list file keeps the designer's work between sessions: CSV as in RFC 4180,
// code page 932, CR LF, no byte-order mark. A header line, then one line per part in
// table order with the stored cell texts. The window and the command line both write
// and read it through these functions, so their files are the same bytes.

// The fields are the columns of the window's part table, in its order, and the header
// holds its headings.
inline constexpr std::size_t kPartListFields = kPartViewColumns.size();
using PartListRow = std::array<Text, kPartListFields>;

// The PartTable column of each field, in file order.
extern const std::array<int, kPartListFields> kPartListColumns;

// The file's text: the header and one line per part row 1 .. PartCount, each ending in CR LF.
Text PartListText(const Design& design);

// The bytes of the file. Not to be written when unmappable is not empty.
EncodeResult PartListBytes(const Design& design);

// A part-list file read and checked as a whole.
struct PartListParse {
  std::vector<PartListRow> rows;
  int line = 0;  // line of the first fault, counted from 1
  Text reason;   // empty when the whole file is good
  bool ok() const { return reason.empty(); }
};

// Checks the text line by line: the header, nine fields per line, no empty and no
// repeated reference, a side of "", "0" or "1" and a class of "", "0", "1" or "2", at
// most maxParts parts (the part rows of the capacity in use), nothing that is not CSV.
// Empty lines hold no part and are passed over. Line ends may be CR LF, LF or CR. Fields
// are counted up to 64: a line of more is refused at the 65th, and a reason quotes at
// most 60 characters of a cell.
PartListParse ParsePartList(TextView text, int maxParts = kMaxParts);

// Decodes the bytes (code page 932) and parses them; a byte sequence that is not code
// page 932 is a fault on its line, so a file saved in another code page is not loaded
// with altered names.
PartListParse ParsePartListBytes(std::string_view bytes, int maxParts = kMaxParts);

// "N 行目: reason".
Text PartListFault(const PartListParse& parse);

struct PartListLoad {
  int partCount = 0;
  int notInNetlist = 0;     // loaded references the net tables do not have
  int missingFromList = 0;  // references of the net tables the list does not have
  int undefinedCount = 0;   // loaded parts without a symbol name
};

// Replaces the part table by the rows of a good parse (every other row empty),
// rebuilds the main-part chooser from the loaded main and semi parts and rebuilds the
// part list. References are loaded as they are, also when the netlist lacks them.
PartListLoad LoadPartList(Design& design, const PartListParse& parse,
                          std::vector<Text>& mainPartChoices, ListBoxState& list1);

// One line on what a load found, for the status bar and the command line.
Text PartListLoadNote(const PartListLoad& load, TextView path);

// The name a save proposes: the netlist's path with ".csv" in place of its extension;
// empty when no netlist is loaded.
Text PartListFileName(TextView netFilePath);

// Whether the part list holds work that is not in the file it was last saved to or
// loaded from. It compares what a save would write with what the last one wrote, so
// every command that changes the table counts and a command that changes nothing
// does not; an empty part list has nothing to save.
class PartListSaveState {
 public:
  void markSaved(const Design& design);
  bool changed(const Design& design) const;

 private:
  Text saved_;
};

}  // namespace pcbprep
