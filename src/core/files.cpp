#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zolvane {
namespace fs = std::filesystem;
namespace {

// The file a name finally leads to, following links one step at a time (relative links
// count from their own folder), so that a new name at the end of a link chain is found too.
fs::path ResolveLinks(const fs::path& path) {
  fs::path current = path;
  std::error_code error;
  for (int hop = 0; hop < 40 && fs::is_symlink(current, error); ++hop) {
    const fs::path next = fs::read_symlink(current, error);
    if (error) break;
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return current;
}

// Names that stand for a process's own streams or devices: written directly, whatever they
// lead to, since replacing what they resolve to would miss the open stream.
bool IsSystemName(const std::string& path) {
  return path.rfind("/dev/", 0) == 0 || path.rfind("/proc/", 0) == 0;
}

// The system's reason for the failure just met.
std::string SystemReason(int code) {
  return code == 0 ? std::string() : std::generic_category().message(code);
}

// The temporaries a signal handler removes. A handler may touch nothing but static storage
// and async-signal-safe calls, hence fixed slots of plain characters.
struct CleanupSlot {
  std::atomic<int> state{0};  // 0 free, 1 being filled, 2 holds a path
  char path[4096];
};
std::array<CleanupSlot, 16> cleanupSlots;
static_assert(std::atomic<int>::is_always_lock_free);

// A slot holding `path`, or -1 when all are taken or the path is too long (the file is
// then only removed on the normal paths).
int RegisterTemporary(const std::string& path) {
  if (path.size() >= sizeof(CleanupSlot::path)) return -1;
  for (std::size_t i = 0; i < cleanupSlots.size(); ++i) {
    int expected = 0;
    if (!cleanupSlots[i].state.compare_exchange_strong(expected, 1)) continue;
    std::memcpy(cleanupSlots[i].path, path.c_str(), path.size() + 1);
    cleanupSlots[i].state.store(2);
    return static_cast<int>(i);
  }
  return -1;
}

void ForgetTemporary(int& slot) {
  if (slot >= 0) cleanupSlots[static_cast<std::size_t>(slot)].state.store(0);
  slot = -1;
}

void RemoveTemporariesAndExit(int signal) {
  for (CleanupSlot& slot : cleanupSlots) {
    // A staging folder goes only when empty: listing it is not safe here.
    if (slot.state.load() == 2 && unlink(slot.path) != 0) rmdir(slot.path);
  }
  _exit(128 + signal);
}

}  // namespace

void RemoveTemporariesOnSignals() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old {};
    if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndExit;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
  }
}

InputFile::InputFile(std::string path) : path_(std::move(path)) {
  std::error_code error;
  // Directories open as streams on some systems but cannot be read; refuse them here.
  if (path_.empty()) return;
  if (fs::is_directory(path_, error)) {
    fault_ = SystemReason(EISDIR);
    return;
  }
  errno = 0;
  stream_.open(path_, std::ios::in | std::ios::binary);
  if (!stream_.is_open()) {
    fault_ = SystemReason(errno);
    return;
  }
  if (fs::is_regular_file(path_, error)) {
    const auto size = fs::file_size(path_, error);
    if (!error) size_ = size;
  }
}

bool ReadsOnce(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) return false;
  return !fs::is_regular_file(status) && !fs::is_directory(status);
}

std::shared_ptr<const InputCopy> InputCopy::Make(const std::string& source, std::string& error) {
  std::error_code code;
  std::string pattern = (fs::temp_directory_path(code) / "zolvane-input-XXXXXX").string();
  const int descriptor = mkstemp(pattern.data());  // private: mode 600, a new name
  if (descriptor < 0) {
    error = "no temporary file for a copy of the input";
    return nullptr;
  }
  close(descriptor);
  std::shared_ptr<const InputCopy> copy(new InputCopy(pattern));
  std::ifstream in(source, std::ios::in | std::ios::binary);
  if (!in.is_open()) {
    error = "cannot open " + source;
    return nullptr;
  }
  std::ofstream out(pattern, std::ios::out | std::ios::binary | std::ios::trunc);
  out << in.rdbuf();
  // An empty input leaves the stream without a character to insert; that is not a fault.
  if (in.bad() || !out.flush()) {
    error = "cannot copy " + source + " into " + pattern;
    return nullptr;
  }
  return copy;
}

InputCopy::InputCopy(std::string path)
    : path_(std::move(path)), cleanupSlot_(RegisterTemporary(path_)) {}

