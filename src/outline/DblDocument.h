#pragma once

#include <filesystem>
#include <string>

#include "design/CodePage.h"
#include "design/Text.h"

namespace pcbprep {

// What went wrong when a drawing file could not be saved.
struct DblSaveResult {
  enum class Status { kSaved, kUnmappable, kWriteFailed };
  Status status = Status::kSaved;
  // Characters of the text that code page 932 cannot hold (kUnmappable); nothing is
  // written then, so no file carries silently altered text.
  Text unmappable;
  // Why the file could not be written, in Japanese (kWriteFailed); the old file, if
  // any, is then left as it was.
  std::string reason;

  bool ok() const { return status == Status::kSaved; }
};

// The text of one DBL drawing file, built record by record. Every line ends in CR LF.
class DblDocument {
 public:
  // Starts with the header line "$GRAPHIC/".
  DblDocument();

  // Adds one record line as given; the record text carries its own terminator.
  void append(TextView record);
  // Adds the "$END" line. Call once, after the last record.
  void finish();

  const Text& text() const { return text_; }

  // The bytes of the file: the text in code page 932 followed by one more CR LF.
  // Not to be written when the text holds characters the code page cannot hold.
  EncodeResult fileBytes() const;

  // Writes fileBytes(), replacing any file of that name. The path is used as given:
  // no extension is added.
  DblSaveResult save(const std::filesystem::path& path) const;

 private:
  Text text_;
};

// A computed value as the drawing records carry it: rounded to 15 significant
// digits, plain decimal without trailing zeros, no "0" before the point below 1, and
// one leading blank for zero and positive values ("-" for negative ones).
// 100 -> " 100", 0.5 -> " .5", -0.5 -> "-.5", 100 - 0.3 -> " 99.7".
Text dblNumber(double value);

// A dimension text with exactly two decimals and nothing before the point when the
// whole part is 0; no leading blank. 100 -> "100.00", 0.5 -> ".50".
// Ties at the third decimal round away from zero, judged on the value as dblNumber
// shows it (so 1.005 gives "1.01" although its binary value lies just below).
Text dblFixed2(double value);

}  // namespace pcbprep
