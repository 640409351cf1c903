#include "cli/progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace zolvane::cli {
namespace {

constexpr std::size_t kBlock = std::size_t{1} << 16;
constexpr int kBarWidth = 24;

std::string Clock(double seconds) {
  const long total = static_cast<long>(seconds + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
  return text;
}

}  // namespace

TerminalSettings& Terminal() {
  static TerminalSettings settings;
  return settings;
}

ProgressReader::ProgressReader(std::istream& in, std::uint64_t totalBytes)
    : in_(in),
      source_(in.rdbuf()),
      buffer_(kBlock),
      total_(totalBytes),
      enabled_(!Terminal().quiet && isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()),
      lastDraw_(start_ - std::chrono::seconds(1)) {
  in_.rdbuf(this);
}

ProgressReader::~ProgressReader() {
  in_.rdbuf(source_);
  if (shown_) std::fputs("\r\033[K", stderr);  // the bar goes; messages after it stand alone
}

ProgressReader::int_type ProgressReader::underflow() {
  const std::streamsize n = source_->sgetn(buffer_.data(), static_cast<std::streamsize>(kBlock));
  if (n <= 0) return traits_type::eof();
  setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
  read_ += static_cast<std::uint64_t>(n);
  if (enabled_) Draw();
  return traits_type::to_int_type(buffer_[0]);
}

ProgressReader::pos_type ProgressReader::seekoff(off_type offset, std::ios_base::seekdir direction,
                                                 std::ios_base::openmode which) {
  // The file is ahead of the reader by what is still buffered here.
  if (direction == std::ios_base::cur) offset -= egptr() - gptr();
  setg(nullptr, nullptr, nullptr);
  return source_->pubseekoff(offset, direction, which);
}

ProgressReader::pos_type ProgressReader::seekpos(pos_type position, std::ios_base::openmode which) {
  setg(nullptr, nullptr, nullptr);
  return source_->pubseekpos(position, which);
}

void ProgressReader::Draw() {
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < Terminal().delay || now - lastDraw_ < std::chrono::milliseconds(100)) return;
  lastDraw_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const double rate = seconds > 0 ? read_ / seconds : 0;
  std::string line = "\r";
  if (total_ > 0) {
    const double done = read_ >= total_ ? 1.0 : static_cast<double>(read_) / total_;
    const int filled = static_cast<int>(done * kBarWidth);
    line += '[' + std::string(filled, '#') + std::string(kBarWidth - filled, ' ') + ']';
    char percent[16];
    std::snprintf(percent, sizeof percent, " %3d%%", static_cast<int>(done * 100));
    line += percent;
  } else {
    line += std::to_string(read_ >> 20) + " MB";
  }
  char speed[32];
  std::snprintf(speed, sizeof speed, "  %.1f MB/s", rate / (1 << 20));
  line += speed;
  if (total_ > read_ && rate > 0) line += "  " + Clock((total_ - read_) / rate) + " left";
  line += "\033[K";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
  shown_ = true;
}

}  // namespace zolvane::cli
