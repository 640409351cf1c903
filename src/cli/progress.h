// The progress bar of zolvane-cli: one line on standard error, only on a terminal, only for
// passes that last, erased when the pass ends.
#pragma once

#include <chrono>
#include <cstdint>
#include <istream>
#include <streambuf>
#include <vector>

namespace zolvane::cli {

// What main() learned from the command line for the terminal; set once, before any pass.
struct TerminalSettings {
  bool quiet = false;
  std::chrono::milliseconds delay{1000};  // a bar appears only for passes longer than this
};
TerminalSettings& Terminal();

// Counts the bytes an engine takes from `in` while it lives and draws the bar from them. It
// sits between the stream and its file, so every engine is measured without knowing it.
class ProgressReader : public std::streambuf {
 public:
  ProgressReader(std::istream& in, std::uint64_t totalBytes);
  ProgressReader(const ProgressReader&) = delete;
  ProgressReader& operator=(const ProgressReader&) = delete;
  ~ProgressReader() override;

 protected:
  int_type underflow() override;
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                   std::ios_base::openmode which) override;
  pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

 private:
  void Draw();

  std::istream& in_;
  std::streambuf* source_;
  std::vector<char> buffer_;
  std::uint64_t total_;
  std::uint64_t read_ = 0;
  bool enabled_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_, lastDraw_;
};

}  // namespace zolvane::cli
