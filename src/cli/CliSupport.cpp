#include "cli/CliSupport.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <nlohmann/json.hpp>
#include <ostream>
#include <utility>

#include "design/FileIO.h"
#include "design/Numeric.h"
#include "placement/PlacementImage.h"

namespace pcbprep::cli {

LoadResult LoadOrFail(Design& design, const std::string& path, bool large, std::ostream& err) {
  const LoadResult result = LoadNetlistFile(design, path, CapacityFor(large));
  if (!result.ok()) {
    std::string message = ToUtf8(LoadFailureMessage(result, FromUtf8(path)));
    if (LargeCapacityWouldLoad(result)) message += "\n--large を付けると読み込めます。";
    throw UserError{message};
  }
  if (result.invalidBytes > 0) {
    err << "pcbprep-cli: 警告: " << path << " に " << (result.utf8 ? "UTF-8" : "Shift_JIS")
        << " として読めないバイトが " << result.invalidBytes
        << " 個あります（U+FFFD に置き換えて読み込みました）。\n";
  }
  return result;
}

void AddLargeOption(CLI::App& command, bool& large) {
  command.add_flag("--large", large,
                   "large-design tables (50000 nets, 50000 pins per net, 1000000 line slots, "
                   "50000 parts, 32-bit coordinates) instead of the standard ones (1000, 399, "
                   "2000, 1000, 16 bits); the window's 大規模ネットリスト");
}

std::string JsonOutput(const nlohmann::ordered_json& doc) {
  return doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string TerminalText(TextView text) {
  std::string out = ToUtf8(text);
  std::string cleaned;
  cleaned.reserve(out.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') continue;
    cleaned.push_back(out[i]);
  }
  return cleaned;
}

std::string ReadFileOrFail(const std::string& path) {
  FileReadResult file = ReadWholeFile(path);
  if (!file.ok()) throw UserError{"ファイルを開けません: " + path + " (" + file.reason + ")"};
  return std::move(file.bytes);
}

void WriteFileOrFail(const std::string& path, const std::string& bytes) {
  const FileWriteResult written = WriteFileAtomic(path, bytes);
  if (!written.ok()) {
    throw UserError{"ファイルを書き込めませんでした: " + path + " (" + written.reason + ")"};
  }
}

void AddLayersOption(CLI::App& command, std::vector<int>& layers) {
  command
      .add_option("--layers", layers,
                  "draw only these layers, e.g. --layers 23,24 for the outline and the holes "
                  "(0: the vias)")
      ->type_name("N,N,...")
      ->delimiter(',');
}

CLI::Validator NonEmptyOutput() {
  return CLI::Validator(
      [](const std::string& value) {
        return value.empty() ? std::string("出力ファイル名が空です") : std::string();
      },
      "");
}

void RefuseOutputOverInput(const std::string& output, const std::vector<std::string>& inputs) {
  if (output.empty()) throw UserError{"出力ファイル名が空です（-o）。"};
  for (const std::string& input : inputs) {
    if (!input.empty() && SameFile(output, input)) {
      throw UserError{"出力ファイルが入力ファイルと同じです: " + output +
                      "（入力を上書きしないよう、別の名前を指定してください）"};
    }
  }
}

void WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out) {
  if (path.empty()) {
    out << bytes;
  } else {
    WriteFileOrFail(path, bytes);
  }
}

namespace {

// A plain decimal number that rounds to a whole millimetre above 0, and nothing else.
// The window would read "12abc" as 12; on a command line that is far more likely a
// typing error, and a board of no size or a negative one draws nothing sensible.
bool IsSize(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const char* begin = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
  const auto result = std::from_chars(begin, end, value, std::chars_format::fixed);
  return !text.empty() && result.ec == std::errc() && result.ptr == end && RoundHalfEven(value) > 0;
}

}  // namespace

void SetBoardOrFail(Design& design, const std::string& board) {
  const std::size_t x = board.find_first_of("xX");
  const std::string width = board.substr(0, x);
  const std::string height = x == std::string::npos ? std::string() : board.substr(x + 1);
  if (!IsSize(width) || !IsSize(height)) {
    throw UserError{
        "--board には 幅x高さ (mm) を 0 より大きい数で指定してください（例: 100x80）: " + board};
  }
  if (!SetBoardSize(design, FromUtf8(width), FromUtf8(height))) {
    throw UserError{ToUtf8(BoardSizeRangeMessage())};
  }
}

}  // namespace pcbprep::cli