InputCopy::~InputCopy() {
  std::error_code error;
  fs::remove(path_, error);
  ForgetTemporary(cleanupSlot_);
}

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  std::error_code error;
  if (path_.empty()) return;
  const fs::path target = IsSystemName(path_) ? fs::path(path_) : ResolveLinks(path_);
  targetPath_ = target.string();
  const fs::file_status status = fs::status(target, error);
  if (fs::is_directory(status)) {
    fault_ = SystemReason(EISDIR);
    return;
  }
  if (IsSystemName(path_) || (fs::exists(status) && !fs::is_regular_file(status))) {
    direct_ = true;
    // Never truncated: standard output sent to a file with >> keeps what the file held.
    stream_.open(path_, std::ios::out | std::ios::binary | std::ios::app);
    if (!stream_.is_open()) fault_ = SystemReason(errno);
    return;
  }
  struct stat old {};
  if (fs::exists(status) && stat(targetPath_.c_str(), &old) == 0) {
    keepMode_ = true;
    mode_ = old.st_mode & 07777;
    owner_ = old.st_uid;
    group_ = old.st_gid;
  }
  for (int attempt = 0; attempt < 100 && !stream_.is_open(); ++attempt) {
    std::string candidate = targetPath_ + ".tmp~" + std::to_string(attempt);
    if (fs::exists(candidate, error) || fs::is_symlink(candidate, error)) continue;
    stream_.open(candidate, std::ios::out | std::ios::binary | std::ios::trunc);
    if (stream_.is_open()) {
      temporaryPath_ = std::move(candidate);
      cleanupSlot_ = RegisterTemporary(temporaryPath_);
    }
  }
  if (!stream_.is_open()) {
    // The folder may refuse new files while the target itself is writable.
    stream_.clear();
    stream_.open(targetPath_, std::ios::out | std::ios::binary | std::ios::trunc);
    inPlace_ = stream_.is_open();
    if (!inPlace_) fault_ = SystemReason(errno);
  }
}

OutputFile::~OutputFile() {
  if (committed_ || direct_) return;
  stream_.close();
  std::error_code error;
  if (!temporaryPath_.empty()) {
    fs::remove(temporaryPath_, error);
    ForgetTemporary(cleanupSlot_);
  } else if (inPlace_) {
    fs::remove(targetPath_, error);  // half a file is worse than none; the old text is gone
  }
}

bool OutputFile::Commit() {
  if (!stream_.is_open()) return false;
  stream_.flush();
  const bool written = stream_.good();
  stream_.close();
  if (!written || stream_.fail()) {
    // errno still holds the refusal of the last write (or of the close).
    fault_ = SystemReason(errno);
    return false;
  }
  if (!temporaryPath_.empty()) {
    if (keepMode_) {
      // The owner can be carried over only by a user allowed to give files away.
      [[maybe_unused]] const int ignored = chown(temporaryPath_.c_str(), owner_, group_);
      chmod(temporaryPath_.c_str(), mode_);
    }
    std::error_code error;
    fs::rename(temporaryPath_, targetPath_, error);
    if (error) {
      fault_ = error.message();
      return false;
    }
    ForgetTemporary(cleanupSlot_);
  }
  committed_ = true;
  return true;
}

StagedOutput::StagedOutput(std::string path) {
  const fs::path target = ResolveLinks(path);
  std::error_code error;
  if (fs::is_directory(target, error)) {
    fault_ = SystemReason(EISDIR);
    return;
  }
  const fs::path parent = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string name = ".";
  name += target.filename().string();
  name += ".tmp~XXXXXX";
  std::string pattern = (parent / name).string();
  errno = 0;
  if (!mkdtemp(pattern.data())) {
    fault_ = SystemReason(errno);
    return;
  }
  folder_ = pattern;
  targetFolder_ = parent.string();
  writePath_ = (fs::path(folder_) / target.filename()).string();
  cleanupSlot_ = RegisterTemporary(folder_);
}

StagedOutput::~StagedOutput() {
  if (folder_.empty()) return;
  std::error_code error;
  fs::remove_all(folder_, error);
  ForgetTemporary(cleanupSlot_);
}

bool StagedOutput::Commit() {
  if (folder_.empty()) return false;
  std::error_code error;
  std::vector<fs::path> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
    if (entry.is_regular_file(error)) names.push_back(entry.path().filename());
  }
  if (error) {
    fault_ = error.message();
    return false;
  }
  std::sort(names.begin(), names.end());
  for (const fs::path& name : names) {
    const fs::path target = fs::path(targetFolder_) / name;
    fs::rename(fs::path(folder_) / name, target, error);
    if (error) {
      fault_ = error.message();
      return false;
    }
    written_.push_back(target.string());
  }
  return true;
}

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  const fs::file_status a = fs::status(first, error);
  const fs::file_status b = fs::status(second, error);
  if (fs::exists(a) && !fs::is_regular_file(a)) return false;
  if (fs::exists(b) && !fs::is_regular_file(b)) return false;
  if (fs::equivalent(first, second, error)) return true;
  // Either may not exist yet: compare what the names resolve to.
  const fs::path x = fs::weakly_canonical(fs::absolute(first, error), error);
  const fs::path y = fs::weakly_canonical(fs::absolute(second, error), error);
  return !x.empty() && x == y;
}

}  // namespace zolvane
