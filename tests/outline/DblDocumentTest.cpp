#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "outline/DblDocument.h"

namespace pcbprep {
namespace {

namespace fs = std::filesystem;

TEST(DblNumber, RendersComputedValues) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {100, " 100"},
      {2.5, " 2.5"},
      {0.5, " .5"},
      {0, " 0"},
      {-0.0, " 0"},
      {-0.5, "-.5"},
      {-1, "-1"},
      {12, " 12"},
      {100 - 0.3, " 99.7"},
      {0.1 + 0.2, " .3"},
      {-12.25, "-12.25"},
      {0.05, " .05"},
      {1234.5, " 1234.5"},
      {80.0 / 2 - 5, " 35"},
      {1e15, " 1000000000000000"},
      // Beyond 15 significant digits the value is rounded, not written in full.
      {123456789012345678.0, " 123456789012346000"},
      {2.0 / 3, " .666666666666667"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToUtf8(dblNumber(c.value)), c.text) << c.value;
  }
}

TEST(DblFixed2, RendersTwoDecimals) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {100, "100.00"},
      {7.5, "7.50"},
      {0.5, ".50"},
      {1234.5, "1234.50"},
      {0, ".00"},
      {-2.5, "-2.50"},
      {100 - 0.3, "99.70"},
      {99.999, "100.00"},
      {0.994, ".99"},
      {-0.001, ".00"},
      // Ties go away from zero, judged on the decimal value: 2.675 and 1.005 lie just
      // below their tie in binary, 0.125 is exact.
      {0.125, ".13"},
      {-0.125, "-.13"},
      {2.675, "2.68"},
      {1.005, "1.01"},
      {9.995, "10.00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToUtf8(dblFixed2(c.value)), c.text) << c.value;
  }
}

// Sets the C library's numeric locale to one with a decimal comma, as the window
// toolkit does on start-up for such a user, and restores it afterwards.
class CommaLocale {
 public:
  CommaLocale() : saved_(std::setlocale(LC_NUMERIC, nullptr)) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                             "ru_RU.UTF-8", "ru_RU.utf8", "nl_NL.UTF-8", "es_ES.UTF-8"}) {
      if (std::setlocale(LC_NUMERIC, name) != nullptr &&
          std::localeconv()->decimal_point[0] == ',') {
        active_ = true;
        return;
      }
    }
    std::setlocale(LC_NUMERIC, saved_.c_str());
  }
  ~CommaLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;
  bool active() const { return active_; }

 private:
  std::string saved_;
  bool active_ = false;
};

TEST(DblNumber, KeepsTheDecimalPointUnderADecimalCommaLocale) {
  CommaLocale locale;
  if (!locale.active()) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const struct {
    double value;
    const char* number;
    const char* fixed2;
  } cases[] = {
      {2.5, " 2.5", "2.50"},
      {100 - 0.3, " 99.7", "99.70"},
      {-0.5, "-.5", "-.50"},
      {100, " 100", "100.00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToUtf8(dblNumber(c.value)), c.number) << c.value;
    EXPECT_EQ(ToUtf8(dblFixed2(c.value)), c.fixed2) << c.value;
  }
}

TEST(DblDocument, FramesRecordsWithHeaderAndEnd) {
  DblDocument doc;
  EXPECT_EQ(doc.text(), u"$GRAPHIC/\r\n");
  doc.append(u"LINE: a/");
  doc.append(u"CHAR: NU= 2, あ/");
  doc.finish();
  EXPECT_EQ(doc.text(), u"$GRAPHIC/\r\nLINE: a/\r\nCHAR: NU= 2, あ/\r\n$END\r\n");
}

class DblSave : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("pcbprep_dbl_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path dir_;
};

TEST_F(DblSave, WritesCodePage932AndOneMoreLineEnd) {
  DblDocument doc;
  doc.append(u"CHAR: NU= 2, あ①/");
  doc.finish();
  const fs::path path = dir_ / "board";  // no extension is added
  ASSERT_TRUE(doc.save(path).ok());
  EXPECT_EQ(Read(path), "$GRAPHIC/\r\nCHAR: NU= 2, \x82\xA0\x87\x40/\r\n$END\r\n\r\n");
}

TEST_F(DblSave, ReplacesAnExistingFileEntirely) {
  const fs::path path = dir_ / "old.dbl";
  std::ofstream(path, std::ios::binary) << std::string(500, 'x');
  DblDocument doc;
  doc.finish();
  ASSERT_TRUE(doc.save(path).ok());
  EXPECT_EQ(Read(path), "$GRAPHIC/\r\n$END\r\n\r\n");
}

TEST_F(DblSave, RefusesTextTheCodePageCannotHold) {
  // Hangul has no form; 〜 and ¥ have one that reads back as another character.
  const std::pair<TextView, TextView> cases[] = {{u"한a한", u"한"}, {u"〜1¥", u"〜¥"}};
  for (const auto& [text, unmappable] : cases) {
    DblDocument doc;
    doc.append(u"CHAR: NU= 3, " + Text(text) + u"/");
    doc.finish();
    const fs::path path = dir_ / "refused.dbl";
    const DblSaveResult result = doc.save(path);
    EXPECT_EQ(result.status, DblSaveResult::Status::kUnmappable);
    EXPECT_EQ(result.unmappable, unmappable);
    EXPECT_FALSE(fs::exists(path));
  }
}

TEST_F(DblSave, ReportsWhyTheFileCouldNotBeCreated) {
  DblDocument doc;
  doc.finish();
  const DblSaveResult result = doc.save(dir_ / "missing" / "a.dbl");
  EXPECT_EQ(result.status, DblSaveResult::Status::kWriteFailed);
  EXPECT_FALSE(result.reason.empty());
}

}  // namespace
}  // namespace pcbprep
