#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
  // Under a file-size limit (ulimit -f) a save then fails with its reason and the old
  // file stays, instead of the program being killed halfway.
  std::signal(SIGXFSZ, SIG_IGN);
  std::vector<std::string> args(argv, argv + argc);
  const int code = pcbprep::cli::Run(args, std::cout, std::cerr);
  // A full disk behind a redirection must not pass for success.
  if (!std::cout.flush()) {
    std::cerr << "pcbprep-cli: 標準出力に書き込めませんでした。\n";
    return pcbprep::cli::kExitFailure;
  }
  return code;
}
