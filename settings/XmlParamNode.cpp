#include "XmlParamNode.h"

#include <iterator>
#include <utility>

namespace tervane {

namespace {
constexpr const char* kLineEnd = "\r\n";  // the file format's line end on every platform
}

XmlParamNode::~XmlParamNode() { freeChildren(); }

void XmlParamNode::freeChildren() {
  // Move every grandchild up into one flat list before its parent goes, so no destructor
  // below this one has children left to free.
  std::list<XmlParamNode> pending;
  pending.splice(pending.end(), children);
  while (!pending.empty()) {
    pending.splice(pending.end(), pending.front().children);
    pending.pop_front();
  }
}

XmlParamLeaf* XmlParamNode::findLeaf(const std::string& leafName) {
  for (XmlParamLeaf& leaf : leaves) {
    if (leaf.name == leafName) return &leaf;
  }
  return nullptr;
}

const XmlParamLeaf* XmlParamNode::findLeaf(const std::string& leafName) const {
  return const_cast<XmlParamNode*>(this)->findLeaf(leafName);
}

void XmlParamNode::setLeaf(const std::string& leafName, const std::string& value,
                           const std::string& leafAttributes) {
  if (XmlParamLeaf* leaf = findLeaf(leafName)) {
    leaf->value = value;
    leaf->attributes = leafAttributes;
    return;
  }
  leaves.push_back(XmlParamLeaf{leafName, value, leafAttributes});
}

XmlParamNode* XmlParamNode::addChild(const std::string& childName,
                                     const std::string& childAttributes) {
  XmlParamNode& child = children.emplace_back();
  child.name = childName;
  child.attributes = childAttributes;
  child.parent = this;
  return &child;
}

void XmlParamNode::clear() {
  name.clear();
  attributes.clear();
  leaves.clear();
  freeChildren();
  parent = nullptr;
}

void XmlParamNode::write(std::ostream& out, int depth) const {
  // Depth-first with a heap stack: each entry is a node whose start line is written and the
  // next of its children to write.
  struct Open {
    const XmlParamNode* node;
    std::list<XmlParamNode>::const_iterator next;
    int depth;
  };
  const auto tabs = [&out](int n) {
    for (int i = 0; i < n; ++i) out.put('\t');
  };
  const auto writeStart = [&](const XmlParamNode& node, int d) {
    tabs(d);
    out << '<' << node.name << '>' << kLineEnd << std::flush;
    for (const XmlParamLeaf& leaf : node.leaves) {
      tabs(d + 1);
      out << '<' << leaf.name << '>' << leaf.value << "</" << leaf.name << '>' << kLineEnd
          << std::flush;
    }
  };

  std::vector<Open> stack;
  writeStart(*this, depth);
  stack.push_back(Open{this, children.begin(), depth});
  while (!stack.empty()) {
    Open& top = stack.back();
    if (top.next != top.node->children.end()) {
      const XmlParamNode& child = *top.next++;
      const int childDepth = top.depth + 1;
      writeStart(child, childDepth);
      stack.push_back(Open{&child, child.children.begin(), childDepth});  // `top` dies here
      continue;
    }
    tabs(top.depth);
    out << "</" << top.node->name << '>' << kLineEnd << std::flush;
    stack.pop_back();
  }
}

}  // namespace tervane
