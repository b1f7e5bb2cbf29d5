#include <cstdio>
#include <cstdlib>

#include "fuzz_targets.h"

namespace trivolux::fuzz {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz property failed: %s\n", what);
  std::abort();
}

}  // namespace trivolux::fuzz
