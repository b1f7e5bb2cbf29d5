// libFuzzer entry of one target; TRIVOLUX_FUZZ_ENTRY names its function.
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trivolux::fuzz::TRIVOLUX_FUZZ_ENTRY(data, size);
  return 0;
}
