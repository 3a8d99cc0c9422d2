#include "cli/CliSupport.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace pcbprep::cli {

LoadResult LoadOrFail(Design& design, const std::string& path) {
  LoadResult result = LoadNetlistFile(design, path);
  if (!result.ok()) {
    std::string message = ToUtf8(LoadFailureMessage(result, FromUtf8(path)));
    if (result.failure == LoadFailure::Unreadable && errno != 0) {
      message += std::string("\n") + std::strerror(errno);
    }
    throw UserError{message};
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

}  // namespace pcbprep::cli
