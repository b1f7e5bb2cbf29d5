// The INI text store: parse, query, write and parse again (the second parse
// equals the first); the same exercise as the corpus-driven unit test.
#include <string_view>

#include "../ini/ini_fuzz_exercise.h"
#include "fuzz_targets.h"

namespace trivolux::fuzz {

void IniInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem = ini_fuzz::Exercise(std::string_view(reinterpret_cast<const char*>(data), size));
  Require(problem.empty(), problem.c_str());
}

}  // namespace trivolux::fuzz
