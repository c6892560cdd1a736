#include "export/FileSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace slicewright {

std::filesystem::path SaveTarget(const std::string& path) {
  constexpr int kMaxLinks = 40;  // as the kernel allows before ELOOP
  std::filesystem::path target = path;
  std::error_code ec;
  for (int hop = 0; hop < kMaxLinks && std::filesystem::is_symlink(target, ec); ++hop) {
    const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

namespace {

// Temporary files and folders being written, so that a signal handler can
// remove them. Fixed buffers, since the handler may only touch memory that is
// never freed.
constexpr size_t kPendingSlots = 256;
constexpr size_t kPendingPathSize = 4096;
enum SlotState : int { kFree, kFilling, kPending };
struct PendingTemporary {
  std::atomic<int> state{kFree};
  bool folder = false;
  char path[kPendingPathSize] = {};
};
PendingTemporary g_pending[kPendingSlots];
// A set of renames under way, and the end of the program under way: the
// handler that removes the temporaries lets a set finish first, and once it
// has begun no new set starts, so no set is left half in place.
std::atomic<int> g_commits{0};
std::atomic<bool> g_ending{false};

// A registration that lasts while one temporary file or folder may exist.
// With every slot taken (more saves at once than threads ever run) it is
// simply not registered.
class PendingRegistration {
 public:
  explicit PendingRegistration(const std::string& path, bool folder = false) {
    if (path.size() >= kPendingPathSize || g_ending.load()) return;
    for (PendingTemporary& slot : g_pending) {
      int expected = kFree;
      if (!slot.state.compare_exchange_strong(expected, kFilling)) continue;
      std::memcpy(slot.path, path.c_str(), path.size() + 1);
      slot.folder = folder;
      slot.state.store(kPending);
      slot_ = &slot;
      return;
    }
  }
  ~PendingRegistration() {
    if (slot_ != nullptr) slot_->state.store(kFree);
  }
  PendingRegistration(const PendingRegistration&) = delete;
  PendingRegistration& operator=(const PendingRegistration&) = delete;

 private:
  PendingTemporary* slot_ = nullptr;
};

// Empties a folder of plain files and removes it with system calls only, as
// a signal handler may. Removing entries while reading the listing can hide
// others, so the listing is read again until it is empty.
void RemoveFolderNow(const char* path) {
  const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  alignas(dirent64) char listing[4096];
  for (int pass = 0; pass < 1000; ++pass) {
    bool removed = false;
    ::lseek(fd, 0, SEEK_SET);
    for (;;) {
      const ssize_t got = ::getdents64(fd, listing, sizeof listing);
      if (got <= 0) break;
      for (ssize_t at = 0; at < got;) {
        const auto* entry = reinterpret_cast<const struct dirent64*>(listing + at);
        const char* name = entry->d_name;
        const bool dots = name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
        if (!dots && ::unlinkat(fd, name, 0) == 0) removed = true;
        at += entry->d_reclen;
      }
    }
    if (!removed) break;
  }
  ::close(fd);
  ::rmdir(path);
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The process's file-creation mask, read without changing it: setting it to
// read it and back would let whatever another thread creates meanwhile (batch
// runs several exports at once) escape the mask, or leave the mask at zero.
mode_t CreationMask() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  }
  const mode_t mask = ::umask(0);  // kernels before 4.7 do not report it
  ::umask(mask);
  return mask;
}

// Mode for the new file or folder: the old one's, or what a plain create
// would give.
mode_t ModeFor(const std::filesystem::path& target, mode_t created = 0666) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
  return created & ~CreationMask();
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
  return target.has_parent_path() ? target.parent_path() : ".";
}

// The bytes written to a hidden file beside the target, ready to be renamed
// over it; the file goes again unless it was.
// A hidden mkstemp/mkdtemp template named after the target, within the
// 255 bytes a file name may have however long the target's name is.
std::string HiddenNameFor(const std::filesystem::path& target) {
  constexpr size_t kMaxName = 255;
  constexpr std::string_view kUnique = ".XXXXXX";
  std::string hidden(".");
  hidden.append(target.filename().string(), 0, kMaxName - 1 - kUnique.size()).append(kUnique);
  return hidden;
}

class TemporaryBeside {
 public:
  TemporaryBeside(const std::filesystem::path& target, const std::vector<uint8_t>& bytes) {
    path_ = (FolderOf(target) / HiddenNameFor(target)).string();
    const int fd = ::mkstemp(path_.data());
    if (fd < 0) return;
    pending_.emplace(path_);
    ok_ = WriteAll(fd, bytes) && ::fchmod(fd, ModeFor(target)) == 0 && ::fsync(fd) == 0;
    ok_ = (::close(fd) == 0) && ok_;
    exists_ = true;
  }
  ~TemporaryBeside() {
    if (exists_) ::unlink(path_.c_str());
  }
  TemporaryBeside(const TemporaryBeside&) = delete;
  TemporaryBeside& operator=(const TemporaryBeside&) = delete;

  bool Ok() const { return ok_; }
  bool RenameTo(const std::filesystem::path& target) {
    if (!ok_ || std::rename(path_.c_str(), target.c_str()) != 0) return false;
    exists_ = false;
    return true;
  }

 private:
  std::string path_;
  std::optional<PendingRegistration> pending_;
  bool ok_ = false;
  bool exists_ = false;
};

// A hidden folder beside `beside` that is removed with its files unless it
// was put in place.
class StagingFolder {
 public:
  explicit StagingFolder(const std::filesystem::path& beside) {
    path_ = (FolderOf(beside) / HiddenNameFor(beside)).string();
    if (::mkdtemp(path_.data()) == nullptr) return;
    pending_.emplace(path_, true);
    exists_ = true;
  }
  ~StagingFolder() {
    if (exists_) RemoveFolderNow(path_.c_str());
  }
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

  bool Exists() const { return exists_; }
  const std::string& Path() const { return path_; }
  void Moved() { exists_ = false; }

  bool Add(const FolderFile& file) {
    const std::string path = path_ + "/" + file.name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const bool ok = WriteAll(fd, file.bytes) && ::fsync(fd) == 0;
    return (::close(fd) == 0) && ok;
  }

 private:
  std::string path_;
  std::optional<PendingRegistration> pending_;
  bool exists_ = false;
};

// Holds off the signals that end the program while a set of renames runs, so
// that none is left half done by this thread.
// Another thread's handler waits for the set to finish (or finds it never
// started).
class CommitSection {
 public:
  CommitSection() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&held, signalNumber);
    pthread_sigmask(SIG_BLOCK, &held, &previous_);
    ++g_commits;
    if (g_ending.load()) {
      --g_commits;
      entered_ = false;
    }
  }
  ~CommitSection() {
    if (entered_) --g_commits;
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  CommitSection(const CommitSection&) = delete;
  CommitSection& operator=(const CommitSection&) = delete;

  bool Entered() const { return entered_; }

 private:
  sigset_t previous_;
  bool entered_ = true;
};

