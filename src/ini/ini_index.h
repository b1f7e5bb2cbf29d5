#pragma once
// NameIndex: finds the first of a list of named entries in O(1) on average,
// with names compared as ini_detail::NamesEqual does. The index stores only
// positions; the names stay in the list and are read through a callback
// nameAt(position) -> std::string_view. Entries must only be appended while
// indexed; anything that moves them needs a new index.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ini/ini_detail.h"

namespace trivolux::ini_detail {

class NameIndex {
 public:
  struct Entry {
    std::size_t position = 0;  // the first entry of the name
    std::size_t count = 0;     // entries of the name; 0 marks a free slot
  };

  // The entry of the name, or nullptr.
  template <typename NameAt>
  const Entry* Find(std::string_view name, const NameAt& nameAt) const {
    if (slots_.empty()) return nullptr;
    const Slot& slot = slots_[Probe(NameHash(name), name, nameAt)];
    return slot.entry.count != 0 ? &slot.entry : nullptr;
  }

  // Records the entry at position, which must come after every position
  // already recorded: the first position of a name stays, its count grows.
  // Throws std::bad_alloc with the index unchanged.
  template <typename NameAt>
  void Add(std::string_view name, std::size_t position, const NameAt& nameAt) {
    if ((used_ + 1) * 2 > slots_.size()) Reserve(used_ + 1);
    const std::uint64_t hash = NameHash(name);
    Slot& slot = slots_[Probe(hash, name, nameAt)];
    if (slot.entry.count == 0) {
      slot = Slot{hash, Entry{position, 0}};
      ++used_;
    }
    ++slot.entry.count;
  }

  // Makes room for count names in all, so that adding them does not grow
  // the table step by step. Throws std::bad_alloc with the index unchanged.
  void Reserve(std::size_t count);

 private:
  struct Slot {
    std::uint64_t hash = 0;
    Entry entry;
  };

  // The slot holding the name, or the free slot where it would go.
  template <typename NameAt>
  std::size_t Probe(std::uint64_t hash, std::string_view name, const NameAt& nameAt) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.entry.count == 0) return i;
      if (slot.hash == hash && NamesEqual(nameAt(slot.entry.position), name)) return i;
    }
  }

  // Linear probing over a power-of-two table kept at most half full, so a
  // probe always ends at a free slot.
  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

}  // namespace trivolux::ini_detail
