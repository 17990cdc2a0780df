#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "XmlParamFile.h"

using namespace tervane;
using tervane::testkit::ReadBytes;
using tervane::testkit::TempDir;
using tervane::testkit::WriteBytes;

namespace {

// A document loaded from the given file text.
struct Loaded {
  explicit Loaded(const std::string& text) {
    WriteBytes(dir.file("in.xml"), text);
    file.load(dir.file("in.xml"));
  }
  std::string get(const char* key, const std::string& fallback = "<default>") {
    std::string out;
    file.getString(key, out, fallback);
    return out;
  }
  TempDir dir;
  XmlParamFile file;
};

TEST(XmlParamFile, SplitKey) {
  struct Case {
    const char* key;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {nullptr, {}},
      {"", {}},
      {"a", {"a"}},
      {"a:b:c", {"a", "b", "c"}},
      {"a::b", {"a", "", "b"}},
      {"a:b:", {"a", "b"}},
      {"a::", {"a", ""}},
      {":", {""}},
      {":a", {"", "a"}},
      {"vireo:config:poll:auto", {"vireo", "config", "poll", "auto"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key == nullptr ? "null" : c.key);
    EXPECT_EQ(c.names, XmlParamFile::splitKey(c.key));
  }
}

TEST(XmlParamFile, DecimalRule) {
  struct Case {
    std::string text;
    bool ok;
    std::int32_t value;
  };
  const Case cases[] = {
      {"7", true, 7},
      {" 7", true, 7},
      {"\t\r\n\v\f 7", true, 7},
      {"+7", true, 7},
      {"-7", true, -7},
      {"7 days", true, 7},
      {"007", true, 7},
      {" 5 ", true, 5},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"00000000000000000000012", true, 12},
      {"", false, 0},
      {"   ", false, 0},
      {"x7", false, 0},
      {"+", false, 0},
      {"- 7", false, 0},
      {"+-7", false, 0},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    Loaded doc("<a><b><c>" + c.text + "</c></b></a>");
    std::int32_t out = 0;
    EXPECT_EQ(c.ok, doc.file.getInt("a:b:c", out, -99));
    EXPECT_EQ(c.ok ? c.value : -99, out);
  }
}

TEST(XmlParamFile, ReadsOfTexts) {
  struct Case {
    const char* text;
    const char* key;
    const char* value;  // null: not found
  };
  const Case cases[] = {
      {"<a><b><c>1</c><c>2</c></b></a>", "a:b:c", "2"},
      {"<a><b><c>1</c></b><b><c>2</c></b></a>", "a:b:c", "1"},
      {"<a><x>1</x></a><b><y>2</y></b>", "b:x", "1"},
      {"<a><x>1</x></a><b><y>2</y></b>", "b:y", "2"},
      {"<a><x>1</x></a><b><y>2</y></b>", "a:x", nullptr},
      {"<a><b><c> 5 </c></b></a>", "a:b:c", " 5 "},
      {"<a><b><c></c></b></a>", "a:b:c", ""},
      {"<a><b><c/></b></a>", "a:b:c", ""},
      {"<a><b><c>x</c></b></a>", "a:B:c", nullptr},
      {"<a><b><c>x</c></b></a>", "a:b", nullptr},
      {"<a><b><c>x</c></b></a>", "a:b:c:d", nullptr},
      {"<a><b><c>x<y</c></b></a>", "a:b:c", nullptr},
      {"<a><c>1</c></a>", "a", nullptr},
      {"<a><c>1</c></a>", "", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + c.key);
    Loaded doc(c.text);
    std::string out;
    EXPECT_EQ(c.value != nullptr, doc.file.getString(c.key, out, "dflt"));
    EXPECT_EQ(c.value != nullptr ? c.value : "dflt", out);
  }
}

TEST(XmlParamFile, IntOfTheDecimalRuleAndStringKeepsTheText) {
  Loaded doc("<a><b><c> 5 </c></b></a>");
  std::int32_t n = 0;
  EXPECT_TRUE(doc.file.getInt("a:b:c", n, 1));
  EXPECT_EQ(5, n);
  EXPECT_EQ(" 5 ", doc.get("a:b:c"));
}

TEST(XmlParamFile, StoresCreateTheChainOnce) {
  XmlParamFile file;
  EXPECT_TRUE(file.setString("a:b:c", "1"));
  EXPECT_TRUE(file.setInt("a:b:d", 5));
  std::ostringstream out;
  file.params.root.write(out, 0);
  EXPECT_EQ("<a>\r\n\t<b>\r\n\t\t<c>1</c>\r\n\t\t<d>5</d>\r\n\t</b>\r\n</a>\r\n", out.str());
}

TEST(XmlParamFile, StoringAKeyTwiceKeepsOneLeafInItsPlace) {
  XmlParamFile file;
  file.setString("a:x", "1");
  file.setString("a:y", "2");
  file.setString("a:x", "3");
  ASSERT_EQ(2u, file.params.root.leaves.size());
  EXPECT_EQ("x", file.params.root.leaves[0].name);
  EXPECT_EQ("3", file.params.root.leaves[0].value);
}

TEST(XmlParamFile, IntTextHasSignOnlyWhenNegativeAndNoFill) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "0"}, {7, "7"}, {-7, "-7"}, {2147483647, "2147483647"}, {-2147483647 - 1, "-2147483648"}};
  for (const auto& [value, text] : cases) {
    XmlParamFile file;
    file.setInt("a:n", value);
    std::string out;
    EXPECT_TRUE(file.getString("a:n", out, ""));
    EXPECT_EQ(text, out);
  }
}

