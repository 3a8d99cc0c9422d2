#include "symbol/ReferenceOrder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

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
  explicit BeginningTrees(std::size_t members)
      : left_(members, kNone),
        right_(members, kNone),
        priority_(members),
        element_(members, kNone),
        key_(members, kNoKey),
        child_(members, kAnyChild),
        best_(members, kNoKey),
        bestChild_(members, kAnyChild),
        second_(members, kNoKey) {
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (auto& p : priority_) {
      // splitmix64
      state += 0x9E3779B97F4A7C15u;
      std::uint64_t z = state;
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
      p = static_cast<std::uint32_t>(z ^ (z >> 31));
    }
  }

  void describe(int m, int element, int key, int child) {
    element_[Index(m)] = element;
    key_[Index(m)] = key;
    child_[Index(m)] = child;
  }
  int key(int m) const { return key_[Index(m)]; }
  int child(int m) const { return child_[Index(m)]; }

  // The first member in the tree with a key above `key` and a child other than
  // `leftOut`: its element, or kNone.
  int firstAbove(int tree, int key, int leftOut) const {
    if (!holds(tree, key, leftOut)) return kNone;
    int t = tree;
    while (true) {
      if (holds(left_[Index(t)], key, leftOut)) {
        t = left_[Index(t)];
      } else if (key_[Index(t)] > key && child_[Index(t)] != leftOut) {
        return element_[Index(t)];
      } else {
        t = right_[Index(t)];
      }
    }
  }

  // Puts member m into the tree at the place its element's label gives.
  void insert(int& tree, int m, const PlacedOrder& placed) {
    refresh(m);
    int smaller = kNone;
    int larger = kNone;
    split(tree, placed.label(element_[Index(m)]), placed, smaller, larger);
    tree = merge(merge(smaller, m), larger);
  }

 private:
  static std::size_t Index(int m) { return static_cast<std::size_t>(m); }

  bool holds(int t, int key, int leftOut) const {
    if (t == kNone) return false;
    return (best_[Index(t)] > key && bestChild_[Index(t)] != leftOut) || second_[Index(t)] > key;
  }

  void absorb(int t, int s) {
    if (s == kNone) return;
    const std::size_t i = Index(t);
    const std::size_t j = Index(s);
    if (best_[j] > best_[i]) {
      second_[i] = std::max(second_[j], bestChild_[i] != bestChild_[j] ? best_[i] : second_[i]);
      best_[i] = best_[j];
      bestChild_[i] = bestChild_[j];
    } else {
      second_[i] = std::max(second_[i], bestChild_[j] != bestChild_[i] ? best_[j] : second_[j]);
    }
  }

  void refresh(int t) {
    const std::size_t i = Index(t);
    best_[i] = key_[i];
    bestChild_[i] = child_[i];
    second_[i] = kNoKey;
    absorb(t, left_[i]);
    absorb(t, right_[i]);
  }

  // Members placed before the label go to `smaller`, the others to `larger`.
  void split(int t, std::uint64_t label, const PlacedOrder& placed, int& smaller, int& larger) {
    if (t == kNone) {
      smaller = larger = kNone;
      return;
    }
    const std::size_t i = Index(t);
    if (placed.label(element_[i]) < label) {
      split(right_[i], label, placed, right_[i], larger);
      smaller = t;
    } else {
      split(left_[i], label, placed, smaller, left_[i]);
      larger = t;
    }
    refresh(t);
  }

  int merge(int a, int b) {
    if (a == kNone) return b;
    if (b == kNone) return a;
    if (priority_[Index(a)] > priority_[Index(b)]) {
      right_[Index(a)] = merge(right_[Index(a)], b);
      refresh(a);
      return a;
    }
    left_[Index(b)] = merge(a, left_[Index(b)]);
    refresh(b);
    return b;
  }

  std::vector<int> left_;
  std::vector<int> right_;
  std::vector<std::uint32_t> priority_;
  std::vector<int> element_;
  std::vector<int> key_;
  std::vector<int> child_;
  std::vector<int> best_;
  std::vector<int> bestChild_;
  std::vector<int> second_;
};

constexpr int kDepths = 4;  // beginnings of one to four characters

}  // namespace

