#include "symbol/ReferenceOrder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

#include "design/Numeric.h"

namespace pcbprep {

namespace {

constexpr int kNone = -1;
constexpr int kEndChild = -1;  // the reference ends with the beginning itself
constexpr int kAnyChild = -3;  // members of a four-character beginning: never left out
constexpr int kNoChild = -2;   // a search that leaves no child out
constexpr int kNoKey = -1;

// The references placed so far, in their order, each with a label that compares like
// its position. A label is put halfway between its neighbours; when they have no room
// left, the smallest aligned range of labels around the spot that is sparse enough is
// spread evenly again, which keeps the cost of a placement logarithmic on average.
class PlacedOrder {
 public:
  explicit PlacedOrder(std::size_t count)
      : head_(static_cast<int>(count)),
        tail_(static_cast<int>(count) + 1),
        next_(count + 2, kNone),
        prev_(count + 2, kNone),
        label_(count + 2, 0) {
    label_[static_cast<std::size_t>(tail_)] = kUniverse;
    next_[static_cast<std::size_t>(head_)] = tail_;
    prev_[static_cast<std::size_t>(tail_)] = head_;
  }

  int head() const { return head_; }
  int tail() const { return tail_; }
  int next(int e) const { return next_[Index(e)]; }
  std::uint64_t label(int e) const { return label_[Index(e)]; }

  // Places x directly in front of y (y may be the tail).
  void insertBefore(int x, int y) {
    const int a = prev_[Index(y)];
    if (label(y) - label(a) < 2) makeRoomAfter(a);
    label_[Index(x)] = label(a) + (label(y) - label(a)) / 2;
    prev_[Index(x)] = a;
    next_[Index(x)] = y;
    next_[Index(a)] = x;
    prev_[Index(y)] = x;
  }

 private:
  static constexpr int kUniverseBits = 62;
  static constexpr std::uint64_t kUniverse = std::uint64_t{1} << kUniverseBits;

  static std::size_t Index(int e) { return static_cast<std::size_t>(e); }

  // Spreads the labels of the smallest range around a with fewer than (4/3)^bits
  // references in its 2^bits labels (the whole universe at the end), so that at least
  // two labels lie free after a. The head keeps label 0.
  void makeRoomAfter(int a) {
    for (int bits = 2; bits <= kUniverseBits; ++bits) {
      const std::uint64_t size = std::uint64_t{1} << bits;
      const std::uint64_t low = label(a) & ~(size - 1);
      const std::uint64_t high = low + (size - 1);
      int first = a;
      int last = a;
      std::size_t count = 1;
      while (prev_[Index(first)] != kNone && label(prev_[Index(first)]) >= low) {
        first = prev_[Index(first)];
        ++count;
      }
      while (next_[Index(last)] != tail_ && label(next_[Index(last)]) <= high) {
        last = next_[Index(last)];
        ++count;
      }
      if (bits<kUniverseBits&& static_cast<double>(count + 1)> std::pow(
              4.0 / 3.0, static_cast<double>(bits))) {
        continue;
      }
      const std::uint64_t step = size / (count + 1);
      std::uint64_t value = low;
      for (int e = first;; e = next_[Index(e)]) {
        label_[Index(e)] = value;
        value += step;
        if (e == last) break;
      }
      return;
    }
  }

  int head_;
  int tail_;
  std::vector<int> next_;
  std::vector<int> prev_;
  std::vector<std::uint64_t> label_;
};

// The placed references of every beginning, one tree each in placed order (treaps).
// Each node knows the largest key in its subtree, that key's child, and the largest key
// among the other children, so the first placed member with a larger key outside one
// child is found in one descent.
class BeginningTrees {
 public:
  explicit BeginningTrees(std::size_t members) : nodes_(members) {
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (Node& node : nodes_) {
      // splitmix64
      state += 0x9E3779B97F4A7C15u;
      std::uint64_t z = state;
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
      node.priority = static_cast<std::uint32_t>(z ^ (z >> 31));
    }
  }

  void describe(int m, int element, int key, int child) {
    Node& node = at(m);
    node.element = element;
    node.key = key;
    node.child = child;
  }
  int key(int m) const { return at(m).key; }
  int child(int m) const { return at(m).child; }

  // The first member in the tree with a key above `key` and a child other than
  // `leftOut`: its element, or kNone.
  int firstAbove(int tree, int key, int leftOut) const {
    if (!holds(tree, key, leftOut)) return kNone;
    int t = tree;
    while (true) {
      const Node& node = at(t);
      if (holds(node.left, key, leftOut)) {
        t = node.left;
      } else if (node.key > key && node.child != leftOut) {
        return node.element;
      } else {
        t = node.right;
      }
    }
  }

  // Puts member m into the tree at the place its element's label gives.
  void insert(int& tree, int m, const PlacedOrder& placed) {
    tree = insertInto(tree, m, placed.label(at(m).element), placed);
  }