TEST(XmlParamFile, StoreWalkStopsSearchingOnceItCreates) {
  // The tree as read: a holding b (with c) and a second b holding e.
  Loaded doc("<a k='1'><b><c>1</c></b><b><e><f>2</f></e></b></a>");
  // a:b is found (the first b); e is missing there, so a new e is created under the first b,
  // not the existing one under the second b.
  doc.file.setString("a:b:e:g", "3");
  EXPECT_EQ("3", doc.get("a:b:e:g"));
  EXPECT_EQ("<default>", doc.get("a:b:e:f"));
  EXPECT_EQ("1", doc.get("a:b:c"));
  EXPECT_EQ("k='1'", doc.file.params.root.attributes) << "a found root keeps its attributes";

  // A different first name renames the root, clears its attributes and keeps its contents.
  doc.file.setString("z:y:x", "4");
  EXPECT_EQ("z", doc.file.params.root.name);
  EXPECT_EQ("", doc.file.params.root.attributes);
  EXPECT_EQ("4", doc.get("z:y:x"));
  EXPECT_EQ("1", doc.get("z:b:c"));
  EXPECT_EQ("<default>", doc.get("a:b:c"));
}

TEST(XmlParamFile, KeysOfFewerThanTwoNamesStoreNothing) {
  XmlParamFile file;
  for (const char* key : {static_cast<const char*>(nullptr), "", "a", "a:"}) {
    EXPECT_FALSE(file.setString(key, "v"));
    std::int32_t n = 3;
    EXPECT_FALSE(file.getInt(key, n, 9));
    EXPECT_EQ(9, n);
  }
  std::ostringstream out;
  file.params.root.write(out, 0);
  EXPECT_EQ("<>\r\n</>\r\n", out.str());
}

TEST(XmlParamFile, MissingOrUnreadableFileGivesDefaultsAndLeavesTheTree) {
  TempDir dir;
  XmlParamFile file;
  file.setString("a:b", "kept");
  file.load(dir.file("missing.xml"));
  std::string out;
  EXPECT_TRUE(file.getString("a:b", out, "")) << "a file that cannot be opened changes nothing";

  std::filesystem::create_directory(dir.file("dir.xml"));
  file.load(dir.file("dir.xml"));
  EXPECT_TRUE(file.getString("a:b", out, "")) << "nor does one that cannot be read";

  XmlParamFile fresh;
  fresh.load(dir.file("missing.xml"));
  EXPECT_FALSE(fresh.getString("a:b", out, "d"));
  EXPECT_EQ("d", out);
}

