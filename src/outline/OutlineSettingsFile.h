#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "outline/OutlineSettings.h"

namespace pcbprep {

// A settings file or override that cannot be taken: the message names the file or the
// override, the key and what is wrong, in Japanese.
struct OutlineSettingsError {
  std::string message;
};

// Outline settings as a JSON object keyed by the outline window's control names
// ("Text4", "Check17", "Combo1", "Option6", ...) plus the readable "corner" and
// "boardType". Anything not given keeps the window's first-opening value.
//
// A board type (Option1 to Option3 or "boardType") is applied first, with the film
// titles it presets as a click on it would; every other key follows, so film boxes
// given explicitly win over the preset. Overrides (NAME=VALUE) come after the file
// and replace its value of the same name, or its choice of the same option group.
struct OutlineSettingsInput {
  std::string fileName;               // for messages; empty when there is no file
  nlohmann::ordered_json file;        // the parsed file, or null
  std::vector<std::string> settings;  // NAME=VALUE overrides, in command-line order
};

// The settings, or OutlineSettingsError naming the key, where it came from and what is wrong;
// a number past kMaxOutlineSize and a text holding a line break are wrong
// (OutlineNumberProblem, OutlineTextProblem).
OutlineSettings ReadOutlineSettings(const OutlineSettingsInput& input);

// Parses the text of a settings file, or throws OutlineSettingsError naming the file and the
// place of the syntax error.
nlohmann::ordered_json ParseSettingsFile(const std::string& fileName, const std::string& text);

// The settings as a file that ReadOutlineSettings reads back to the same settings:
// every control that is a setting, in window order, the option groups by their
// readable names.
nlohmann::ordered_json OutlineSettingsJson(const OutlineSettings& settings);

// The settings file as the outline window saves it and --show-settings prints it:
// OutlineSettingsJson indented by two, UTF-8, ending in a line feed.
std::string OutlineSettingsFileText(const OutlineSettings& settings);

// The settings of a file's text, read and checked as the command line reads a file
// without overrides; OutlineSettingsError when it cannot be taken.
OutlineSettings ReadOutlineSettingsFile(const std::string& fileName, const std::string& text);

}  // namespace pcbprep