 private:
  struct Node {
    int left = kNone;
    int right = kNone;
    int element = kNone;
    int key = kNoKey;
    int child = kAnyChild;
    int best = kNoKey;          // the largest key in the subtree
    int bestChild = kAnyChild;  // its child
    int second = kNoKey;        // the largest key of the subtree's other children
    std::uint32_t priority = 0;
  };

  Node& at(int m) { return nodes_[static_cast<std::size_t>(m)]; }
  const Node& at(int m) const { return nodes_[static_cast<std::size_t>(m)]; }

  bool holds(int t, int key, int leftOut) const {
    if (t == kNone) return false;
    const Node& node = at(t);
    return (node.best > key && node.bestChild != leftOut) || node.second > key;
  }

  void absorb(Node& node, int s) const {
    if (s == kNone) return;
    const Node& sub = at(s);
    if (sub.best > node.best) {
      node.second = std::max(sub.second, node.bestChild != sub.bestChild ? node.best : node.second);
      node.best = sub.best;
      node.bestChild = sub.bestChild;
    } else {
      node.second = std::max(node.second, sub.bestChild != node.bestChild ? sub.best : sub.second);
    }
  }

  void refresh(int t) {
    Node& node = at(t);
    node.best = node.key;
    node.bestChild = node.child;
    node.second = kNoKey;
    absorb(node, node.left);
    absorb(node, node.right);
  }

  // Descends to where m's priority puts it and splits the subtree there by the label.
  int insertInto(int t, int m, std::uint64_t label, const PlacedOrder& placed) {
    if (t == kNone || at(m).priority > at(t).priority) {
      split(t, label, placed, at(m).left, at(m).right);
      refresh(m);
      return m;
    }
    if (placed.label(at(t).element) < label) {
      at(t).right = insertInto(at(t).right, m, label, placed);
    } else {
      at(t).left = insertInto(at(t).left, m, label, placed);
    }
    refresh(t);
    return t;
  }

  // Members placed before the label go to `smaller`, the others to `larger`.
  void split(int t, std::uint64_t label, const PlacedOrder& placed, int& smaller, int& larger) {
    if (t == kNone) {
      smaller = larger = kNone;
      return;
    }
    if (placed.label(at(t).element) < label) {
      smaller = t;
      split(at(t).right, label, placed, at(t).right, larger);
    } else {
      larger = t;
      split(at(t).left, label, placed, smaller, at(t).left);
    }
    refresh(t);
  }

