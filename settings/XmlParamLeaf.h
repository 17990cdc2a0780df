#pragma once
// One element of the parameter tree that holds a value.

#include <string>

namespace tervane {

struct XmlParamLeaf {
  std::string name;
  std::string value;       // the element's content, byte for byte
  std::string attributes;  // raw attribute text of the start tag; empty when stored by key
};

}  // namespace tervane
