#pragma once
// Builds the parameter tree from the reports of XmlStream, and finds nodes by their names.

#include <string>
#include <vector>

#include "XmlNotify.h"
#include "XmlParamNode.h"

namespace tervane {

class XML_Param_Notify : public XmlNotify {
 public:
  XML_Param_Notify() = default;
  XML_Param_Notify(const XML_Param_Notify&) = delete;
  XML_Param_Notify& operator=(const XML_Param_Notify&) = delete;

  // The outermost node names the root (keeping what it holds: a second outermost node adds
  // to the same root); nested nodes become children of the open one.
  void onNodeStart(const std::string& name, const std::string& attributes) override;
  // Stored in the open node; a later leaf of the same name replaces the value. A leaf outside
  // every node has no node to go to and is dropped.
  void onLeaf(const std::string& name, const std::string& value,
              const std::string& attributes) override;
  void onNodeEnd(const std::string& name, const std::string& attributes) override;
  virtual ~XML_Param_Notify() = default;

  void reset() { root.clear(); }

  // The first name is matched against the root, each later one against the children of the
  // node found before it, first match winning. Null when a name finds nothing; an empty list
  // gives the root.
  XmlParamNode* findNode(const std::vector<std::string>& names);

  XmlParamNode root;
  XmlParamNode* current = nullptr;  // the node open during a parse
};

}  // namespace tervane
