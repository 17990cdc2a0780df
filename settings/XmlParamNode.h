#pragma once
// One element of the parameter tree that holds other elements.

#include <list>
#include <ostream>
#include <string>
#include <vector>

#include "XmlParamLeaf.h"

namespace tervane {

class XmlParamNode {
 public:
  XmlParamNode() = default;
  // Children point back at their parent, so a node is never copied or moved.
  XmlParamNode(const XmlParamNode&) = delete;
  XmlParamNode& operator=(const XmlParamNode&) = delete;
  // Frees the subtree without recursion: a hostile file may nest thousands of levels.
  ~XmlParamNode();

  // The first leaf of that name, or null.
  XmlParamLeaf* findLeaf(const std::string& leafName);
  const XmlParamLeaf* findLeaf(const std::string& leafName) const;
  // The first leaf of that name takes the value and attributes; a new name is appended.
  void setLeaf(const std::string& leafName, const std::string& value,
               const std::string& leafAttributes);
  // Appends an empty child with this node as parent. The pointer stays valid until the child
  // is cleared away with its parent.
  XmlParamNode* addChild(const std::string& childName, const std::string& childAttributes);
  // Empties name, attributes, leaves and children; parent becomes null.
  void clear();

  // Writes this node and its subtree at the given depth, one element per CR LF line, indented
  // with tabs: the node's leaves first, then its children. Names and values are written as
  // they are, attributes never. The stream is flushed after every line.
  void write(std::ostream& out, int depth) const;

  std::vector<XmlParamLeaf> leaves;
  std::string name;
  std::string attributes;  // kept, never written or looked up
  std::list<XmlParamNode> children;
  XmlParamNode* parent = nullptr;

 private:
  void freeChildren();
};

}  // namespace tervane
