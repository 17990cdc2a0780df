#include <gtest/gtest.h>

#include <string>

#include "RecordingNotify.h"
#include "SmallStack.h"
#include "XmlStream.h"

using namespace tervane;
using tervane::testkit::ParseText;
using tervane::testkit::RecordingNotify;

namespace {

struct ReportCase {
  const char* what;
  std::string text;
  std::string reports;
};

// Every report of the reader over one text, in order.
const ReportCase kReportCases[] = {
    {"leaf", "<a>1</a>", "leaf(a,1,)"},
    {"attributes are handed on raw", "<a x=\"1\" y='2'>v</a>", "leaf(a,v,x=\"1\" y='2')"},
    {"self-closing", "<a/>", "leaf(a,,)"},
    {"self-closing with attributes", "<a x='1'/>", "leaf(a,,x='1')"},
    {"self-closing after an element has an empty value", "<a>1</a><b/>", "leaf(a,1,) leaf(b,,)"},
    {"self-closing after an element inside a node", "<r><b>1</b><c/>\n</r>",
     "start(r,) leaf(b,1,) leaf(c,,) end(r,)"},
    {"empty element", "<a></a>", "leaf(a,,)"},
    {"space before >", "<a >1</a>", "leaf(a,1,)"},
    {"further leading spaces stay in the attributes", "<a  x=\"1\">v</a>", "leaf(a,v, x=\"1\")"},
    {"node with two leaves", "<a><b>1</b><c>2</c></a>",
     "start(a,) leaf(b,1,) leaf(c,2,) end(a,)"},
    {"node attributes reach start and end", "<a k='v'><b>1</b></a>",
     "start(a,k='v') leaf(b,1,) end(a,k='v')"},
    {"nested same name moves the end tag", "<a><a>1</a></a>", "start(a,) leaf(a,1,) end(a,)"},
    {"three levels of the same name", "<a><a><a>1</a></a></a>",
     "start(a,) start(a,) leaf(a,1,) end(a,) end(a,)"},
    {"nested same name with attributes is not counted", "<a><a x='1'>1</a></a><b>2</b>",
     "start(a,) end(a,)"},
    {"spaces in a value are kept", "<a> 1 </a>", "leaf(a, 1 ,)"},
    {"references are not decoded", "<a>x &amp; y</a>", "leaf(a,x &amp; y,)"},
    {"line breaks in a value are kept", "<a>1\n2</a>", "leaf(a,1\n2,)"},
    {"declaration and comment produce nothing",
     "<?xml version=\"1.0\"?><!-- note --><a>1</a><!-- x --><b>2</b>", "leaf(a,1,) leaf(b,2,)"},
    {"comment inside a node", "<a><!-- n --><b>1</b></a>", "start(a,) leaf(b,1,) end(a,)"},
    {"a comment ends at its first >", "<!-- a > <b>1</b> --><c>2</c>", "leaf(b,1,) leaf(c,2,)"},
    {"doctype first ends the document", "<!DOCTYPE x><a>1</a>", ""},
    {"value containing <", "<p>a<b</p>", "start(p,) end(p,)"},
    {"no <", "just text", ""},
    {"text between elements is passed over", "x<a>1</a>y z<b>2</b>w", "leaf(a,1,) leaf(b,2,)"},
    {"node text between children is not reported", "<a>t<b>1</b>u</a>",
     "start(a,) leaf(b,1,) end(a,)"},
    {"unfinished tag ends the level", "<a>1</a><b", "leaf(a,1,)"},
    {"unclosed element ends the level", "<a>1</a><b>2<c>3</c>", "leaf(a,1,)"},
    {"tab after a name ends the level", "<a\t>1</a><b>2</b>", ""},
    {"line break after a name ends the level", "<b>0</b><a\n>1</a><c>2</c>", "leaf(b,0,)"},
    {"cdata ends the level", "<a>1</a><![CDATA[x]]><b>2</b>", "leaf(a,1,)"},
    {"other processing instruction ends the level", "<?php x?><a>1</a>", ""},
    {"declaration prefix is case-sensitive", "<?XML v?><a>1</a>", ""},
    {"stray end tag ends the level", "<a>1</a></x><b>2</b>", "leaf(a,1,)"},
    {"stray end tag inside a node ends only that level", "<r><a>1</a></x><b>2</b></r><c>3</c>",
     "start(r,) leaf(a,1,) end(r,) leaf(c,3,)"},
    {"unnamed element is not reported but its content is", "<a>< ><b>1</b></></a>",
     "start(a,) leaf(b,1,) end(a,)"},
    {"unnamed leaf is not reported", "< x>1</><a>2</a>", "leaf(a,2,)"},
    {"empty tag", "<><a>1</a>", ""},
    {"damaged level inside a node keeps the outer level going",
     "<a><b>1</b><c>2</a><d>3</d>", "start(a,) leaf(b,1,) end(a,) leaf(d,3,)"},
    {"a second outermost element is reported", "<a><x>1</x></a><b><y>2</y></b>",
     "start(a,) leaf(x,1,) end(a,) start(b,) leaf(y,2,) end(b,)"},
    // A node whose content ends with a self-closing element or a skippable tag right at its
    // end tag: the siblings after the node are still reported.
    {"self-closing right before the end tag", "<a><b/></a><c>1</c>",
     "start(a,) leaf(b,,) end(a,) leaf(c,1,)"},
    {"comment right before the end tag", "<a><!--x--></a><c>1</c>", "start(a,) end(a,) leaf(c,1,)"},
    {"same at depth", "<r><a><b/></a><c>1</c></r><d>2</d>",
     "start(r,) start(a,) leaf(b,,) end(a,) leaf(c,1,) end(r,) leaf(d,2,)"},
    {"file as saved", "<vireo>\n\t<config>\n\t\t<user>op</user>\n\t</config>\n</vireo>\n",
     "start(vireo,) start(config,) leaf(user,op,) end(config,) end(vireo,)"},
};

TEST(XmlStream, ReportsOfEachText) {
  for (const ReportCase& c : kReportCases) {
    SCOPED_TRACE(c.what);
    const auto parsed = ParseText(c.text);
    EXPECT_TRUE(parsed.result);
    EXPECT_EQ(c.reports, parsed.reports);
  }
}

TEST(XmlStream, NullOrEmptyInputIsRefusedWithoutReports) {
  XmlStream stream;
  RecordingNotify recorder;
  stream.setNotify(&recorder);
  EXPECT_FALSE(stream.parse(nullptr, 5));
  EXPECT_FALSE(stream.parse("<a>1</a>", 0));
  EXPECT_FALSE(stream.parse("<a>1</a>", -3));
  EXPECT_EQ("", recorder.log);
}

TEST(XmlStream, KeepsACopyOfTheLastText) {
  XmlStream stream;
  std::string text = "<a>1</a>";
  EXPECT_TRUE(stream.parse(text.data(), static_cast<std::int32_t>(text.size())));
  text[1] = 'z';
  EXPECT_EQ("<a>1</a>", static_cast<const std::string&>(stream));
}

TEST(XmlStream, WithoutTargetScansAndReportsNothing) {
  XmlStream stream;
  const std::string text = "<a><b>1</b></a>";
  EXPECT_EQ(nullptr, stream.notify);
  EXPECT_TRUE(stream.parse(text.data(), static_cast<std::int32_t>(text.size())));
}

TEST(XmlStream, ReadsOnlyTheGivenBytes) {
  // The length ends the text inside the end tag: the element is never closed.
  const std::string text = "<a>1</a>";
  XmlStream stream;
  RecordingNotify recorder;
  stream.setNotify(&recorder);
  EXPECT_TRUE(stream.parse(text.data(), 7));
  EXPECT_EQ("", recorder.log);
  EXPECT_TRUE(stream.parse(text.data(), 8));
  EXPECT_EQ("leaf(a,1,)", recorder.log);
}

TEST(XmlStream, DeepNestingIsParsedWithoutExhaustingTheStack) {
  // Far more levels than a small stack would hold if each level took a call frame.
  constexpr int kDepth = 4000;
  const std::string text = testkit::NestedText(kDepth);

  struct Counter : XmlNotify {
    void onNodeStart(const std::string&, const std::string&) override {
      ++depth;
      ++starts;
    }
    void onLeaf(const std::string& n, const std::string& v, const std::string&) override {
      leaf = n + "=" + v + "@" + std::to_string(depth);
    }
    void onNodeEnd(const std::string&, const std::string&) override { --depth; }
    long depth = 0, starts = 0;
    std::string leaf;
  } counter;
  bool result = false;
  testkit::RunOnSmallStack([&] {
    XmlStream stream;
    stream.setNotify(&counter);
    result = stream.parse(text.data(), static_cast<std::int32_t>(text.size()));
  });
  EXPECT_TRUE(result);
  EXPECT_EQ(kDepth, counter.starts);
  EXPECT_EQ(0, counter.depth);
  EXPECT_EQ("v=1@" + std::to_string(kDepth), counter.leaf);
}

}  // namespace
