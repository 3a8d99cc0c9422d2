#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "symbol/ExchangeSortAsStated.h"
#include "symbol/ReferenceOrder.h"

namespace pcbprep {
namespace {

// The references in the order the insertion gives; `taken` is false when it left them
// as they were, for the exchange sort.
std::vector<Text> InsertionOrder(const std::vector<Text>& texts, bool& taken) {
  std::vector<std::uint32_t> rows(texts.size());
  for (std::size_t r = 0; r < rows.size(); ++r) rows[r] = static_cast<std::uint32_t>(r);
  taken = OrderReferencesByInsertion(texts, ValuesAfterBeginnings(texts), rows);
  std::vector<Text> out;
  for (const std::uint32_t r : rows) out.push_back(texts[r]);
  return out;
}

std::string RandomText(std::mt19937& random, const std::string& characters) {
  std::string text = "R";
  for (int k = static_cast<int>(random() % 7); k > 0; --k) {
    text += characters[random() % characters.size()];
  }
  return text;
}

Text Ascii(const std::string& text) { return Text(text.begin(), text.end()); }

TEST(OrderReferencesByInsertion, SameOrderAsTheExchangeSort) {
  // Board-like sets in shuffled order: numbers of up to five digits (so that common
  // beginnings of four characters and more occur), zeros after the common beginning,
  // letters after the number, longer letter prefixes and refdes suffixes; and short
  // random texts, also of the characters a number may begin with.
  const struct {
    const char* name;
    int count;
    int rounds;
    std::string (*make)(std::mt19937&, const std::string&);
    std::string characters;
  } shapes[] = {
      {"R1..", 700, 2,
       [](std::mt19937& r, const std::string&) { return "R" + std::to_string(1 + r() % 1500); },
       ""},
      {"C up to 5 digits", 500, 2,
       [](std::mt19937& r, const std::string&) {
         return "C" + std::to_string(1 + r() % (r() % 2 ? 30000 : 1200));
       },
       ""},
      {"R family", 500, 2,
       [](std::mt19937& r, const std::string&) {
         static const char* const prefixes[] = {"R", "RA", "RN", "RV", "R0", "R00"};
         static const char* const suffixes[] = {"", "", "", "A", "B", "_1", "_2"};
         return prefixes[r() % 6] + std::to_string(1 + r() % 400) + suffixes[r() % 7];
       },
       ""},
      {"letters and digits", 60, 250, RandomText, "R0123456789AB_"},
      {"number characters", 60, 250, RandomText, "R0123456789A _-.+E&H"},
  };
  std::mt19937 random(21);
  for (const auto& shape : shapes) {
    for (int round = 0; round < shape.rounds; ++round) {
      std::set<std::string> distinct;
      std::vector<Text> texts;
      for (int k = 0; k < shape.count * 4 && static_cast<int>(texts.size()) < shape.count; ++k) {
        const std::string text = shape.make(random, shape.characters);
        if (distinct.insert(text).second) texts.push_back(Ascii(text));
      }
      bool taken = false;
      const std::vector<Text> ordered = InsertionOrder(texts, taken);
      EXPECT_TRUE(taken) << shape.name;
      ASSERT_EQ(ordered, ExchangeSortAsStated(texts)) << shape.name << " " << round;
    }
  }
}

TEST(OrderReferencesByInsertion, LeavesEqualReferencesToTheExchangeSort) {
  bool taken = true;
  const std::vector<Text> texts = {u"R2", u"R10", u"R2"};
  EXPECT_EQ(InsertionOrder(texts, taken), texts);
  EXPECT_FALSE(taken);
}

}  // namespace
}  // namespace pcbprep
