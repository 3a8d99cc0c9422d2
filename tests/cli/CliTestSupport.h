#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "design/CodePage.h"
#include "design/Text.h"

namespace pcbprep::testing {

namespace fs = std::filesystem;

inline const std::string kSample = PCBPREP_EXAMPLES_DIR "/sample.NET";
inline const std::string kSampleSettings = PCBPREP_EXAMPLES_DIR "/outline.json";

struct CliResult {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs the command line in-process: "pcbprep-cli" and then the arguments.
inline CliResult RunCli(std::vector<std::string> args) {
  args.insert(args.begin(), "pcbprep-cli");
  std::ostringstream out;
  std::ostringstream err;
  CliResult result;
  result.code = cli::Run(args, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A fresh folder per test for the files it writes; removed afterwards.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / ("pcbprep-cli-" + std::to_string(::getpid()) + "-" +
                                        info->test_suite_name() + "-" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path path(const std::string& name) const { return dir_ / name; }

  // Writes a netlist given in UTF-8 with LF as the program reads it: code page 932
  // with CR LF.
  std::string netlist(const std::string& name, const std::string& utf8) const {
    const EncodeResult encoded = EncodeCp932(FromUtf8(Crlf(utf8)));
    EXPECT_TRUE(encoded.ok());
    return write(name, encoded.bytes);
  }

  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name).string();
  }

 private:
  fs::path dir_;
};

// One suite per command, NetlistCommands for what check, nets and parts share;
// CommandLine for the parsing they share; ProgramTest runs the built program as a whole.
using CheckCommand = CliTest;
using NetsCommand = CliTest;
using NetlistCommands = CliTest;
using PartsCommand = CliTest;
using ImageCommand = CliTest;
using OutlineCommand = CliTest;
using ViewCommand = CliTest;
using BoardCommand = CliTest;
using CommandLine = CliTest;  // what every command shares: errors, help

}  // namespace pcbprep::testing
