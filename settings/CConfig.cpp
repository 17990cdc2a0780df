#include "CConfig.h"

#include "BlowfishCipher.h"
#include "XmlParamFile.h"

namespace tervane {

namespace {
constexpr const char* kUserKey = "vireo:config:user";
constexpr const char* kPasswordKey = "vireo:config:password";
constexpr const char* kSysTrayKey = "vireo:config:systray";
constexpr const char* kPollAutoKey = "vireo:config:poll:auto";
constexpr const char* kPollIntervalKey = "vireo:config:poll:interval";
}  // namespace

CConfig::CConfig() : CConfig(kFileName) {}

CConfig::CConfig(const std::string& fileName) { Load(fileName); }

void CConfig::Load(const std::string& fileName) {
  XmlParamFile file;
  file.load(fileName);
  file.getString(kUserKey, userId, kDefaultWord);
  file.getString(kPasswordKey, password, kDefaultWord);
  file.getInt(kSysTrayKey, sysTray, 1);
  file.getInt(kPollAutoKey, pollAuto, 0);
  file.getInt(kPollIntervalKey, pollInterval, 5);
  keyText = BuildKeyText(password);
}

bool CConfig::Save(const std::string& fileName) const {
  XmlParamFile file;
  file.setString(kUserKey, userId);
  file.setString(kPasswordKey, password);  // the password itself, never the key text
  file.setInt(kSysTrayKey, sysTray);
  return file.save(fileName);
}

}  // namespace tervane
