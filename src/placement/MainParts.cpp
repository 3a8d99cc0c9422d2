#include "placement/MainParts.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace pcbprep {

namespace {

// One run of the assignment. The tables are not linked by index, so the run builds
// two indexes once: the part rows of each reference, and the followed nets each
// reference is on. With them every lookup is a hash probe instead of a scan of the
// part table per pin slot, while the order of every visit stays that of the tables.
class Assignment {
  static constexpr int kNoLevel = -1;

 public:
  Assignment(Design& design, const IgnoreNetList& ignoreNames)
      : d_(design),
        parts_(design.partRows()),
        nets_(design.netRows()),
        netClaim_(static_cast<std::size_t>(nets_) + 1),
        slotRows_(static_cast<std::size_t>(nets_) + 1),
        netsOfPart_(static_cast<std::size_t>(parts_) + 1),
        level_(static_cast<std::size_t>(parts_) + 1, kNoLevel) {
    buildIndexes(ignoreNames);
  }

  void run() {
    // Rows past the stored ones are empty already.
    for (int row = 0; row < d_.PartTable.storedRows(); ++row) d_.PartTable.set(row, kPartLevel, {});

    bool attached = anchorPhase(kClassMain, kAnchorLevel + 1);
    attached = anchorPhase(kClassSemi, kAnchorLevel) || attached;
    if (attached) spread();

    // The neighbours of semi parts were taken at level 0 so that they could not
    // spread before the main parts had finished; now the sub parts among them may.
    bool promoted = false;
    for (int i = 1; i <= parts_; ++i) {
      if (d_.PartTable.at(i, kPartClass) == kClassSub && level_[idx(i)] == kAnchorLevel) {
        setLevel(i, kAnchorLevel + 1);
        promoted = true;
      }
    }
    if (promoted) spread();
  }

 private:
  static Text SlotPart(const Text& token) { return token.substr(0, token.find(u'-')); }
  static std::size_t idx(int i) { return static_cast<std::size_t>(i); }

  // The table holds the level as text; the run keeps it as a number as well, with the
  // rows that reached each level, so a pass visits only the rows of its level.
  void setLevel(int row, int level) {
    d_.PartTable.set(row, kPartLevel, IntText(level));
    level_[idx(row)] = level;
    if (atLevel_.size() <= idx(level)) atLevel_.resize(idx(level) + 1);
    atLevel_[idx(level)].push_back(row);
  }

  void buildIndexes(const IgnoreNetList& ignoreNames) {
    std::unordered_map<Text, std::vector<int>> rowsOfReference;
    for (int i = 1; i <= parts_; ++i) rowsOfReference[d_.PartTable.at(i, kPartRef)].push_back(i);

    std::unordered_map<Text, std::vector<int>> netsOfReference;
    for (int n = 1; n <= nets_; ++n) {
      const Text& name = d_.NetTable.at(n, kNetName);
      if (std::find(ignoreNames.begin(), ignoreNames.end(), name) != ignoreNames.end()) continue;
      auto& rows = slotRows_[idx(n)];
      for (const int column : d_.pinColumns(n)) {
        const Text part = SlotPart(d_.NetTable.at(n, column));
        auto& nets = netsOfReference[part];
        if (nets.empty() || nets.back() != n) nets.push_back(n);
        if (auto found = rowsOfReference.find(part); found != rowsOfReference.end()) {
          rows.insert(rows.end(), found->second.begin(), found->second.end());
        }
      }
    }
    for (int i = 1; i <= parts_; ++i) {
      if (auto found = netsOfReference.find(d_.PartTable.at(i, kPartRef));
          found != netsOfReference.end()) {
        netsOfPart_[idx(i)] = found->second;
      }
    }
  }

  // Gives every part of net n that has no main-part name yet the name and the level.
  // Names are only ever given during a run, so after one take every part of the net has
  // a name and a later take of it finds nothing: the net's rows are dropped, and a
  // supply net that every IC is on is walked once instead of once per IC.
  bool take(int net, const Text& name, int level) {
    bool attached = false;
    std::vector<int>& rows = slotRows_[idx(net)];
    for (const int row : rows) {
      if (!d_.PartTable.at(row, kPartMain).empty()) continue;
      d_.PartTable.set(row, kPartMain, name);
      setLevel(row, level);
      attached = true;
    }
    rows = {};
    return attached;
  }

  bool anchorPhase(TextView partClass, int takenLevel) {
    bool attached = false;
    for (int c = 1; c <= parts_; ++c) {
      if (d_.PartTable.at(c, kPartClass) != partClass) continue;
      const Text reference = d_.PartTable.at(c, kPartRef);
      d_.PartTable.set(c, kPartMain, u"*" + reference);
      setLevel(c, kAnchorLevel);
      for (const int n : netsOfPart_[idx(c)]) {
        netClaim_[idx(n)] = reference;
        attached = take(n, reference, takenLevel) || attached;
      }
    }
    return attached;
  }

  bool spreadingPass(int level) {
    if (atLevel_.size() <= idx(level)) return false;
    // A row may have reached this level more than once, and promoted rows come last;
    // the pass still visits the rows in table order, each once, and skips rows that
    // have moved on. Rows taken in this pass get the next level, not this one.
    std::vector<int> rows = atLevel_[idx(level)];
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    bool attached = false;
    for (const int i : rows) {
      if (level_[idx(i)] != level) continue;
      for (const int n : netsOfPart_[idx(i)]) {
        Text& claim = netClaim_[idx(n)];
        if (!claim.empty()) continue;
        const Text name = d_.PartTable.at(i, kPartMain);
        claim = name;
        attached = take(n, name, level + 1) || attached;
      }
    }
    return attached;
  }

  void spread() {
    // Every pass that attaches gives at least one part its first name, so a run
    // ends after at most one pass per part; the limit only matters for anchors
    // with an empty reference, whose empty name would otherwise never settle.
    for (int level = 1; level <= parts_ + 1 && spreadingPass(level); ++level) {
    }
  }

  Design& d_;
  const int parts_;
  const int nets_;
  std::vector<Text> netClaim_;                // per net: the anchor it was followed for
  std::vector<std::vector<int>> slotRows_;    // per followed net: part rows in slot order
  std::vector<std::vector<int>> netsOfPart_;  // per part row: its followed nets, ascending
  std::vector<int> level_;                    // per part row: its level, kNoLevel for ""
  std::vector<std::vector<int>> atLevel_;     // per level: the rows that were given it
};

}  // namespace

IgnoreNetList InitialSkipNets() {
  IgnoreNetList boxes;
  boxes[4] = u"VCC";
  boxes[9] = u"GND";
  return boxes;
}

void AssignMainParts(Design& design, const IgnoreNetList& ignoreNames) {
  Assignment(design, ignoreNames).run();
}

void RunMainPartAssignment(Design& design, const IgnoreNetList& ignoreNames, ListBoxState& list1) {
  AssignMainParts(design, ignoreNames);
  RefreshPartList(design, list1, -1);
}

int CountPartsWithMainPart(const Design& design) {
  int count = 0;
  for (int i = 1; i <= design.partRows(); ++i)
    count += design.PartTable.at(i, kPartMain).empty() ? 0 : 1;
  return count;
}

void ClearMainParts(Design& design) {
  for (int i = 1; i <= design.partRows(); ++i) {
    design.PartTable.set(i, kPartMain, {});
    design.PartTable.set(i, kPartLevel, {});
  }
}

}  // namespace pcbprep
