// Input and output files that close themselves, and the checks made before writing.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

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
  // Why the file could not be opened, as the system put it ("Permission denied"); empty
  // when it opened or the system gave no reason.
  const std::string& Fault() const { return fault_; }

 private:
  std::string path_;
  std::ifstream stream_;
  std::uint64_t size_ = 0;
  std::string fault_;
};

// True for an input that cannot be read twice: a pipe, a FIFO, a terminal, standard input.
bool ReadsOnce(const std::string& path);

// A private copy of an input that can be read only once, for commands that read their input
// twice (a checking pass, then the conversion). The copy is removed with the object.
class InputCopy {
 public:
  // Empty, with `error` set, when the source could not be read or the copy not written.
  static std::shared_ptr<const InputCopy> Make(const std::string& source, std::string& error);
  InputCopy(const InputCopy&) = delete;
  InputCopy& operator=(const InputCopy&) = delete;
  ~InputCopy();

  const std::string& Path() const { return path_; }

 private:
  explicit InputCopy(std::string path);
  std::string path_;
  int cleanupSlot_ = -1;
};

// A file being written. A regular file (new or existing) is written to a temporary file
// beside it, and Commit() puts that in place with the old file's permissions; without a
// commit the partial text is removed. So a conversion that fails or is stopped never leaves
// half a file behind, nor destroys the file it replaces. Anything else (a device, a FIFO,
// standard output) is written directly: renaming over it would destroy it.
class OutputFile {
 public:
  explicit OutputFile(std::string path);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  bool IsOpen() const { return stream_.is_open(); }
  std::ostream& Stream() { return stream_; }
  const std::string& Path() const { return path_; }
  // True when the folder refused a temporary and the target itself is being overwritten.
  bool WritesInPlace() const { return inPlace_; }

  // Closes the file and moves it into place; false when anything could not be written. A
  // stream that refused text earlier is never put in place.
  bool Commit();
  // Why the file could not be opened or written, as the system put it ("No space left on
  // device"); empty when it gave no reason.
  const std::string& Fault() const { return fault_; }

 private:
  std::string path_;
  std::string targetPath_;  // path_ with its links resolved
  std::string temporaryPath_;
  std::ofstream stream_;
  bool direct_ = false;  // not a regular file: written where it is
  bool inPlace_ = false;
  bool keepMode_ = false;  // the target existed: its permissions and owner carry over
  unsigned mode_ = 0;
  unsigned owner_ = 0, group_ = 0;
  bool committed_ = false;
  int cleanupSlot_ = -1;
  std::string fault_;
};

// The files a library writes by name (GDAL) for one output: made in a private folder beside
// the target, under the target's own name (and any files the library adds beside it), then
// moved beside the target by Commit(). Without a commit the folder and all it holds go, so a
// failed or stopped pass leaves nothing behind and the files it would replace untouched.
class StagedOutput {
 public:
  explicit StagedOutput(std::string path);
  StagedOutput(const StagedOutput&) = delete;
  StagedOutput& operator=(const StagedOutput&) = delete;
  ~StagedOutput();

  bool IsOpen() const { return !folder_.empty(); }
  // Where the library writes: the private folder joined with the target's file name.
  const std::string& WritePath() const { return writePath_; }
  // Moves every file the folder holds beside the target; false, with Fault() set, when one
  // could not be moved. The names moved are in Written().
  bool Commit();
  const std::vector<std::string>& Written() const { return written_; }
  const std::string& Fault() const { return fault_; }

 private:
  std::string folder_;
  std::string writePath_;
  std::string targetFolder_;
  std::vector<std::string> written_;
  std::string fault_;
  int cleanupSlot_ = -1;
};

// From now on SIGINT, SIGTERM and SIGHUP remove the temporaries of the open OutputFile and
// InputCopy objects and end the process with 128 + the signal's number, so an interrupted
// run leaves neither half a file nor a stray copy, and the file it would replace untouched.
// A signal that was ignored when this is called (nohup, a background job) stays ignored.
void RemoveTemporariesOnSignals();

// True when both names lead to the same regular file (also through links or relative names).
// Devices and pipes never count: `- -` reads standard input and writes standard output.
bool SameFile(const std::string& first, const std::string& second);

}  // namespace zolvane
