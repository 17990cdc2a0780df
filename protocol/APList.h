#pragma once
// Every device seen since the program started, in order of first discovery.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

#include "CAPinfo.h"

namespace tervane {

class APList {
 public:
  using iterator = std::deque<CAPinfo>::iterator;
  using const_iterator = std::deque<CAPinfo>::const_iterator;

  APList() = default;
  APList(const APList&) = delete;  // the grid holds pointers into the list
  APList& operator=(const APList&) = delete;

  // Appends a copy; the new record starts fresh (shown 0, updated 0, row -1)
  // and takes the values through Assign. The returned pointer, like every
  // pointer into the list, stays valid for the life of the list.
  CAPinfo* AddTail(const CAPinfo& record);

  // The first record whose mac equals the key's exactly, or nullptr.
  CAPinfo* FindByMac(const CAPinfo& key) { return FindByMac(key.mac); }
  CAPinfo* FindByMac(std::string_view mac);
  const CAPinfo* FindByMac(std::string_view mac) const;

  std::size_t GetCount() const { return records_.size(); }
  CAPinfo& GetAt(std::size_t index) { return records_[index]; }
  const CAPinfo& GetAt(std::size_t index) const { return records_[index]; }

  iterator begin() { return records_.begin(); }
  iterator end() { return records_.end(); }
  const_iterator begin() const { return records_.begin(); }
  const_iterator end() const { return records_.end(); }

 private:
  const CAPinfo* Lookup(std::string_view mac) const;

  // deque: push_back never moves existing elements, so pointers stay valid.
  std::deque<CAPinfo> records_;
  // Looks texts up without copying them into a key first.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  // mac text -> index of the first record with that text. A record's mac is
  // the list's key and is not changed in place; Lookup still verifies a hit.
  mutable std::unordered_map<std::string, std::size_t, TextHash, std::equal_to<>> index_;
};

}  // namespace tervane
