#pragma once

#include <iosfwd>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "design/Design.h"
#include "netlist/NetlistReader.h"

namespace CLI {
class App;
class Validator;
}  // namespace CLI

namespace pcbprep::cli {

// Raised for errors the user caused (a missing file, a bad option value); the
// message is printed on stderr and the program exits with kExitFailure.
struct UserError {
  std::string message;
};

// Loads a netlist file into the design, in the large tables when `large`, or throws
// UserError with the same message the window shows (file, line and reason, and for a
// file that the large tables would take, that --large reads it); a file without any
// net is such a failure too. Bytes that are not valid in the file's encoding do not
// stop the load, as in the window, but are reported on err.
LoadResult LoadOrFail(Design& design, const std::string& path, bool large, std::ostream& err);

// What each command that reads a netlist says of it.
inline constexpr char kNetlistHelp[] =
    "netlist file in any format the program reads (bracket *.NET, KiCad, legacy PCB2, PADS, "
    "Allegro), code page 932 or UTF-8";

// The --large flag, the same on every command that reads a netlist or a part list.
void AddLargeOption(CLI::App& command, bool& large);

// A JSON document as the commands print it, indented by two. Bytes that are not UTF-8
// (a file name can hold any) become U+FFFD, so the output is always valid JSON.
std::string JsonOutput(const nlohmann::ordered_json& doc);

// CR LF line ends, as the program's texts carry them, become LF for a terminal.
std::string TerminalText(TextView text);

// Reads a whole file, or throws UserError naming the reason.
std::string ReadFileOrFail(const std::string& path);

// Replaces a file atomically with bytes, or throws UserError naming the reason (the
// old file is then as it was).
void WriteFileOrFail(const std::string& path, const std::string& bytes);

// Writes bytes to the file named by an output option, or to out when none is named.
void WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out);

// Refuses "-o ''" while the command line is read: an empty name would otherwise
// mean standard output, and the file the user asked for would silently not appear.
CLI::Validator NonEmptyOutput();

// --layers N,N,...: the layers a drawing keeps (0 for the vias).
void AddLayersOption(CLI::App& command, std::vector<int>& layers);

// Throws UserError for an empty output name or an output that is one of the inputs
// (same device and inode); called before anything is read.
void RefuseOutputOverInput(const std::string& output, const std::vector<std::string>& inputs);

// --board "WxH" in millimetres, as typed into Text14 and Text15, into the design's board
// size; throws UserError for anything else.
void SetBoardOrFail(Design& design, const std::string& board);

}  // namespace pcbprep::cli
