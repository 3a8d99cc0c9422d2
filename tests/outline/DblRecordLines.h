#pragma once

#include <string>
#include <vector>

#include "design/Text.h"
#include "outline/DblDocument.h"
#include "outline/OutlineSettings.h"

namespace pcbprep {

// The lines of a drawing text in UTF-8, so failures print readably. The CR LF after
// every line is required; a line without one shows up as a final "<no CR LF>" line.
inline std::vector<std::string> DblLines(const Text& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find(u"\r\n", start);
    if (end == Text::npos) {
      lines.push_back("<no CR LF>" + ToUtf8(TextView(text).substr(start)));
      break;
    }
    lines.push_back(ToUtf8(TextView(text).substr(start, end - start)));
    start = end + 2;
  }
  return lines;
}

// The records one step writes into a fresh document (the header line left out).
template <typename Step>
std::vector<std::string> StepRecords(Step step, const OutlineSettings& s) {
  DblDocument doc;
  step(doc, s);
  std::vector<std::string> lines = DblLines(doc.text());
  lines.erase(lines.begin());
  return lines;
}

// The records of a whole drawing: its lines without the header and the closing "$END".
inline std::vector<std::string> DrawingRecords(const DblDocument& doc) {
  const std::vector<std::string> lines = DblLines(doc.text());
  if (lines.size() < 2) return {};
  return {lines.begin() + 1, lines.end() - 1};
}

}  // namespace pcbprep
