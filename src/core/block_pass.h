// Passes over large text inputs on every core: the input is cut into blocks of whole lines,
// each block is converted on a worker thread into its own output, and the outputs are taken
// in input order on the calling thread. A fixed number of blocks is in flight, so memory
// stays bounded however large the input.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <istream>
#include <memory>
#include <mutex>
#include <streambuf>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace zolvane {

struct BlockPassOptions {
  int threads = 1;  // 1: the single-threaded pass
  std::size_t blockSize = std::size_t{1} << 20;
};

// The cores this process may run on, at least 1.
int AllCores();

// Asks for huge pages for the whole ones inside [data, data + bytes), where the system lets a
// program ask: a buffer of tens of megabytes written once then costs a few page faults, not
// thousands. Call it before the buffer is first written.
void PreferHugePages(const void* data, std::size_t bytes);

// A run of whole lines of the input, the last one possibly without its end.
struct TextBlock {
  std::string text;
  std::uint64_t endOffset = 0;  // input bytes up to the end of this block
  bool last = false;            // no input follows
  bool readFailed = false;      // the input could not be read past this block
};

// Cuts a stream into blocks that end after a line end (LF, CR LF or CR alone, never between
// the CR and the LF of one). A line longer than `maxLine` ends a block where it stands: the
// reader of that block reports it.
class BlockCutter {
 public:
  using Block = TextBlock;
  BlockCutter(std::istream& in, std::size_t blockSize, std::size_t maxLine);
  // False when the input is spent.
  bool Next(TextBlock& block);

 private:
  std::istream& in_;
  std::size_t blockSize_;
  std::size_t maxLine_;
  std::string carry_;
  std::uint64_t offset_ = 0;
  std::size_t firstSize_ = std::size_t{1} << 16;
  bool done_ = false;
};

// An input stream over text held in memory, for the line readers of one block.
class TextStream : public std::istream {
 public:
  explicit TextStream(std::string_view text) : std::istream(&buffer_), buffer_(text) {}

 private:
  struct Buffer : std::streambuf {
    explicit Buffer(std::string_view text) {
      char* begin = const_cast<char*>(text.data());  // read only: no put area is set
      setg(begin, begin, begin + text.size());
    }
  };
  Buffer buffer_;
};

// Runs the blocks a cutter gives through workers and hands each one's result to `take` in
// input order. `cutter.Next(Block&)` (Block being `Cutter::Block`, a TextBlock or one that
// carries more) runs on the calling thread and returns false when the input is spent.
// `makeWorker()` is called once per worker thread and gives a callable
// `worker(const Block&, Result&)`; `take(const Block&, Result&)` runs on the calling thread
// and returns false to end the pass, blocks after it being dropped unread.
template <typename Result, typename Cutter, typename MakeWorker, typename Take>
void RunCutBlocks(Cutter& cutter, int threadCount, MakeWorker&& makeWorker, Take&& take) {
  using Block = typename Cutter::Block;
  struct Job {
    Block block;
    Result result{};
    bool done = false;
  };
  const int threads = std::max(1, threadCount);
  const std::size_t inFlight = static_cast<std::size_t>(threads) * 2;
  // An input of one block is converted here: starting threads would cost more than it.
  auto first = std::make_unique<Job>();
  if (!cutter.Next(first->block)) return;
  if (first->block.last) {
    auto worker = makeWorker();
    worker(first->block, first->result);
    take(first->block, first->result);
    return;
  }
  std::mutex mutex;
  std::condition_variable workReady, jobDone;
  std::deque<std::unique_ptr<Job>> jobs;  // in input order, the oldest first
  std::deque<Job*> waiting;               // not yet claimed by a worker
  bool closing = false;

  std::vector<std::thread> workers;
  workers.reserve(static_cast<std::size_t>(threads));
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      auto worker = makeWorker();
      std::unique_lock lock(mutex);
      for (;;) {
        workReady.wait(lock, [&] { return closing || !waiting.empty(); });
        if (closing) return;
        Job* job = waiting.front();
        waiting.pop_front();
        lock.unlock();
        worker(job->block, job->result);
        lock.lock();
        job->done = true;
        jobDone.notify_all();
      }
    });
  }
  // Jobs taken are used again, so that their texts keep their room from block to block.
  std::vector<std::unique_ptr<Job>> spare;
  bool more = true;
  for (;;) {
    while (more && jobs.size() < inFlight) {
      std::unique_ptr<Job> job;
      if (first) {
        job = std::move(first);
      } else {
        if (spare.empty()) {
          job = std::make_unique<Job>();
        } else {
          job = std::move(spare.back());
          spare.pop_back();
          job->done = false;
        }
        more = cutter.Next(job->block);
        if (!more) break;
      }
      const std::lock_guard lock(mutex);
      waiting.push_back(job.get());
      jobs.push_back(std::move(job));
      workReady.notify_one();
    }
    if (jobs.empty()) break;
    {
      std::unique_lock lock(mutex);
      jobDone.wait(lock, [&] { return jobs.front()->done; });
    }
    std::unique_ptr<Job> job = std::move(jobs.front());
    {
      const std::lock_guard lock(mutex);
      jobs.pop_front();
    }
    if (!take(job->block, job->result)) break;
    spare.push_back(std::move(job));
  }
  {
    const std::lock_guard lock(mutex);
    closing = true;
    waiting.clear();
  }
  workReady.notify_all();
  for (std::thread& worker : workers)
    worker.join();
}

// The blocks of `in` cut at line ends, as RunCutBlocks runs them.
template <typename Result, typename MakeWorker, typename Take>
void RunBlocks(std::istream& in, const BlockPassOptions& options, std::size_t maxLine,
               MakeWorker&& makeWorker, Take&& take) {
  BlockCutter cutter(in, options.blockSize, maxLine);
  RunCutBlocks<Result>(cutter, options.threads, std::forward<MakeWorker>(makeWorker),
                       std::forward<Take>(take));
}

}  // namespace zolvane
