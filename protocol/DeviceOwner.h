#pragma once
// What the device protocol needs of the window that shows the devices.
// Tervane's AP list view implements it; tests use a fake.

#include <string>

namespace tervane {

class CAPinfo;

class DeviceOwner {
 public:
  virtual ~DeviceOwner() = default;

  // Records have become seen; insert rows for those not yet shown.
  virtual void ShowNewDevices() = 0;
  // The device of the record given this row when it was inserted confirmed an update.
  virtual void MarkUpdated(int row) = 0;

  // The grid rows, walked by the settings push.
  virtual int GridRowCount() const = 0;
  virtual bool IsRowSelected(int row) const = 0;
  // The record a row shows, or nullptr for a row that carries none.
  virtual CAPinfo* RecordOfRow(int row) const = 0;

  // An application message box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;

  // The current key text; its first 8 bytes are the cipher key.
  virtual std::string KeyText() const = 0;
};

}  // namespace tervane
