#include "cli/CliSupport.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

namespace pcbprep::cli {

namespace {

// A directory opens like a file on Linux and reads as nothing, which would pass for
// an empty input; name it for what it is instead.
void RefuseDirectory(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    throw UserError{"ディレクトリです。ファイルを指定してください: " + path};
  }
}

}  // namespace

LoadResult LoadOrFail(Design& design, const std::string& path, std::ostream& err) {
  RefuseDirectory(path);
  errno = 0;
  const LoadResult result = LoadNetlistFile(design, path);
  if (!result.ok()) {
    std::string message = ToUtf8(LoadFailureMessage(result, FromUtf8(path)));
    if (result.failure == LoadFailure::Unreadable && errno != 0) {
      message += std::string("\n") + std::strerror(errno);
    }
    throw UserError{message};
  }
  if (result.invalidBytes > 0) {
    err << "pcbprep-cli: 警告: " << path << " に Shift_JIS として読めないバイトが "
        << result.invalidBytes << " 個あります（U+FFFD に置き換えて読み込みました）。\n";
  }
  return result;
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
  RefuseDirectory(path);
  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw UserError{"ファイルを開けません: " + path + " (" + std::strerror(errno) + ")"};
  }
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (file.bad()) {
    throw UserError{"ファイルを読み込めません: " + path + " (" + std::strerror(errno) + ")"};
  }
  return bytes.str();
}

void WriteFileOrFail(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    throw UserError{"ファイルを作成できません: " + path + " (" + std::strerror(errno) + ")"};
  }
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    throw UserError{"ファイルに書き込めません: " + path + " (" + std::strerror(errno) + ")"};
  }
}

void WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out) {
  if (path.empty()) {
    out << bytes;
  } else {
    WriteFileOrFail(path, bytes);
  }
}

}  // namespace pcbprep::cli
