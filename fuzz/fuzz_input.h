// What every fuzz target shares: the input as a stream, an option byte and a discarding
// output stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ios>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "core/pass.h"

namespace zolvane::fuzz {

// A stream buffer that accepts and forgets every byte.
class DiscardBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

class DiscardStream : public std::ostream {
 public:
  DiscardStream() : std::ostream(nullptr) { rdbuf(&buffer_); }

 private:
  DiscardBuffer buffer_;
};

// The fuzz input: an optional leading option byte and the bytes the engine reads.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size, bool takeOption) {
    if (takeOption && size > 0) {
      option_ = data[0];
      ++data;
      --size;
    }
    stream_.str(std::string(reinterpret_cast<const char*>(data), size));
  }

  unsigned Option() const { return option_; }
  std::istream& Stream() { return stream_; }

 private:
  unsigned option_ = 0;
  std::istringstream stream_{std::ios::in | std::ios::binary};
};

inline ProgressFn KeepGoing() {
  return [](long long, std::uint64_t) { return true; };
}

}  // namespace zolvane::fuzz
