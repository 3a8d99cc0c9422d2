#pragma once

#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace pcbprep::testing {

// A small reader of the IDF 3.0 our writer makes, so tests compare what a mechanical
// CAD reads with the design. Fields are blank-separated, quoted when they hold blanks.

struct IdfPoint {
  int label;
  double x, y, angle;
};

struct IdfHole {
  double diameter, x, y;
  std::string plating, owner, kind, by;  // "NPTH" "BOARD" "MTG" "ECAD"
};

struct IdfPlacement {
  std::string geometry, partNumber, reference;
  double x, y, offset, rotation;
  std::string side, status;
};

struct IdfOutline {
  std::string units;
  double height = 0;
  std::vector<IdfPoint> points;
};

struct IdfBoardFile {
  std::vector<std::string> header;  // the fields of the two header records
  double thickness = 0;
  std::vector<IdfPoint> outline;
  std::vector<IdfHole> holes;
  std::vector<IdfPlacement> placement;
  std::vector<std::string> sections;  // in file order
};

struct IdfLibraryFile {
  std::vector<std::string> header;
  std::map<std::pair<std::string, std::string>, IdfOutline> outlines;  // geometry, part
};

inline std::vector<std::string> IdfFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
    } else if (line[i] == '"') {
      const std::size_t end = line.find('"', i + 1);
      fields.push_back(line.substr(i + 1, end - i - 1));
      i = end == std::string::npos ? line.size() : end + 1;
    } else {
      const std::size_t end = line.find_first_of(" \t", i);
      fields.push_back(line.substr(i, end - i));
      i = end == std::string::npos ? line.size() : end;
    }
  }
  return fields;
}

// The records of each section, by section name, in file order.
inline std::vector<std::pair<std::string, std::vector<std::vector<std::string>>>> IdfSections(
    const std::string& text) {
  std::vector<std::pair<std::string, std::vector<std::vector<std::string>>>> sections;
  std::istringstream in(text);
  std::string line;
  bool inside = false;
  while (std::getline(in, line)) {
    if (line.rfind(".END_", 0) == 0) {
      inside = false;
    } else if (!line.empty() && line[0] == '.') {
      sections.push_back({line.substr(0, line.find(' ')), {}});
      inside = true;
    } else if (inside) {
      sections.back().second.push_back(IdfFields(line));
    }
  }
  return sections;
}

inline IdfPoint IdfLoopPoint(const std::vector<std::string>& f) {
  return {std::stoi(f.at(0)), std::stod(f.at(1)), std::stod(f.at(2)), std::stod(f.at(3))};
}

inline IdfBoardFile ReadIdfBoard(const std::string& text) {
  IdfBoardFile board;
  for (const auto& [name, records] : IdfSections(text)) {
    board.sections.push_back(name);
    if (name == ".HEADER") {
      for (const auto& r : records) board.header.insert(board.header.end(), r.begin(), r.end());
    } else if (name == ".BOARD_OUTLINE") {
      board.thickness = std::stod(records.at(0).at(0));
      for (std::size_t i = 1; i < records.size(); ++i) {
        board.outline.push_back(IdfLoopPoint(records[i]));
      }
    } else if (name == ".DRILLED_HOLES") {
      for (const auto& r : records) {
        board.holes.push_back({std::stod(r.at(0)), std::stod(r.at(1)), std::stod(r.at(2)), r.at(3),
                               r.at(4), r.at(5), r.at(6)});
      }
    } else if (name == ".PLACEMENT") {
      for (std::size_t i = 0; i + 1 < records.size(); i += 2) {
        const auto& a = records[i];
        const auto& b = records[i + 1];
        board.placement.push_back({a.at(0), a.at(1), a.at(2), std::stod(b.at(0)),
                                   std::stod(b.at(1)), std::stod(b.at(2)), std::stod(b.at(3)),
                                   b.at(4), b.at(5)});
      }
    }
  }
  return board;
}

inline IdfLibraryFile ReadIdfLibrary(const std::string& text) {
  IdfLibraryFile library;
  for (const auto& [name, records] : IdfSections(text)) {
    if (name == ".HEADER") {
      for (const auto& r : records) library.header.insert(library.header.end(), r.begin(), r.end());
    } else if (name == ".ELECTRICAL" || name == ".MECHANICAL") {
      const auto& first = records.at(0);
      IdfOutline& outline = library.outlines[{first.at(0), first.at(1)}];
      outline.units = first.at(2);
      outline.height = std::stod(first.at(3));
      for (std::size_t i = 1; i < records.size(); ++i) {
        outline.points.push_back(IdfLoopPoint(records[i]));
      }
    }
  }
  return library;
}

}  // namespace pcbprep::testing
