#pragma once
// Receiver of the elements that XmlStream finds, level by level, in document order.

#include <string>

namespace tervane {

class XmlNotify {
 public:
  // An element whose content holds at least one "<" begins; its content follows as a nested level.
  virtual void onNodeStart(const std::string& name, const std::string& attributes) = 0;
  // An element whose content holds no "<"; value is the content byte for byte (empty when
  // self-closing).
  virtual void onLeaf(const std::string& name, const std::string& value,
                      const std::string& attributes) = 0;
  // The element of the last unmatched onNodeStart is complete.
  virtual void onNodeEnd(const std::string& name, const std::string& attributes) = 0;

 protected:
  // Receivers are never deleted through this interface.
  ~XmlNotify() = default;
};

}  // namespace tervane
