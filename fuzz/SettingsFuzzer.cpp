// The outline settings file of the window and the command line: any bytes as the file,
// read as the program reads it. A refusal (OutlineSettingsError) is a fine outcome;
// anything else thrown, a crash or a hang is a fault. Settings that were accepted must
// survive being written out and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "outline/OutlineSettingsFile.h"

namespace {

using namespace pcbprep;

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  OutlineSettingsInput input;
  input.fileName = "s.json";
  try {
    input.file = ParseSettingsFile(input.fileName, text);
  } catch (const OutlineSettingsError& e) {
    Require(!e.message.empty());
    return 0;
  }
  OutlineSettings settings;
  try {
    settings = ReadOutlineSettings(input);
  } catch (const OutlineSettingsError& e) {
    // A message quotes a value only in part, whatever its size.
    Require(e.message.size() < 4096 || e.message.find("リストにない値") != std::string::npos);
    return 0;
  }
  const nlohmann::ordered_json written = OutlineSettingsJson(settings);
  OutlineSettingsInput again;
  again.fileName = "again.json";
  again.file = ParseSettingsFile(again.fileName, written.dump());
  Require(OutlineSettingsJson(ReadOutlineSettings(again)) == written);
  return 0;
}
