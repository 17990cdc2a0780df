#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "SmallStack.h"
#include "XML_Param_Notify.h"
#include "XmlParamNode.h"
#include "XmlStream.h"

using namespace tervane;

namespace {

std::string Written(const XmlParamNode& node, int depth = 0) {
  std::ostringstream out;
  node.write(out, depth);
  return out.str();
}

// Parses text into the tree of a fresh notify, as loading a file does.
void Build(XML_Param_Notify& tree, const std::string& text) {
  XmlStream stream;
  tree.reset();
  stream.setNotify(&tree);
  stream.parse(text.data(), static_cast<std::int32_t>(text.size()));
}

TEST(XmlParamNode, SetLeafReplacesTheFirstOfANameInPlace) {
  XmlParamNode node;
  node.setLeaf("a", "1", "x=1");
  node.setLeaf("b", "2", "");
  node.setLeaf("a", "3", "");
  ASSERT_EQ(2u, node.leaves.size());
  EXPECT_EQ("a", node.leaves[0].name);
  EXPECT_EQ("3", node.leaves[0].value);
  EXPECT_EQ("", node.leaves[0].attributes);
  EXPECT_EQ(&node.leaves[1], node.findLeaf("b"));
  EXPECT_EQ(nullptr, node.findLeaf("B")) << "names are case-sensitive";
}

TEST(XmlParamNode, ChildrenKeepTheirAddressesAndParent) {
  XmlParamNode root;
  XmlParamNode* first = root.addChild("c", "k=1");
  std::vector<XmlParamNode*> more;
  for (int i = 0; i < 100; ++i) more.push_back(root.addChild("c", ""));
  EXPECT_EQ(&root.children.front(), first);
  EXPECT_EQ(&root, first->parent);
  EXPECT_EQ("k=1", first->attributes);
  XmlParamNode* grandchild = more.back()->addChild("g", "");
  EXPECT_EQ(more.back(), grandchild->parent);

  root.name = "r";
  root.setLeaf("l", "v", "");
  root.clear();
  EXPECT_TRUE(root.name.empty() && root.leaves.empty() && root.children.empty());
  EXPECT_EQ(nullptr, root.parent);
}

TEST(XmlParamNode, WritesLeavesBeforeChildrenWithTabsAndCrLf) {
  XmlParamNode root;
  root.name = "r";
  XmlParamNode* child = root.addChild("c", "ignored='1'");
  root.setLeaf("x", "1 & <2>", "never written");
  child->setLeaf("y", "", "");
  child->addChild("d", "");
  root.addChild("e", "");
  root.setLeaf("z", "3", "");
  EXPECT_EQ(
      "<r>\r\n\t<x>1 & <2></x>\r\n\t<z>3</z>\r\n"
      "\t<c>\r\n\t\t<y></y>\r\n\t\t<d>\r\n\t\t</d>\r\n\t</c>\r\n"
      "\t<e>\r\n\t</e>\r\n</r>\r\n",
      Written(root));
  EXPECT_EQ("\t\t<d>\r\n\t\t</d>\r\n", Written(child->children.front(), 2));
}

TEST(XmlParamNode, EmptyNodeWritesEmptyTags) { EXPECT_EQ("<>\r\n</>\r\n", Written(XmlParamNode())); }

TEST(XML_Param_Notify, StartsEmpty) {
  const XML_Param_Notify tree;
  EXPECT_EQ(nullptr, tree.current);
  EXPECT_TRUE(tree.root.name.empty() && tree.root.attributes.empty());
  EXPECT_TRUE(tree.root.leaves.empty() && tree.root.children.empty());
  EXPECT_EQ(nullptr, tree.root.parent);
}

TEST(XML_Param_Notify, BuildsTheTreeOfAText) {
  XML_Param_Notify tree;
  Build(tree, "<a k='1'><l>1</l><b><c>2</c><c>3</c></b><b x='2'><d/></b><l>4</l></a>");
  EXPECT_EQ(nullptr, tree.current) << "every node start is matched by its end";
  EXPECT_EQ("a", tree.root.name);
  EXPECT_EQ("k='1'", tree.root.attributes);
  EXPECT_EQ(
      "<a>\r\n\t<l>4</l>\r\n\t<b>\r\n\t\t<c>3</c>\r\n\t</b>\r\n\t<b>\r\n\t\t<d></d>\r\n\t</b>\r\n"
      "</a>\r\n",
      Written(tree.root));
  ASSERT_EQ(2u, tree.root.children.size());
  EXPECT_EQ("x='2'", tree.root.children.back().attributes);
}

TEST(XML_Param_Notify, ASecondOutermostNodeRenamesTheRootAndAddsToIt) {
  XML_Param_Notify tree;
  Build(tree, "<a><x>1</x><n/></a><b><x>5</x><y>2</y><m><z>3</z></m></b>");
  EXPECT_EQ("b", tree.root.name);
  EXPECT_EQ(
      "<b>\r\n\t<x>5</x>\r\n\t<n></n>\r\n\t<y>2</y>\r\n\t<m>\r\n\t\t<z>3</z>\r\n\t</m>\r\n"
      "</b>\r\n",
      Written(tree.root));
}

TEST(XML_Param_Notify, LeavesOutsideEveryNodeAreDropped) {
  struct Case {
    const char* text;
    const char* written;
  };
  const Case cases[] = {
      {"<c>1</c>", "<>\r\n</>\r\n"},
      {"<c>1</c><a><b>2</b></a>", "<a>\r\n\t<b>2</b>\r\n</a>\r\n"},
      {"<a><b>2</b></a><c>1</c>", "<a>\r\n\t<b>2</b>\r\n</a>\r\n"},
      {"<c/><a>< ><b>2</b></></a>", "<a>\r\n\t<b>2</b>\r\n</a>\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    XML_Param_Notify tree;
    Build(tree, c.text);
    EXPECT_EQ(c.written, Written(tree.root));
    EXPECT_EQ(nullptr, tree.current);
  }
}

TEST(XML_Param_Notify, ResetEmptiesTheTree) {
  XML_Param_Notify tree;
  Build(tree, "<a><b><c>1</c></b></a>");
  tree.reset();
  EXPECT_EQ("<>\r\n</>\r\n", Written(tree.root));
}

TEST(XML_Param_Notify, FindNodeFollowsTheFirstMatchOfEachName) {
  XML_Param_Notify tree;
  Build(tree, "<a><b><c><d>1</d></c></b><b><e><f>2</f></e></b></a>");
  XmlParamNode* firstB = &tree.root.children.front();
  struct Case {
    std::vector<std::string> names;
    const XmlParamNode* expected;
  };
  const Case cases[] = {
      {{}, &tree.root},
      {{"a"}, &tree.root},
      {{"A"}, nullptr},
      {{"b"}, nullptr},
      {{"a", "b"}, firstB},
      {{"a", "b", "c"}, &firstB->children.front()},
      {{"a", "b", "e"}, nullptr},  // only the first b is searched
      {{"a", "c"}, nullptr},
      {{"a", "b", "c", "d"}, nullptr},  // d is a leaf
  };
  for (const Case& c : cases) {
    std::string key;
    for (const std::string& n : c.names) key += n + ":";
    SCOPED_TRACE(key);
    EXPECT_EQ(c.expected, tree.findNode(c.names));
  }
}

TEST(XML_Param_Notify, DeepTreeIsBuiltWrittenAndFreedWithoutExhaustingTheStack) {
  constexpr int kDepth = 4000;
  const std::string text = testkit::NestedText(kDepth);
  std::size_t writtenSize = 0;
  std::string innermost;
  testkit::RunOnSmallStack([&] {
    XML_Param_Notify tree;
    Build(tree, text);
    const XmlParamNode* node = &tree.root;
    while (!node->children.empty()) node = &node->children.front();
    innermost = node->leaves.empty() ? "" : node->leaves.front().value;
    writtenSize = Written(tree.root).size();
  });  // the tree is freed here, still on the small stack
  EXPECT_EQ("1", innermost);
  // Node lines: depth tabs + "<a>" / "</a>" + CR LF at each depth 0..kDepth-1.
  std::size_t expected = std::string("\t<v>1</v>\r\n").size() + kDepth - 1;
  for (std::size_t d = 0; d < kDepth; ++d) expected += 2 * d + 5 + 6;
  EXPECT_EQ(expected, writtenSize);
}

}  // namespace
