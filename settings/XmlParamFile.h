#pragma once
// The settings document: a reader and a parameter tree, loaded from and saved to one file.
// Values are addressed by keys of colon-separated names, "vireo:config:user" naming the leaf
// user in the node config in the root vireo. A key needs at least two names.

#include <cstdint>
#include <string>
#include <vector>

#include "XML_Param_Notify.h"
#include "XmlStream.h"

namespace tervane {

class XmlParamFile {
 public:
  XmlParamFile() = default;
  XmlParamFile(const XmlParamFile&) = delete;
  XmlParamFile& operator=(const XmlParamFile&) = delete;

  // Reads the whole file and parses it into a fresh tree, each CR LF read as one line feed.
  // A file that cannot be opened or read to its end leaves the tree as it was; whatever the
  // reader reached in a damaged file is kept.
  void load(const std::string& fileName);

  // Writes the tree, CR LF line ends, to a temporary file beside the target and renames it over
  // the target, so the target is always either the old or the complete new file. The file is
  // readable and writable by its owner only (it holds the device password). False when the
  // file could not be written; the target is then untouched.
  bool save(const std::string& fileName);

  // True and the leaf's value when the leaf exists, else false and the default.
  bool getString(const char* key, std::string& out, const std::string& fallback);
  // True and the number when the leaf exists and reads as a decimal integer, else false and the
  // default. out is written once, with one or the other.
  bool getInt(const char* key, std::int32_t& out, std::int32_t fallback);
  // Store the value, creating the nodes and the leaf that are missing. False only for a key of
  // fewer than two names, which stores nothing.
  bool setString(const char* key, const std::string& value);
  bool setInt(const char* key, std::int32_t value);

  // The names of a key in order: "a::b" gives a, "" and b; a final ":" adds no name.
  static std::vector<std::string> splitKey(const char* key);
  // The decimal rule of stored integers: leading white space, an optional sign, at least one
  // digit, within 32 bits; text after the digits is ignored.
  static bool readDecimal(const std::string& text, std::int32_t& out);

  XmlStream stream;
  XML_Param_Notify params;

 private:
  const XmlParamLeaf* leafOf(const char* key);
};

}  // namespace tervane
