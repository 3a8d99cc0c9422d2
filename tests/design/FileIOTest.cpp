#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "design/FileIO.h"

namespace pcbprep {
namespace {

namespace fs = std::filesystem;

class FileIO : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("pcbprep-fileio-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    file_io_testing::SetRename(nullptr);
    fs::remove_all(dir_);
  }
  std::string Put(const std::string& name, const std::string& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  static std::string Content(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Only the target and nothing else: no temporary file may be left behind.
  std::size_t Entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }
  fs::path dir_;
};

TEST_F(FileIO, ReadsRegularFilesWholeAndRefusesEverythingElseAtOnce) {
  const std::string fifo = (dir_ / "pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string good = Put("good.net", std::string("A\0B\r\n", 5));
  const struct {
    std::string path;
    const char* reason;  // empty when the read succeeds
  } cases[] = {
      {good, ""},
      {Put("empty.net", ""), ""},
      {fifo, "FIFO"},  // a FIFO without a writer must not block
      {"/dev/zero", "デバイス"},
      {dir_.string(), "ディレクトリ"},
      {(dir_ / "missing").string(), "見つかりません"},
      {"/proc/self/mem", "入出力エラー"},  // reading at offset 0 fails with EIO
  };
  for (const auto& c : cases) {
    const FileReadResult result = ReadWholeFile(c.path);
    if (*c.reason == '\0') {
      EXPECT_TRUE(result.ok()) << c.path << ": " << result.reason;
    } else {
      EXPECT_FALSE(result.ok()) << c.path;
      EXPECT_NE(result.reason.find(c.reason), std::string::npos) << c.path << ": " << result.reason;
    }
  }
  EXPECT_EQ(ReadWholeFile(good).bytes, std::string("A\0B\r\n", 5));
}

TEST_F(FileIO, RefusesFilesOverTheLimitNamingSizeAndLimit) {
  const std::string path = Put("big", std::string(11, 'x'));
  EXPECT_TRUE(ReadWholeFile(path, 11).ok());
  const FileReadResult result = ReadWholeFile(path, 10);
  EXPECT_EQ(result.reason, "ファイルが大きすぎます（11 バイト、上限 10 バイト）");
  // A /proc file reports size 0 and is still bounded while reading.
  EXPECT_FALSE(ReadWholeFile("/proc/self/maps", 10).ok());
}

TEST_F(FileIO, ReplacesTheFileAndKeepsItsPermissions) {
  const std::string path = Put("a.dbl", "old");
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomic(path, "new content").ok());
  EXPECT_EQ(Content(path), "new content");
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
  EXPECT_EQ(Entries(), 1u);
  ASSERT_TRUE(WriteFileAtomic((dir_ / "fresh").string(), "x").ok());
  EXPECT_EQ(Content(dir_ / "fresh"), "x");
}

TEST_F(FileIO, FollowsASymbolicLinkAndKeepsIt) {
  const std::string real = Put("real.dbl", "old");
  fs::create_directories(dir_ / "links");
  fs::create_symlink("../real.dbl", dir_ / "links" / "link.dbl");
  ASSERT_TRUE(WriteFileAtomic((dir_ / "links" / "link.dbl").string(), "new").ok());
  EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "link.dbl"));
  EXPECT_EQ(Content(real), "new");
}

int FailingRename(const char*, const char*) {
  errno = EROFS;
  return -1;
}

TEST_F(FileIO, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  const std::string path = Put("a.dbl", "old");
  file_io_testing::SetRename(FailingRename);
  const FileWriteResult renamed = WriteFileAtomic(path, "new");
  EXPECT_EQ(renamed.reason, "読み取り専用の場所です");
  file_io_testing::SetRename(nullptr);
  EXPECT_EQ(Content(path), "old");
  EXPECT_EQ(Entries(), 1u);

  // A write cut short (as under ulimit -f) fails the same way.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 2;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const FileWriteResult cut = WriteFileAtomic(path, "new content");
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(cut.error, EFBIG);
  EXPECT_EQ(Content(path), "old");
  EXPECT_EQ(Entries(), 1u);

  const FileWriteResult full = WriteFileAtomic("/dev/full", "x");
  EXPECT_EQ(full.reason, "ディスクの空き容量が足りません");
  EXPECT_EQ(WriteFileAtomic(dir_.string(), "x").error, EISDIR);
  EXPECT_FALSE(WriteFileAtomic((dir_ / "no" / "a.dbl").string(), "x").ok());
  EXPECT_FALSE(WriteFileAtomic("", "x").ok());
}

TEST_F(FileIO, SameFileComparesDeviceAndInode) {
  const std::string a = Put("a", "1");
  fs::create_hard_link(a, dir_ / "b");
  EXPECT_TRUE(SameFile(a, (dir_ / "b").string()));
  EXPECT_FALSE(SameFile(a, Put("c", "1")));
  EXPECT_FALSE(SameFile(a, (dir_ / "missing").string()));
}

}  // namespace
}  // namespace pcbprep