  std::vector<Node> nodes_;
};

constexpr std::size_t kDepths = 4;  // beginnings of one to four characters
constexpr std::size_t kShortDepths = kDepths - 1;

// The trees of a beginning of one to three characters, each in placed order: its
// references with a number (not 0) after it, by value then text; those without, by
// text; and all of them, by text. One of four characters has the last one only.
constexpr std::size_t kNumbered = 0;
constexpr std::size_t kUnnumbered = 1;
constexpr std::size_t kAll = 2;
constexpr std::size_t kTreesPerBeginning = 3;

// Reference e's members: one in kNumbered or kUnnumbered and one in kAll per beginning
// of one to three characters, then one in kAll for four characters.
constexpr std::size_t kMembersPerReference = 2 * kShortDepths + 1;
int MemberOf(std::size_t e, std::size_t depth, bool inAll) {
  const std::size_t slot = depth == kDepths ? 2 * kShortDepths : 2 * (depth - 1) + (inAll ? 1 : 0);
  return static_cast<int>(kMembersPerReference * e + slot);
}

}  // namespace

std::vector<double> ValuesAfterBeginnings(const std::vector<Text>& texts) {
  std::vector<double> rest(4 * texts.size(), 0.0);
  for (std::size_t r = 0; r < texts.size(); ++r) {
    const TextView text = texts[r];
    for (std::size_t p = 1; p <= 3; ++p) {
      rest[4 * r + p] = NumericValue(text.substr(std::min(p, text.size())));
    }
  }
  return rest;
}

bool OrderReferencesByInsertion(const std::vector<Text>& texts, const std::vector<double>& rest,
                                std::span<std::uint32_t> rows) {
  const std::size_t count = rows.size();
  if (count < 2) return true;
  const auto text = [&](std::size_t e) -> TextView { return texts[rows[e]]; };
  const auto length = [&](std::size_t e) { return text(e).size(); };
  const auto value = [&](std::size_t e, std::size_t depth) { return rest[4 * rows[e] + depth]; };
  const auto child = [&](std::size_t e, std::size_t depth) {
    return length(e) > depth ? static_cast<int>(text(e)[depth]) : kEndChild;
  };

  std::vector<std::size_t> byText(count);
  std::iota(byText.begin(), byText.end(), std::size_t{0});
  std::sort(byText.begin(), byText.end(),
            [&](std::size_t x, std::size_t y) { return text(x) < text(y); });
  std::vector<int> textRank(count);
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0 && text(byText[k]) == text(byText[k - 1])) return false;
    textRank[byText[k]] = static_cast<int>(k);
  }

  // The trees of every beginning. References with the same beginning are neighbours
  // in text order; per length of beginning, the rank by value then text orders the
  // numbered references of each beginning.
  BeginningTrees trees(kMembersPerReference * count);
  std::vector<int> treeOf(kMembersPerReference * count, kNone);
  std::size_t treeCount = 0;
  std::vector<std::size_t> byValue;
  for (std::size_t depth = 1; depth <= kDepths; ++depth) {
    std::vector<int> valueRank(count, kNoKey);
    if (depth < kDepths) {
      byValue.clear();
      for (const std::size_t e : byText) {
        if (length(e) < depth || value(e, depth) == 0) continue;
        if (!std::isfinite(value(e, depth))) return false;
        byValue.push_back(e);
      }
      std::stable_sort(byValue.begin(), byValue.end(), [&](std::size_t x, std::size_t y) {
        return value(x, depth) < value(y, depth);
      });
      for (std::size_t k = 0; k < byValue.size(); ++k) valueRank[byValue[k]] = static_cast<int>(k);
    }
    for (std::size_t from = 0, to = 0; from < count; from = to) {
      to = from + 1;
      if (length(byText[from]) < depth) continue;
      const TextView beginning = text(byText[from]).substr(0, depth);
      while (to < count && text(byText[to]).substr(0, depth) == beginning) ++to;
      const std::size_t first = treeCount;
      treeCount += depth < kDepths ? kTreesPerBeginning : 1;
      for (std::size_t k = from; k < to; ++k) {
        const std::size_t e = byText[k];
        const int all = MemberOf(e, depth, true);
        if (depth == kDepths) {
          trees.describe(all, static_cast<int>(e), textRank[e], kAnyChild);
          treeOf[static_cast<std::size_t>(all)] = static_cast<int>(first);
          continue;
        }
        const int own = MemberOf(e, depth, false);
        const bool numbered = valueRank[e] != kNoKey;
        trees.describe(own, static_cast<int>(e), numbered ? valueRank[e] : textRank[e],
                       child(e, depth));
        treeOf[static_cast<std::size_t>(own)] =
            static_cast<int>(first + (numbered ? kNumbered : kUnnumbered));
        trees.describe(all, static_cast<int>(e), textRank[e], child(e, depth));
        treeOf[static_cast<std::size_t>(all)] = static_cast<int>(first + kAll);
      }
    }
  }

  // Each reference in table order goes in front of the first placed reference it comes
  // before, found per beginning of it among the placed references of another child:
  // for a numbered reference, a numbered one of a larger value (then text) or an
  // unnumbered one of a larger text; for an unnumbered one, any one of a larger text;
  // for the four-character beginning, any one of a larger text.
  PlacedOrder placed(count);
  std::vector<int> roots(treeCount, kNone);
  const auto rootOf = [&](int member) -> int& {
    return roots[static_cast<std::size_t>(treeOf[static_cast<std::size_t>(member)])];
  };
  std::vector<int> members;
  for (std::size_t e = 0; e < count; ++e) {
    members.clear();
    int before = placed.tail();
    const auto consider = [&](int tree, int key, int leftOut) {
      const int found = trees.firstAbove(tree, key, leftOut);
      if (found != kNone && placed.label(found) < placed.label(before)) before = found;
    };
    for (std::size_t depth = 1; depth <= std::min(length(e), kDepths); ++depth) {
      const int all = MemberOf(e, depth, true);
      members.push_back(all);
      if (depth == kDepths) {
        consider(rootOf(all), trees.key(all), kNoChild);
        continue;
      }
      const int own = MemberOf(e, depth, false);
      members.push_back(own);
      const std::size_t first =
          static_cast<std::size_t>(treeOf[static_cast<std::size_t>(all)]) - kAll;
      const int leftOut = trees.child(all);
      if (treeOf[static_cast<std::size_t>(own)] == static_cast<int>(first + kNumbered)) {
        consider(roots[first + kNumbered], trees.key(own), leftOut);
        consider(roots[first + kUnnumbered], trees.key(all), leftOut);
      } else {
        consider(roots[first + kAll], trees.key(all), leftOut);
      }
    }
    placed.insertBefore(static_cast<int>(e), before);
    for (const int member : members) trees.insert(rootOf(member), member, placed);
  }

  const std::vector<std::uint32_t> tableOrder(rows.begin(), rows.end());
  std::size_t k = 0;
  for (int e = placed.next(placed.head()); e != placed.tail(); e = placed.next(e)) {
    rows[k++] = tableOrder[static_cast<std::size_t>(e)];
  }
  return true;
}

}  // namespace pcbprep