bool OrderReferencesByInsertion(const std::vector<Text>& texts, const std::vector<double>& rest,
                                std::span<std::uint32_t> rows) {
  const std::size_t count = rows.size();
  if (count < 2) return true;
  const auto text = [&](int e) -> TextView { return texts[rows[static_cast<std::size_t>(e)]]; };
  const auto length = [&](int e) { return text(e).size(); };

  std::vector<int> byText(count);
  std::iota(byText.begin(), byText.end(), 0);
  std::sort(byText.begin(), byText.end(), [&](int x, int y) { return text(x) < text(y); });
  std::vector<int> textRank(count);
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0 && text(byText[k]) == text(byText[k - 1])) return false;
    textRank[static_cast<std::size_t>(byText[k])] = static_cast<int>(k);
  }

  // Member 4 e + c - 1 is reference e in the tree of its beginning of c characters.
  // References with the same beginning are neighbours in text order.
  BeginningTrees trees(kDepths * count);
  std::vector<int> treeOf(kDepths * count, kNone);
  int treeCount = 0;
  std::vector<int> members;
  std::vector<int> low;
  std::vector<int> numbered;
  std::vector<int> high;
  for (std::size_t depth = 1; depth <= kDepths; ++depth) {
    for (std::size_t from = 0, to = 0; from < count; from = to) {
      const int first = byText[from];
      if (length(first) < depth) {
        to = from + 1;
        continue;
      }
      const TextView beginning = text(first).substr(0, depth);
      to = from + 1;
      while (to < count && text(byText[to]).substr(0, depth) == beginning) ++to;
      const int tree = treeCount++;
      const auto member = [&](int e) { return kDepths * e + static_cast<int>(depth) - 1; };
      for (std::size_t k = from; k < to; ++k)
        treeOf[static_cast<std::size_t>(member(byText[k]))] = tree;

      if (depth == kDepths) {
        for (std::size_t k = from; k < to; ++k) {
          trees.describe(member(byText[k]), byText[k],
                         textRank[static_cast<std::size_t>(byText[k])], kAnyChild);
        }
        continue;
      }

      // The pair rule between references that differ in the next character: by value
      // then text where both values are not 0, by text otherwise. It follows one order
      // when every reference with value 0 lies in text before, or after, all the
      // numbered references of the other children; those before come first, then the
      // numbered ones by value and text, then those after.
      const auto value = [&](int e) { return rest[4 * rows[static_cast<std::size_t>(e)] + depth]; };
      const auto child = [&](int e) {
        return length(e) > depth ? static_cast<int>(text(e)[depth]) : kEndChild;
      };
      // The lowest and highest text rank of the numbered references, in two children.
      struct Extreme {
        int rank;
        int child;
      };
      Extreme lowest{static_cast<int>(count), kAnyChild};
      int lowestElsewhere = static_cast<int>(count);
      Extreme highest{-1, kAnyChild};
      int highestElsewhere = -1;
      for (std::size_t k = from; k < to; ++k) {
        const int e = byText[k];
        if (value(e) == 0) continue;
        // Members come in text order, so each numbered one is the highest so far.
        const int rank = static_cast<int>(k);
        const int c = child(e);
        if (lowest.child == kAnyChild) {
          lowest = {rank, c};
        } else if (lowestElsewhere == static_cast<int>(count) && c != lowest.child) {
          lowestElsewhere = rank;
        }
        if (c != highest.child) highestElsewhere = highest.rank;
        highest = {rank, c};
      }
      low.clear();
      numbered.clear();
      high.clear();
      for (std::size_t k = from; k < to; ++k) {
        const int e = byText[k];
        if (value(e) != 0) {
          numbered.push_back(e);
          continue;
        }
        const int rank = static_cast<int>(k);
        const int c = child(e);
        if (rank < (c != lowest.child ? lowest.rank : lowestElsewhere)) {
          low.push_back(e);
        } else if (rank > (c != highest.child ? highest.rank : highestElsewhere)) {
          high.push_back(e);
        } else {
          return false;
        }
      }
      if (!low.empty() && !high.empty() &&
          textRank[static_cast<std::size_t>(low.back())] >
              textRank[static_cast<std::size_t>(high.front())]) {
        return false;
      }
      std::stable_sort(numbered.begin(), numbered.end(),
                       [&](int x, int y) { return value(x) < value(y); });
      int key = 0;
      for (const std::vector<int>* part : {&low, &numbered, &high}) {
        for (const int e : *part) trees.describe(member(e), e, key++, child(e));
      }
    }
  }

  // Each reference in table order goes in front of the first placed reference it comes
  // before: per beginning of it, the first placed member of that beginning with a
  // larger key in another child (any member for the four-character beginning).
  PlacedOrder placed(count);
  std::vector<int> roots(static_cast<std::size_t>(treeCount), kNone);
  for (int e = 0; e < static_cast<int>(count); ++e) {
    const std::size_t depths = std::min<std::size_t>(length(e), kDepths);
    int before = placed.tail();
    for (std::size_t depth = 1; depth <= depths; ++depth) {
      const int m = kDepths * e + static_cast<int>(depth) - 1;
      const int tree = treeOf[static_cast<std::size_t>(m)];
      const int found = trees.firstAbove(roots[static_cast<std::size_t>(tree)], trees.key(m),
                                         depth == kDepths ? kNoChild : trees.child(m));
      if (found != kNone && placed.label(found) < placed.label(before)) before = found;
    }
    placed.insertBefore(e, before);
    for (std::size_t depth = 1; depth <= depths; ++depth) {
      const int m = kDepths * e + static_cast<int>(depth) - 1;
      trees.insert(roots[static_cast<std::size_t>(treeOf[static_cast<std::size_t>(m)])], m, placed);
    }
  }

  const std::vector<std::uint32_t> tableOrder(rows.begin(), rows.end());
  std::size_t k = 0;
  for (int e = placed.next(placed.head()); e != placed.tail(); e = placed.next(e)) {
    rows[k++] = tableOrder[static_cast<std::size_t>(e)];
  }
  return true;
}

}  // namespace pcbprep
