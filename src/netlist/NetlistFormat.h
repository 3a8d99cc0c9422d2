#pragma once

#include <optional>
#include <vector>

#include "design/Design.h"
#include "netlist/NetTableLimits.h"

namespace pcbprep {

// The netlist formats the program reads, recognised by their content.
enum class NetlistFormat {
  kBracket,  // NAME[REF-PIN ... REF-PIN], one item per line
  kKicad,    // KiCad s-expression netlist, (export (version "D") or "E")
  kLegacy,   // legacy text netlist of the PCB2 kind, component blocks with their pins
  kPads,     // PADS ASCII netlist, *PART* and *NET*
  kAllegro,  // Allegro third-party netlist, $PACKAGES and $NETS
};

// The name the status bar and the command line give a format ("KiCad" ...).
Text NetlistFormatName(NetlistFormat format);
// The same in ASCII for machine-read output ("bracket", "kicad", ...).
const char* NetlistFormatId(NetlistFormat format);

// The format a decoded netlist text is written in; kBracket for anything else.
NetlistFormat DetectNetlistFormat(TextView text);

// One pin of a net as the file names it, and the 1-based line it is on.
struct NetlistPin {
  Text reference;
  Text pin;
  int line = 0;
};

struct NetlistNet {
  Text name;
  std::vector<NetlistPin> pins;
  int line = 0;
};

// A part with what the schematic knows of it; empty where the file does not say.
using NetlistPart = SchematicPart;

// What the common mapping left out, for the status bar and --json.
struct NetlistDropped {
  int flagPins = 0;         // pins of power and flag symbols (reference "#...")
  int emptyNets = 0;        // nets left without pins
  int unconnectedNets = 0;  // one-pin unconnected-(...) nets
  int unconnectedPins = 0;  // pins on the "?" net of the legacy format
  int total() const { return flagPins + emptyNets + unconnectedNets + unconnectedPins; }
};

// Why a reader stopped: a syntax error, or a limit of the tables met while reading.
struct NetlistSyntaxError {
  int line = 0;
  int column = 0;                         // 0 where a column does not help
  Text reason;                            // empty for a limit, which LimitReason words
  LoadFailure limit = LoadFailure::None;  // the limit met, or None for a syntax error
  Text net = {};                          // TooManyPins: the net past the pins of a net
};

// A netlist of one of the foreign formats, in file order.
struct ParsedNetlist {
  NetlistFormat format = NetlistFormat::kBracket;
  std::vector<NetlistNet> nets;
  std::vector<NetlistPart> parts;
  NetlistDropped dropped;
  Text repeatedReference;      // the first reference the part list of the file names twice
  int repeatedReferences = 0;  // references named more than once
};

// Reads a text of a foreign format into nets and parts and applies the common mapping:
// pins of references starting with "#" are dropped, nets left without pins are dropped,
// KiCad's one-pin "unconnected-(...)" nets and the legacy "?" pins are dropped, each
// counted. Names are kept as written. The read stops at the first net, pin or line slot
// past the tables of `capacity` (counted after the mapping, as the tables take them), so
// it never holds more than those tables can take.
std::optional<NetlistSyntaxError> ReadForeignNetlist(TextView text, NetlistFormat format,
                                                     const Capacity& capacity, ParsedNetlist& out);

// Splits "REF.PIN" at its last "."; false when there is none or either side is empty.
bool SplitDottedPin(TextView token, Text& reference, Text& pin);

// Japanese message for a syntax error: "<line> 行目[ <column> 桁目]: <reason>".
Text NetlistSyntaxMessage(const NetlistSyntaxError& error);

// The formats that can be read, one per line, for messages and the open dialog.
Text ReadableFormatsText();

}  // namespace pcbprep
