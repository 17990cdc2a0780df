#include <gtest/gtest.h>

#include <string>

#include "XmlTagScanner.h"

using namespace tervane;

namespace {

XmlTagScanner Over(const std::string& text) {
  XmlTagScanner sc;
  EXPECT_TRUE(sc.set(text.data(), static_cast<std::int32_t>(text.size())));
  return sc;
}

TEST(XmlTagScanner, NewScannerHasNoPieceAndUnsetIndices) {
  const XmlTagScanner sc;
  EXPECT_EQ(nullptr, sc.text);
  EXPECT_EQ(0, sc.length);
  EXPECT_EQ(0, sc.cursor);
  for (std::int32_t index : {sc.tagOpen, sc.tagClose, sc.endTagOpen, sc.endTagClose, sc.nameFirst,
                             sc.nameLast, sc.attrFirst, sc.attrLast, sc.contentFirst,
                             sc.contentLast}) {
    EXPECT_EQ(-1, index);
  }
  std::int32_t remaining = 7;
  EXPECT_EQ(nullptr, sc.rest(remaining));
  EXPECT_EQ(0, remaining);
  EXPECT_FALSE(sc.isSelfClosing());
  EXPECT_FALSE(sc.contentHasTag());
  EXPECT_EQ(-1, sc.find('<', 0));
}

TEST(XmlTagScanner, SetRefusesNullOrEmptyAndKeepsIndices) {
  const std::string text = "<a>1</a> <b/>";
  XmlTagScanner sc = Over(text);
  ASSERT_TRUE(sc.scanNext());
  const XmlTagScanner before = sc;
  EXPECT_FALSE(sc.set(nullptr, 4));
  EXPECT_FALSE(sc.set(text.data(), 0));
  EXPECT_EQ(before.text, sc.text);
  EXPECT_EQ(before.length, sc.length);
  EXPECT_EQ(before.cursor, sc.cursor);

  EXPECT_TRUE(sc.set(text.data() + 9, 4));
  EXPECT_EQ(0, sc.cursor);
  EXPECT_EQ(before.contentFirst, sc.contentFirst) << "index fields survive set";
}

struct FindCase {
  std::string pattern;
  std::int32_t from, count, expected;
};

TEST(XmlTagScanner, FindStaysWithinTheWindowAndThePiece) {
  const std::string text = "ab<cd>ab<";  // length 9
  const XmlTagScanner sc = Over(text);
  const FindCase cases[] = {
      {"<", 0, -1, 2},   {"<", 3, -1, 8},  {"<", 8, -1, 8},   {"<", 9, -1, -1},
      {"<", 10, -1, -1}, {"<", -1, -1, -1}, {"<", -1, 4, -1},  {"<", 0, 2, -1},
      {"<", 0, 3, 2},    {"<", 3, 5, -1},  {"<", 3, 6, 8},    {"<", 3, 100, 8},
      {"<", 0, 0, -1},   {"<", 0, -2, -1}, {"ab<", 1, -1, 6},  {"ab<", 6, 2, -1},
      {"ab<", 6, 3, 6},  {"<cd>", 0, -1, 2}, {"b<x", 0, -1, -1}, {"ab<cd>ab<!", 0, -1, -1},
      {"", 0, -1, -1},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE("find(" + c.pattern + "," + std::to_string(c.from) + "," +
                 std::to_string(c.count) + ")");
    EXPECT_EQ(c.expected, sc.find(c.pattern, c.from, c.count));
  }
}

struct TagCase {
  std::string text;
  std::string name, attributes;
  bool selfClosing, skippable;
};

TEST(XmlTagScanner, NameAndAttributesOfATag) {
  const TagCase cases[] = {
      {"<a/>", "a", "", true, false},
      {"<a x='1'/>", "a", "x='1'", true, false},
      {"<a x=\"1\" y='2'>", "a", "x=\"1\" y='2'", false, false},
      {"<a >", "a", "", false, false},
      {"<a  b>", "a", " b", false, false},
      {"<a\tb=1>", "a\tb=1", "", false, false},
      {"< a>", "", "a", false, false},
      {"<>", "", "", false, false},
      {"</>", "", "", true, false},
      {"</x>", "/x", "", false, false},
      {"<?xml version=\"1.0\"?>", "?xml", "version=\"1.0\"?", false, true},
      {"<?xm>", "?xm", "", false, false},
      {"<!-- note -->", "!--", "note --", false, true},
      {"<!---->", "!----", "", false, true},
      {"<!-->", "!--", "", false, true},
      {"<!- x>", "!-", "x", false, false},
      {"<![CDATA[x]]>", "![CDATA[x]]", "", false, false},
  };
  for (const TagCase& c : cases) {
    SCOPED_TRACE(c.text);
    // Followed by its own end tag so that ordinary elements scan fully.
    const std::string text = c.text + "</" + c.name + ">";
    XmlTagScanner sc = Over(text);
    sc.scanNext();
    EXPECT_EQ(0, sc.tagOpen);
    EXPECT_EQ(static_cast<std::int32_t>(c.text.size()) - 1, sc.tagClose);
    EXPECT_EQ(c.name, sc.name());
    EXPECT_EQ(c.attributes, sc.attributes());
    EXPECT_EQ(c.selfClosing, sc.isSelfClosing());
    EXPECT_EQ(c.skippable, sc.isSkippable());
  }
}

TEST(XmlTagScanner, ScanNextLocatesTagsContentAndNextCursor) {
  const std::string text = " x <ab k=1>v<i/></ab> \n<c/>";
  XmlTagScanner sc = Over(text);
  ASSERT_TRUE(sc.scanNext());
  EXPECT_EQ(3, sc.tagOpen);
  EXPECT_EQ(10, sc.tagClose);
  EXPECT_EQ(16, sc.endTagOpen);
  EXPECT_EQ(20, sc.endTagClose);
  EXPECT_EQ("v<i/>", sc.content());
  EXPECT_TRUE(sc.contentHasTag());
  EXPECT_EQ(23, sc.cursor) << "at the next <";

  std::int32_t remaining = 0;
  const char* rest = sc.rest(remaining);
  EXPECT_EQ(text.data() + 23, rest);
  EXPECT_EQ(4, remaining);

  ASSERT_TRUE(sc.scanNext());
  EXPECT_EQ("c", sc.name());
  EXPECT_EQ(-1, sc.contentFirst) << "a self-closing element clears the content of the last one";
  EXPECT_EQ(-1, sc.contentLast);
  EXPECT_EQ(27, sc.cursor);
  EXPECT_EQ(text.data() + 27, sc.rest(remaining));
  EXPECT_EQ(0, remaining);
  EXPECT_FALSE(sc.scanNext());
}

TEST(XmlTagScanner, WithoutAFollowingTagTheCursorStaysOnTheEndTag) {
  const std::string text = "<a>1</a>  ";
  XmlTagScanner sc = Over(text);
  ASSERT_TRUE(sc.scanNext());
  EXPECT_EQ(7, sc.cursor);
  EXPECT_FALSE(sc.scanNext());
}

TEST(XmlTagScanner, ScanFailsWithoutTagOrEndTag) {
  for (const std::string text : {"no tag", "text <a", "<a>1</b>", "<a>1</a", "<a\n>1</a>"}) {
    SCOPED_TRACE(text);
    XmlTagScanner sc = Over(text);
    EXPECT_FALSE(sc.scanNext());
  }
}

}  // namespace
