#include "core/block_pass.h"

#if defined(__linux__)
#include <sched.h>
#include <sys/mman.h>
#endif

namespace zolvane {

int AllCores() {
#if defined(__linux__)
  // The cores this process may run on (taskset, a container's share), not the machine's.
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) == 0) {
    const int cores = CPU_COUNT(&set);
    if (cores > 0) return cores;
  }
#endif
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

void PreferHugePages(const void* data, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kHuge = std::uintptr_t{1} << 21;
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + kHuge - 1) & ~(kHuge - 1);
  const std::uintptr_t end = (start + bytes) & ~(kHuge - 1);
  // Only advice: where it is refused the pages are the usual ones.
  if (first < end) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

BlockCutter::BlockCutter(std::istream& in, std::size_t blockSize, std::size_t maxLine)
    : in_(in), blockSize_(std::max<std::size_t>(blockSize, 1)), maxLine_(maxLine) {}

bool BlockCutter::Next(TextBlock& block) {
  if (done_) return false;
  // Small inputs stay small: the first blocks grow to the full size, a doubling at a time.
  const std::size_t firstSize = firstSize_;
  firstSize_ = std::min(blockSize_, firstSize_ * 2);
  block.last = block.readFailed = false;
  // The block's own text keeps its room from its last use.
  std::string text = std::move(block.text);
  text.assign(carry_);
  carry_.clear();
  std::size_t cut = std::string::npos;
  for (;;) {
    const std::size_t have = text.size();
    // A block without a line end yet doubles, so a long line costs linear time.
    const std::size_t want = std::max(std::min(blockSize_, firstSize), have * 2);
    text.resize(want);
    in_.read(text.data() + have, static_cast<std::streamsize>(want - have));
    text.resize(have + static_cast<std::size_t>(in_.gcount()));
    if (!in_.good()) {
      done_ = true;
      block.last = true;
      block.readFailed = in_.bad();
      break;
    }
    // After the last line end, but not after a CR that may yet be followed by its LF.
    std::size_t end = text.find_last_of("\r\n");
    if (end != std::string::npos && end + 1 == text.size() && text[end] == '\r') {
      end = end == 0 ? std::string::npos : text.find_last_of("\r\n", end - 1);
    }
    if (end != std::string::npos) {
      cut = end + 1;
      break;
    }
    // A line beyond what any reader takes: the reader of this block says so.
    if (text.size() > maxLine_ + 2) break;
  }
  if (cut != std::string::npos && cut < text.size()) carry_.assign(text, cut);
  if (cut != std::string::npos) text.resize(cut);
  offset_ += text.size();
  block.text = std::move(text);
  block.endOffset = offset_;
  // The last block may be empty: it still tells its reader that the input ends there.
  return true;
}

}  // namespace zolvane
