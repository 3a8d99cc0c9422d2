#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pcbprep {

// Every file the program reads or writes goes through these two helpers: a read is
// all or nothing, and a save never leaves a half-written file in place of a good one.
// Reasons are Japanese texts (UTF-8) for messages; callers add the file name.

// Files larger than this are refused before reading: no netlist, settings or
// drawing of this program comes near it, and a mistaken pick must not eat memory.
inline constexpr std::uint64_t kMaxReadBytes = 64ull * 1024 * 1024;

struct FileReadResult {
  std::string bytes;   // the whole file when ok()
  int error = 0;       // errno of the failing step, or 0
  std::string reason;  // Japanese reason when !ok()
  bool ok() const { return reason.empty(); }
};

// Reads a whole regular file. A FIFO, device, socket or directory is refused at once
// (it is opened without blocking and never read); a file over `limit` bytes is refused
// with its size and the limit; a read error is a failure, never an early end of file.
FileReadResult ReadWholeFile(const std::string& path, std::uint64_t limit = kMaxReadBytes);

struct FileWriteResult {
  int error = 0;
  std::string reason;  // Japanese reason when !ok()
  bool ok() const { return reason.empty(); }
};

// Replaces the file's content atomically: the bytes go to a temporary file in the same
// folder, are flushed to disk and renamed over the target. On any failure the temporary
// file is removed, the existing file stays exactly as it was and the reason is returned.
// A symbolic link keeps pointing where it did; the file it points to is replaced. An
// existing device (/dev/null) is written in place; a directory or FIFO is refused.
FileWriteResult WriteFileAtomic(const std::string& path, std::string_view bytes);

// The system's reason for an errno value in Japanese (common cases), else the C
// library's text with the number.
std::string SystemErrorText(int error);

// True when both names exist and are the same file (same device and inode), so a
// command can refuse to overwrite one of its inputs.
bool SameFile(const std::string& a, const std::string& b);

namespace file_io_testing {
// Replaces the rename step of WriteFileAtomic (nullptr restores it), so a test can
// make the last step fail.
using RenameFunction = int (*)(const char* from, const char* to);
void SetRename(RenameFunction rename);
}  // namespace file_io_testing

}  // namespace pcbprep
