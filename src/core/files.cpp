#include "core/files.h"

#include <filesystem>
#include <system_error>

namespace zolvane {
namespace fs = std::filesystem;

InputFile::InputFile(std::string path) : path_(std::move(path)) {
  std::error_code error;
  // Directories open as streams on some systems but cannot be read; refuse them here.
  if (path_.empty() || fs::is_directory(path_, error)) return;
  stream_.open(path_, std::ios::in | std::ios::binary);
  const auto size = fs::file_size(path_, error);
  if (!error) size_ = size;
}

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  std::error_code error;
  if (path_.empty() || fs::is_directory(path_, error)) return;
  for (int attempt = 0; attempt < 100 && !stream_.is_open(); ++attempt) {
    std::string candidate = path_ + ".tmp~" + std::to_string(attempt);
    if (fs::exists(candidate, error)) continue;
    stream_.open(candidate, std::ios::out | std::ios::binary | std::ios::trunc);
    if (stream_.is_open()) temporaryPath_ = std::move(candidate);
  }
  if (!stream_.is_open()) {
    // The folder may refuse new files while the target itself is writable.
    stream_.clear();
    stream_.open(path_, std::ios::out | std::ios::binary | std::ios::trunc);
  }
}

OutputFile::~OutputFile() {
  if (committed_) return;
  stream_.close();
  std::error_code error;
  fs::remove(temporaryPath_.empty() ? path_ : temporaryPath_, error);
}

bool OutputFile::Commit() {
  if (!stream_.is_open()) return false;
  stream_.flush();
  const bool written = stream_.good();
  stream_.close();
  if (!written || stream_.fail()) return false;
  if (!temporaryPath_.empty()) {
    std::error_code error;
    fs::rename(temporaryPath_, path_, error);
    if (error) return false;
  }
  committed_ = true;
  return true;
}

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  if (fs::equivalent(first, second, error)) return true;
  // Either may not exist yet: compare what the names resolve to.
  const fs::path a = fs::weakly_canonical(fs::absolute(first, error), error);
  const fs::path b = fs::weakly_canonical(fs::absolute(second, error), error);
  return !a.empty() && a == b;
}

}  // namespace zolvane
