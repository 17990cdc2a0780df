#pragma once
// Records the reports of the reader as one line of text, e.g. "start(a,) leaf(b,1,) end(a,)".

#include <string>

#include "XmlNotify.h"
#include "XmlStream.h"

namespace tervane::testkit {

class RecordingNotify : public XmlNotify {
 public:
  void onNodeStart(const std::string& name, const std::string& attributes) override {
    add("start(" + name + "," + attributes + ")");
  }
  void onLeaf(const std::string& name, const std::string& value,
              const std::string& attributes) override {
    add("leaf(" + name + "," + value + "," + attributes + ")");
  }
  void onNodeEnd(const std::string& name, const std::string& attributes) override {
    add("end(" + name + "," + attributes + ")");
  }
  std::string log;

 private:
  void add(const std::string& report) { log += (log.empty() ? "" : " ") + report; }
};

// The reports of parsing text, and the result of parse.
struct Parsed {
  bool result;
  std::string reports;
};

inline Parsed ParseText(const std::string& text) {
  XmlStream stream;
  RecordingNotify recorder;
  stream.setNotify(&recorder);
  const bool result = stream.parse(text.data(), static_cast<std::int32_t>(text.size()));
  return {result, recorder.log};
}

}  // namespace tervane::testkit
