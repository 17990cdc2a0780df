#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "BlowfishCipher.h"
#include "CConfig.h"
#include "TempDir.h"

using namespace tervane;
using tervane::testkit::ReadBytes;
using tervane::testkit::TempDir;
using tervane::testkit::WriteBytes;

namespace {

std::string SavedText(const std::string& user, const std::string& password, const std::string& tray) {
  return "<vireo>\r\n\t<config>\r\n\t\t<user>" + user + "</user>\r\n\t\t<password>" + password +
         "</password>\r\n\t\t<systray>" + tray + "</systray>\r\n\t</config>\r\n</vireo>\r\n";
}

void ExpectDefaults(const CConfig& config) {
  EXPECT_EQ("kerbo", config.userId);
  EXPECT_EQ("kerbo", config.password);
  EXPECT_EQ(BuildKeyText("kerbo"), config.keyText);
  EXPECT_EQ(1, config.sysTray);
  EXPECT_EQ(0, config.pollAuto);
  EXPECT_EQ(5, config.pollInterval);
}

TEST(CConfig, DefaultsWithoutAFileAndNothingCreated) {
  TempDir dir;
  const CConfig config(dir.file("config.xml"));
  ExpectDefaults(config);
  EXPECT_FALSE(std::filesystem::exists(dir.file("config.xml")));
}

// Changes the working directory for the life of the object.
class InDirectory {
 public:
  explicit InDirectory(const std::filesystem::path& dir) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~InDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST(CConfig, DefaultConstructionReadsConfigXmlInTheWorkingDirectory) {
  TempDir dir;
  WriteBytes(dir.file("config.xml"), SavedText("op", "secret12", "0"));
  InDirectory here(dir.path());
  const CConfig config;
  EXPECT_EQ("op", config.userId);
  EXPECT_EQ("secret12", config.password);
  EXPECT_EQ(0, config.sysTray);
  ASSERT_TRUE(config.Save(CConfig::kFileName));
  EXPECT_EQ(SavedText("op", "secret12", "0"), ReadBytes(dir.file("config.xml")));
}

struct LoadCase {
  const char* what;
  std::string text;
  std::string userId, password;
  std::int32_t sysTray, pollAuto, pollInterval;
};

TEST(CConfig, ValuesOfFiles) {
  const std::string config = "<vireo><config>";
  const std::string end = "</config></vireo>";
  const LoadCase cases[] = {
      {"as saved", SavedText("op", "pw", "0"), "op", "pw", 0, 0, 5},
      {"only the user id", config + "<user>op</user>" + end, "op", "kerbo", 1, 0, 5},
      {"only the password", config + "<password>pw</password>" + end, "kerbo", "pw", 1, 0, 5},
      {"empty password is found", config + "<password></password>" + end, "kerbo", "", 1, 0, 5},
      {"value with < reads as absent", config + "<user>a<b</user><password>p<q</password>" + end,
       "kerbo", "kerbo", 1, 0, 5},
      {"spaces are part of a value", config + "<user> op </user>" + end, " op ", "kerbo", 1, 0, 5},
      {"> and & survive", config + "<user>a>b</user><password>x&amp;y&</password>" + end, "a>b",
       "x&amp;y&", 1, 0, 5},
      {"tray not a number", config + "<systray>x</systray>" + end, "kerbo", "kerbo", 1, 0, 5},
      {"tray 0", config + "<systray>0</systray>" + end, "kerbo", "kerbo", 0, 0, 5},
      {"tray with leading space", config + "<systray> 2</systray>" + end, "kerbo", "kerbo", 2, 0,
       5},
      {"polling values",
       config + "<poll><auto>1</auto><interval>10</interval></poll>" + end, "kerbo", "kerbo", 1, 1,
       10},
      {"polling values not numbers", config + "<poll><auto>on</auto><interval></interval></poll>" + end,
       "kerbo", "kerbo", 1, 0, 5},
      {"declaration, comments, attributes, other white space",
       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!-- Tervane -->\n<vireo v='1'>  <config "
       "a=\"b\">\n<user x='1'>op</user>\n  <extra>z</extra><password>pw</password>"
       "<systray>0</systray></config></vireo>",
       "op", "pw", 0, 0, 5},
      {"other outermost element", "<other><config><user>op</user></config></other>", "kerbo",
       "kerbo", 1, 0, 5},
      {"names are case-sensitive", "<Vireo><config><user>op</user></config></Vireo>", "kerbo",
       "kerbo", 1, 0, 5},
      {"damaged after the user id",
       config + "<user>op</user><password>pw<systray>0</systray>" + end, "op", "kerbo", 1, 0, 5},
      {"not xml at all", "kerbo", "kerbo", "kerbo", 1, 0, 5},
      {"empty file", "", "kerbo", "kerbo", 1, 0, 5},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteBytes(dir.file("config.xml"), c.text);
    const CConfig loaded(dir.file("config.xml"));
    EXPECT_EQ(c.userId, loaded.userId);
    EXPECT_EQ(c.password, loaded.password);
    EXPECT_EQ(BuildKeyText(c.password), loaded.keyText);
    EXPECT_EQ(c.sysTray, loaded.sysTray);
    EXPECT_EQ(c.pollAuto, loaded.pollAuto);
    EXPECT_EQ(c.pollInterval, loaded.pollInterval);
  }
}

TEST(CConfig, UnreadableFileGivesDefaults) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("config.xml"));
  ExpectDefaults(CConfig(dir.file("config.xml")));
}

