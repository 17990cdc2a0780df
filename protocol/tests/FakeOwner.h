#pragma once
// A stand-in for the AP list view: records the calls the protocol makes and
// gives it grid rows to walk.

#include <set>
#include <string>
#include <vector>

#include "DeviceOwner.h"
#include "DeviceProtocol.h"

namespace tervane::testing {

class RecordingSender : public DatagramSender {
 public:
  void SendDatagram(std::string_view bytes) override { sent.emplace_back(bytes); }
  std::vector<std::string> sent;
};

class FakeOwner : public DeviceOwner {
 public:
  void ShowNewDevices() override {
    ++showCalls;
    if (!protocol) return;
    // Inserts rows the way the view does.
    for (CAPinfo& r : protocol->apList) {
      if (r.seen && !r.shown) {
        r.row = static_cast<int>(rows.size());
        r.shown = 1;
        rows.push_back(&r);
      }
    }
  }
  void MarkUpdated(int row) override { updatedRows.push_back(row); }
  int GridRowCount() const override { return static_cast<int>(rows.size()); }
  bool IsRowSelected(int row) const override { return selected.count(row) != 0; }
  CAPinfo* RecordOfRow(int row) const override { return rows.at(static_cast<std::size_t>(row)); }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::string KeyText() const override { return keyText; }

  DeviceProtocol* protocol = nullptr;
  std::string keyText = "password";
  std::vector<CAPinfo*> rows;
  std::set<int> selected;
  std::vector<int> updatedRows;
  std::vector<std::string> messages;
  int showCalls = 0;
};

}  // namespace tervane::testing