// Swaps two existing paths in one step where the file system can; otherwise
// moves `folder` aside to an empty hidden folder and the staged one in.
// Afterwards `staged` names the older folder.
bool ExchangeFolders(const std::string& staged, const std::string& folder) {
  if (::renameat2(AT_FDCWD, staged.c_str(), AT_FDCWD, folder.c_str(), RENAME_EXCHANGE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  const std::string aside = staged + ".old";
  if (::mkdir(aside.c_str(), 0700) != 0) return false;
  if (std::rename(folder.c_str(), aside.c_str()) != 0) {
    ::rmdir(aside.c_str());
    return false;
  }
  if (std::rename(staged.c_str(), folder.c_str()) != 0) {
    std::rename(aside.c_str(), folder.c_str());
    return false;
  }
  return std::rename(aside.c_str(), staged.c_str()) == 0;
}

}  // namespace

bool SaveFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (path.empty()) return false;
  const std::filesystem::path target = SaveTarget(path);
  std::error_code ec;
  if (std::filesystem::is_directory(target, ec)) return false;
  TemporaryBeside temporary(target, bytes);
  return temporary.RenameTo(target);
}

bool SaveFileWithFolder(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& folder,
                        const std::vector<FolderFile>& files) {
  if (path.empty() || folder.empty()) return false;
  const std::filesystem::path target = SaveTarget(path);
  std::error_code ec;
  if (std::filesystem::is_directory(target, ec)) return false;
  const std::filesystem::file_status older = std::filesystem::symlink_status(folder, ec);
  const bool replacing = std::filesystem::exists(older);
  if (replacing && !std::filesystem::is_directory(older)) return false;

  StagingFolder staging{std::filesystem::path(folder)};
  if (!staging.Exists() || ::chmod(staging.Path().c_str(), ModeFor(folder, 0777)) != 0) return false;
  for (const FolderFile& file : files) {
    if (!staging.Add(file)) return false;
  }
  TemporaryBeside temporary(target, bytes);
  if (!temporary.Ok()) return false;

  const CommitSection commit;
  if (!commit.Entered()) return false;
  if (!replacing) {
    if (std::rename(staging.Path().c_str(), folder.c_str()) != 0) return false;
    staging.Moved();
    if (temporary.RenameTo(target)) return true;
    RemoveFolderNow(folder.c_str());
    return false;
  }
  if (!ExchangeFolders(staging.Path(), folder)) return false;
  if (temporary.RenameTo(target)) {
    // The staging name now holds the older folder.
    std::filesystem::remove_all(staging.Path(), ec);
    staging.Moved();
    return true;
  }
  // Put the older folder back; the new one goes with the staging name.
  ExchangeFolders(staging.Path(), folder);
  return false;
}

void RemovePendingTemporaryFiles() {
  g_ending.store(true);
  // A set of renames takes microseconds; a second at most is waited for.
  const timespec millisecond{0, 1000000};
  for (int waited = 0; waited < 1000 && g_commits.load() > 0; ++waited) ::nanosleep(&millisecond, nullptr);
  for (PendingTemporary& slot : g_pending) {
    if (slot.state.load() == kPending && !slot.folder) ::unlink(slot.path);
  }
  for (PendingTemporary& slot : g_pending) {
    if (slot.state.load() == kPending && slot.folder) RemoveFolderNow(slot.path);
  }
}

}  // namespace slicewright
