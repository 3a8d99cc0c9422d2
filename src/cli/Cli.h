#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pcbprep::cli {

// Exit codes of pcbprep-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFindings = 1;  // the net check found errors
inline constexpr int kExitFailure = 2;   // bad input: unreadable or broken file, bad option

// Runs the command line as the program would, writing to out and err, and returns
// the exit code. argv[0] is the program name.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pcbprep::cli
