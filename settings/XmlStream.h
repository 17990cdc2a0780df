#pragma once
// The reader of settings texts. It is deliberately not an XML parser: it finds elements by
// searching for "<", the next ">" and the literal end tag, and reports them to an XmlNotify.
// Files the program has written and read back rely on exactly these rules.
//
// The stream is itself the byte string of the text it parsed last.

#include <cstdint>
#include <string>

#include "XmlNotify.h"
#include "XmlTagScanner.h"

namespace tervane {

class XmlStream : public std::string {
 public:
  XmlStream() = default;
  virtual ~XmlStream() = default;

  // With a null target the text is still scanned and nothing is reported.
  void setNotify(XmlNotify* target) { notify = target; }

  // False only for null data or a length below 1. All reports are made before it returns.
  bool parse(const char* data, std::int32_t length);

  // Parses one level and, below it, every nested level in document order. The levels are
  // kept on a heap stack instead of the call stack, so any depth of nesting is safe.
  // Always true. A report must not parse this same stream again.
  bool parseLevel(XmlTagScanner& scanner, const char* data, std::int32_t length);

  XmlNotify* notify = nullptr;
};

}  // namespace tervane
