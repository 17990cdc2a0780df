#include "XML_Param_Notify.h"

namespace tervane {

void XML_Param_Notify::onNodeStart(const std::string& name, const std::string& attributes) {
  if (current == nullptr) {
    root.name = name;
    root.attributes = attributes;
    current = &root;
  } else {
    current = current->addChild(name, attributes);
  }
}

void XML_Param_Notify::onLeaf(const std::string& name, const std::string& value,
                              const std::string& attributes) {
  if (current == nullptr) return;  // outside every node: no key could reach it
  current->setLeaf(name, value, attributes);
}

void XML_Param_Notify::onNodeEnd(const std::string&, const std::string&) {
  if (current != nullptr) current = current->parent;
}

XmlParamNode* XML_Param_Notify::findNode(const std::vector<std::string>& names) {
  if (names.empty()) return &root;
  if (root.name != names.front()) return nullptr;
  XmlParamNode* node = &root;
  for (std::size_t i = 1; i < names.size(); ++i) {
    XmlParamNode* match = nullptr;
    for (XmlParamNode& child : node->children) {
      if (child.name == names[i]) {
        match = &child;
        break;
      }
    }
    if (match == nullptr) return nullptr;
    node = match;
  }
  return node;
}

}  // namespace tervane
