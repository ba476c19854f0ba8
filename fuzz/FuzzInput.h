#pragma once
// The layout every fuzz input shares: a few leading lines give the call's texts (section, key, value...)
// and the rest of the bytes are the file. Inputs seeded from real files keep their shape that way.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// An invariant of a target: a broken one names itself and stops the run (libFuzzer keeps the input).
#define FUZZ_CHECK(condition)                                                                 \
  do {                                                                                        \
    if (!(condition)) {                                                                       \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                           \
    }                                                                                         \
  } while (false)

namespace vexorel::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next line (without its '\n'); empty once the input runs out.
  std::string_view line() {
    const std::size_t end = rest_.find('\n');
    const std::string_view text = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return text;
  }

  std::string_view rest() const { return rest_; }

 private:
  std::string_view rest_;
};

}  // namespace vexorel::fuzz
