#pragma once

#include <iosfwd>
#include <string>

#include "design/Design.h"
#include "netlist/NetlistReader.h"

namespace pcbprep::cli {

// Raised for errors the user caused (a missing file, a bad option value); the
// message is printed on stderr and the program exits with kExitFailure.
struct UserError {
  std::string message;
};

// Loads a netlist file into the design, or throws UserError with the same message
// the window shows (file, line and reason). Bytes that are not code page 932 do not
// stop the load, as in the window, but are reported on err.
LoadResult LoadOrFail(Design& design, const std::string& path, std::ostream& err);

// CR LF line ends, as the program's texts carry them, become LF for a terminal.
std::string TerminalText(TextView text);

// Reads a whole file, or throws UserError naming the reason.
std::string ReadFileOrFail(const std::string& path);

// Writes bytes to a file, or throws UserError naming the reason.
void WriteFileOrFail(const std::string& path, const std::string& bytes);

// Writes bytes to the file named by an output option, or to out when none is named.
void WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out);

}  // namespace pcbprep::cli
