#pragma once
// Tervane's own settings, kept in config.xml: the user id, the device password and the cipher
// key text derived from it, the minimise-to-tray flag and two polling values.

#include <cstdint>
#include <string>

namespace tervane {

class CConfig {
 public:
  // Read from and written to the process's working directory.
  static constexpr const char* kFileName = "config.xml";

  // Reads config.xml from the working directory.
  CConfig();
  // Reads the named file instead.
  explicit CConfig(const std::string& fileName);
  virtual ~CConfig() = default;  // never saves

  // Takes every value from the file, or its default where the file has none. A missing or
  // unreadable file gives all the defaults and creates nothing.
  void Load(const std::string& fileName);

  // Writes user id, password and tray flag (not the polling values, and nothing else the file
  // held). False when the file could not be written; the previous file then stays as it was,
  // and the fields keep their values either way.
  bool Save(const std::string& fileName) const;

  std::string keyText;   // BuildKeyText(password): its first 8 bytes are the device key
  std::string password;  // as loaded or as typed
  std::string userId;    // stored and edited, never sent
  std::int32_t pollAuto = 0;
  std::int32_t pollInterval = 5;
  std::int32_t sysTray = 1;

  static constexpr const char* kDefaultWord = "kerbo";  // default user id and password
};

}  // namespace tervane
