#include "ini/ini_index.h"

#include <utility>

namespace trivolux::ini_detail {

namespace {
constexpr std::size_t kMinSlots = 16;
}  // namespace

void NameIndex::Reserve(std::size_t count) {
  std::size_t size = slots_.empty() ? kMinSlots : slots_.size();
  while (size < count * 2) size *= 2;
  if (size == slots_.size()) return;
  // The stored hashes place the entries again without their names.
  std::vector<Slot> grown(size);
  const std::size_t mask = grown.size() - 1;
  for (const Slot& slot : slots_) {
    if (slot.entry.count == 0) continue;
    std::size_t i = static_cast<std::size_t>(slot.hash) & mask;
    while (grown[i].entry.count != 0) i = (i + 1) & mask;
    grown[i] = slot;
  }
  slots_ = std::move(grown);
}

}  // namespace trivolux::ini_detail
