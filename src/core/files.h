// Input and output files that close themselves, and the checks made before writing.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace zolvane {

// A file opened for reading; closed when the object goes away.
class InputFile {
 public:
  explicit InputFile(std::string path);
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool IsOpen() const { return stream_.is_open(); }
  std::istream& Stream() { return stream_; }
  // Size in bytes when known (0 otherwise), for progress reports.
  std::uint64_t Size() const { return size_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::ifstream stream_;
  std::uint64_t size_ = 0;
};

// A file being written. The text goes to a temporary file beside the target, and Commit()
// puts it in place; without a commit the partial text is removed. So a conversion that
// fails or is stopped never leaves half a file behind, nor destroys the file it replaces.
class OutputFile {
 public:
  explicit OutputFile(std::string path);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  bool IsOpen() const { return stream_.is_open(); }
  std::ostream& Stream() { return stream_; }
  const std::string& Path() const { return path_; }

  // Closes the file and moves it into place; false when anything could not be written.
  bool Commit();

 private:
  std::string path_;
  std::string temporaryPath_;
  std::ofstream stream_;
  bool committed_ = false;
};

// True when both names lead to the same file (also through links or relative names).
bool SameFile(const std::string& first, const std::string& second);

}  // namespace zolvane
