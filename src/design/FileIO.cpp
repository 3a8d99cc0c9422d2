#include "design/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pcbprep {

namespace {

file_io_testing::RenameFunction renameStep = nullptr;

std::string SizeText(std::uint64_t value) { return std::to_string(value); }

// Why a name that exists is not something to read as a file.
std::string NotRegularReason(mode_t mode) {
  if (S_ISDIR(mode)) return SystemErrorText(EISDIR);
  if (S_ISFIFO(mode)) return "名前付きパイプ（FIFO）です。通常のファイルを指定してください";
  if (S_ISSOCK(mode)) return "ソケットです。通常のファイルを指定してください";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "デバイスです。通常のファイルを指定してください";
  return "通常のファイルではありません";
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports the close error, which on some file systems is the first
  // sign that written data did not reach the disk.
  int close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

FileReadResult ReadFailure(int error, std::string reason) {
  FileReadResult result;
  result.error = error;
  result.reason = std::move(reason);
  return result;
}

FileWriteResult WriteFailure(int error) {
  FileWriteResult result;
  result.error = error;
  result.reason = SystemErrorText(error);
  return result;
}

int WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The name a save really replaces: a symbolic link is followed to its final target,
// which need not exist yet (a dangling link gets its file created).
std::string FinalTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer - 1);
    if (n <= 0) return current;
    std::string link(buffer, static_cast<std::size_t>(n));
    current = link.front() == '/' ? link : Folder(current) + "/" + link;
  }
  return current;
}

// Writes straight into an existing device (as /dev/null), where a rename would
// replace the device node itself.
FileWriteResult WriteInPlace(const std::string& path, std::string_view bytes) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) return WriteFailure(errno);
  if (const int error = WriteAll(fd.get(), bytes)) return WriteFailure(error);
  if (const int error = fd.close()) return WriteFailure(error);
  return {};
}

}  // namespace

std::string SystemErrorText(int error) {
  switch (error) {
    case ENOENT:
      return "ファイルまたはフォルダーが見つかりません";
    case EACCES:
    case EPERM:
      return "アクセスが拒否されました（権限がありません）";
    case ENOSPC:
    case EDQUOT:
      return "ディスクの空き容量が足りません";
    case EROFS:
      return "読み取り専用の場所です";
    case EISDIR:
      return "ディレクトリです。ファイルを指定してください";
    case ENOTDIR:
      return "途中の名前がフォルダーではありません";
    case EFBIG:
      return "ファイルが大きすぎます（書き込めるサイズの上限を超えました）";
    case EIO:
      return "読み書きエラー（入出力エラー）が発生しました";
    case ENAMETOOLONG:
      return "ファイル名が長すぎます";
    case ELOOP:
      return "シンボリックリンクの参照が多すぎます";
    case EMFILE:
    case ENFILE:
      return "開いているファイルが多すぎます";
    case ETXTBSY:
    case EBUSY:
      return "ファイルが使用中です";
    case EXDEV:
      return "別のドライブへは移動できません";
    case ENOMEM:
      return "メモリが足りません";
    default:
      return std::string("システムエラー: ") + std::strerror(error) + " (errno " +
             std::to_string(error) + ")";
  }
}

FileReadResult ReadWholeFile(const std::string& path, std::uint64_t limit) {
  // Look before opening: opening some devices has effects of its own.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int error = errno;
    return ReadFailure(error, SystemErrorText(error));
  }
  if (!S_ISREG(st.st_mode)) return ReadFailure(0, NotRegularReason(st.st_mode));

  // O_NONBLOCK: should the name have been swapped for a FIFO since, the open does not
  // wait for a writer; fstat below then refuses it.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) {
    const int error = errno;
    return ReadFailure(error, SystemErrorText(error));
  }
  if (::fstat(fd.get(), &st) != 0) {
    const int error = errno;
    return ReadFailure(error, SystemErrorText(error));
  }
  if (!S_ISREG(st.st_mode)) return ReadFailure(0, NotRegularReason(st.st_mode));
  const auto tooLarge = [limit](std::uint64_t size) {
    return ReadFailure(EFBIG, "ファイルが大きすぎます（" + SizeText(size) + " バイト、上限 " +
                                  SizeText(limit) + " バイト）");
  };
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (size > limit) return tooLarge(size);

  FileReadResult result;
  // Files under /proc report size 0 yet have content: read until the end either way,
  // but never more than the limit.
  result.bytes.resize(static_cast<std::size_t>(size > 0 ? size : 4096));
  std::size_t done = 0;
  for (;;) {
    if (done == result.bytes.size()) {
      if (done > limit) return tooLarge(done);
      const std::size_t grown = std::min<std::uint64_t>(done * 2, limit + 1);
      result.bytes.resize(grown > done ? grown : done + 1);
    }
    const ssize_t n = ::read(fd.get(), result.bytes.data() + done, result.bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      return ReadFailure(error, SystemErrorText(error == EAGAIN ? EIO : error));
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (done > limit) return tooLarge(done);
  result.bytes.resize(done);
  return result;
}

FileWriteResult WriteFileAtomic(const std::string& path, std::string_view bytes) {
  if (path.empty()) return WriteFailure(ENOENT);
  const std::string target = FinalTarget(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    if (S_ISCHR(existing.st_mode) || S_ISBLK(existing.st_mode)) {
      return WriteInPlace(target, bytes);
    }
    FileWriteResult refused;
    refused.error = S_ISDIR(existing.st_mode) ? EISDIR : EINVAL;
    refused.reason = NotRegularReason(existing.st_mode);
    return refused;
  }

  // The temporary file sits beside the target, so the rename stays on one file system.
  static std::atomic<unsigned> counter{0};
  const std::string folder = Folder(target);
  const std::string base =
      target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
  std::string temp;
  int fdNumber = -1;
  for (int attempt = 0; attempt < 100 && fdNumber < 0; ++attempt) {
    temp = folder + "/." + base + "." + std::to_string(::getpid()) + "." +
           std::to_string(counter.fetch_add(1)) + ".tmp";
    fdNumber = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fdNumber < 0 && errno != EEXIST) break;
  }
  if (fdNumber < 0) return WriteFailure(errno);
  Fd fd(fdNumber);

  auto fail = [&temp](int error) {
    ::unlink(temp.c_str());
    return WriteFailure(error);
  };
  // The replacement keeps the permissions of the file it replaces.
  if (exists) ::fchmod(fd.get(), existing.st_mode & 07777);
  if (const int error = WriteAll(fd.get(), bytes)) return fail(error);
  if (::fsync(fd.get()) != 0) return fail(errno);
  if (const int error = fd.close()) return fail(error);
  const int renamed = renameStep ? renameStep(temp.c_str(), target.c_str())
                                 : std::rename(temp.c_str(), target.c_str());
  if (renamed != 0) return fail(errno != 0 ? errno : EIO);

  // Make the new name itself durable; a failure here no longer endangers any data.
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return {};
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

namespace file_io_testing {
void SetRename(RenameFunction rename) { renameStep = rename; }
}  // namespace file_io_testing

}  // namespace pcbprep
