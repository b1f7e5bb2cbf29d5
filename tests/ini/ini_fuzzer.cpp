// libFuzzer entry point for the INI reader (built with -DTRIVOLUX_FUZZ=ON and clang).
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ini_fuzz_exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem =
      trivolux::ini_fuzz::Exercise(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