TEST(XmlParamFile, LoadReplacesTheTree) {
  Loaded doc("<a><b>1</b></a>");
  WriteBytes(doc.dir.file("other.xml"), "<c><d>2</d></c>");
  doc.file.load(doc.dir.file("other.xml"));
  EXPECT_EQ("<default>", doc.get("a:b"));
  EXPECT_EQ("2", doc.get("c:d"));
}

TEST(XmlParamFile, LoadReadsCrLfAsLineFeed) {
  struct Case {
    const char* text;
    const char* value;
  };
  const Case cases[] = {
      {"<a>\r\n<b>1\r\n2</b>\r\n</a>\r\n", "1\n2"},
      {"<a><b>1\r2</b></a>", "1\r2"},
      {"<a><b>1\r\r\n2</b></a>", "1\r\n2"},
      {"<a><b>\n\r</b></a>", "\n\r"},
      {"<a><b>1\r</b></a>", "1\r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Loaded doc(c.text);
    EXPECT_EQ(c.value, doc.get("a:b"));
  }
}

TEST(XmlParamFile, LoadTakesWhatADamagedFileReached) {
  Loaded doc("<a><b>1</b><c>2</c><d>3<e\t>4</e\t><f>5</f></a>");
  EXPECT_EQ("1", doc.get("a:b"));
  EXPECT_EQ("2", doc.get("a:c"));
  EXPECT_EQ("<default>", doc.get("a:d"));
  EXPECT_EQ("<default>", doc.get("a:f"));
}

TEST(XmlParamFile, SaveWritesCrLfBytesAndLoadsBack) {
  TempDir dir;
  XmlParamFile file;
  file.setString("r:n:v", "a > b & c");
  file.setString("r:w", " x ");
  ASSERT_TRUE(file.save(dir.file("out.xml")));
  EXPECT_EQ("<r>\r\n\t<w> x </w>\r\n\t<n>\r\n\t\t<v>a > b & c</v>\r\n\t</n>\r\n</r>\r\n",
            ReadBytes(dir.file("out.xml")));

  XmlParamFile back;
  back.load(dir.file("out.xml"));
  std::string out;
  EXPECT_TRUE(back.getString("r:n:v", out, ""));
  EXPECT_EQ("a > b & c", out);
  EXPECT_TRUE(back.getString("r:w", out, ""));
  EXPECT_EQ(" x ", out);
}

TEST(XmlParamFile, SavingAnEmptyTreeWritesEmptyTags) {
  TempDir dir;
  XmlParamFile file;
  ASSERT_TRUE(file.save(dir.file("empty.xml")));
  EXPECT_EQ("<>\r\n</>\r\n", ReadBytes(dir.file("empty.xml")));
}

TEST(XmlParamFile, SaveReplacesTheFileWholeAndOwnerOnly) {
  TempDir dir;
  const std::string target = dir.file("out.xml");
  WriteBytes(target, std::string(4096, 'x'));
  ::chmod(target.c_str(), 0644);
  XmlParamFile file;
  file.setString("a:b", "1");
  ASSERT_TRUE(file.save(target));
  EXPECT_EQ("<a>\r\n\t<b>1</b>\r\n</a>\r\n", ReadBytes(target));
  struct stat st {};
  ASSERT_EQ(0, ::stat(target.c_str(), &st));
  EXPECT_EQ(0600u, st.st_mode & 07777);
  // Nothing but the target is left in the directory.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(std::vector<std::string>{"out.xml"}, names);
}

TEST(XmlParamFile, FailedSaveReportsAndLeavesNoTrace) {
  TempDir dir;
  XmlParamFile file;
  file.setString("a:b", "1");
  // A directory where the file should be: the rename cannot replace it.
  std::filesystem::create_directory(dir.file("taken.xml"));
  EXPECT_FALSE(file.save(dir.file("taken.xml")));
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.xml")));
  EXPECT_FALSE(file.save(dir.file("no-such-dir/out.xml")));
  EXPECT_FALSE(file.save(dir.file("")));
  EXPECT_FALSE(file.save(""));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(std::vector<std::string>{"taken.xml"}, names);
}

}  // namespace