TEST(CConfig, SaveWritesExactlyTheSevenLines) {
  struct Case {
    std::string userId, password;
    std::int32_t sysTray;
    std::string trayText;
  };
  const Case cases[] = {
      {"kerbo", "kerbo", 1, "1"},
      {"op", "a longer pass phrase", 0, "0"},
      {"", "", -12, "-12"},
      {"a<b", "x>y & z", 1, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.userId);
    TempDir dir;
    CConfig config(dir.file("config.xml"));
    config.userId = c.userId;
    config.password = c.password;
    config.keyText = "not written";
    config.sysTray = c.sysTray;
    config.pollAuto = 1;
    config.pollInterval = 30;
    ASSERT_TRUE(config.Save(dir.file("config.xml")));
    EXPECT_EQ(SavedText(c.userId, c.password, c.trayText), ReadBytes(dir.file("config.xml")));
  }
}

TEST(CConfig, SaveDropsPollingValuesAndEverythingElseButKeepsThemInMemory) {
  TempDir dir;
  WriteBytes(dir.file("config.xml"),
             "<vireo><config><user>op</user><poll><auto>1</auto><interval>9</interval></poll>"
             "<extra>e</extra></config><more>m</more></vireo>");
  CConfig config(dir.file("config.xml"));
  ASSERT_TRUE(config.Save(dir.file("config.xml")));
  EXPECT_EQ(SavedText("op", "kerbo", "1"), ReadBytes(dir.file("config.xml")));
  EXPECT_EQ(1, config.pollAuto);
  EXPECT_EQ(9, config.pollInterval);
}

TEST(CConfig, SavedValuesLoadBack) {
  TempDir dir;
  CConfig config(dir.file("config.xml"));
  config.userId = " o p ";
  config.password = "p>&q";
  config.sysTray = 0;
  ASSERT_TRUE(config.Save(dir.file("config.xml")));
  const CConfig back(dir.file("config.xml"));
  EXPECT_EQ(" o p ", back.userId);
  EXPECT_EQ("p>&q", back.password);
  EXPECT_EQ(BuildKeyText("p>&q"), back.keyText);
  EXPECT_EQ(0, back.sysTray);

  // A "<" in a value is saved as it is and reads back as the default.
  config.password = "p<q";
  ASSERT_TRUE(config.Save(dir.file("config.xml")));
  EXPECT_EQ("kerbo", CConfig(dir.file("config.xml")).password);
}

TEST(CConfig, SavedFileIsOwnerOnly) {
  TempDir dir;
  WriteBytes(dir.file("config.xml"), SavedText("op", "pw", "1"));
  ::chmod(dir.file("config.xml").c_str(), 0644);
  const CConfig config(dir.file("config.xml"));
  ASSERT_TRUE(config.Save(dir.file("config.xml")));
  struct stat st {};
  ASSERT_EQ(0, ::stat(dir.file("config.xml").c_str(), &st));
  EXPECT_EQ(0600u, st.st_mode & 07777);
}

TEST(CConfig, FailedSaveReportsFailureAndKeepsFileAndFields) {
  TempDir dir;
  const std::string previous = SavedText("old", "oldpw", "1");
  WriteBytes(dir.file("config.xml"), previous);
  CConfig config(dir.file("config.xml"));
  config.userId = "new";
  EXPECT_FALSE(config.Save(dir.file("missing-dir/config.xml")));
  std::filesystem::create_directory(dir.file("dir.xml"));
  EXPECT_FALSE(config.Save(dir.file("dir.xml")));
  EXPECT_EQ("new", config.userId);
  EXPECT_EQ(previous, ReadBytes(dir.file("config.xml")));
}

}  // namespace
