#pragma once

#include <map>
#include <optional>
#include <string_view>

#include "design/Design.h"
#include "design/Text.h"

namespace pcbprep {

// Which footprint of the layout tool's libraries stands for a symbol name: the names the
// size boxes offer are known, and a user file adds and overrides names.

struct FootprintMapEntry {
  Text footprint;                // "LIBRARY:FOOTPRINT"
  std::optional<double> height;  // the part's height in millimetres, where the file gives it
};

struct FootprintMap {
  std::map<Text, FootprintMapEntry> entries;  // by symbol name

  const FootprintMapEntry* find(TextView symbol) const;
};

// The map shipped with the program: the symbol names of the size boxes.
FootprintMap DefaultFootprintMap();

struct FootprintMapError {
  int line = 0;  // 1-based
  Text content;  // the line as read
  Text reason;
};

// Reads a map file over `map`: per line a symbol name and LIBRARY:FOOTPRINT separated by
// a tab or a comma, optionally the height as third field; blank lines and lines starting
// with "#" are skipped. UTF-8 (with or without the byte-order mark) or code page 932.
// On an error the map is left as it was.
std::optional<FootprintMapError> ReadFootprintMap(std::string_view bytes, FootprintMap& map);

// "<file> <line> 行目: <reason>「<line content>」"
Text FootprintMapErrorMessage(TextView file, const FootprintMapError& error);

// The footprint a part gets, as LIB:NAME. A symbol name of the form LIB:NAME is kept; a
// name that is the netlist's footprint without its library takes the netlist's full
// name; then the map; a part without a symbol name takes the netlist's footprint. What
// none of these names is "pcbprep:<symbol name>", or "pcbprep:<reference>" without a
// symbol name, which a library folder pcbprep.pretty can provide.
Text FootprintOfPart(const FootprintMap& map, TextView reference, TextView symbol,
                     const SchematicPart* schematic);

// The library of footprints named after the part itself.
inline constexpr TextView kOwnFootprintLibrary = u"pcbprep";

}  // namespace pcbprep
