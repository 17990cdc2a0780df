#include "APList.h"

namespace tervane {

CAPinfo* APList::AddTail(const CAPinfo& record) {
  CAPinfo& added = records_.emplace_back();
  added.Assign(record);
  index_.try_emplace(added.mac, records_.size() - 1);  // keeps the first of equal macs
  return &added;
}

const CAPinfo* APList::Lookup(std::string_view mac) const {
  auto it = index_.find(mac);
  if (it != index_.end() && records_[it->second].mac == mac) return &records_[it->second];
  if (it == index_.end()) return nullptr;
  // A record's mac was changed in place: rebuild the index from the list.
  index_.clear();
  for (std::size_t i = 0; i < records_.size(); ++i) index_.try_emplace(records_[i].mac, i);
  it = index_.find(mac);
  return it == index_.end() ? nullptr : &records_[it->second];
}

CAPinfo* APList::FindByMac(std::string_view mac) { return const_cast<CAPinfo*>(Lookup(mac)); }

const CAPinfo* APList::FindByMac(std::string_view mac) const { return Lookup(mac); }

}  // namespace tervane
