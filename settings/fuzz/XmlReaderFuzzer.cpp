// Feeds arbitrary bytes to the reader, as a hand-edited or damaged config.xml would, then
// builds, queries and writes the parameter tree from the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "XML_Param_Notify.h"
#include "XmlStream.h"

namespace {

// Every report must name an element, and every node end must close an open node.
class CheckingNotify : public tervane::XmlNotify {
 public:
  void onNodeStart(const std::string& name, const std::string&) override {
    if (name.empty()) std::abort();
    ++open;
  }
  void onLeaf(const std::string& name, const std::string& value, const std::string&) override {
    if (name.empty() || value.find('<') != std::string::npos) std::abort();
  }
  void onNodeEnd(const std::string& name, const std::string&) override {
    if (name.empty() || open == 0) std::abort();
    --open;
  }
  long open = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1 << 20) return 0;
  const char* text = reinterpret_cast<const char*>(data);
  const auto length = static_cast<std::int32_t>(size);

  tervane::XmlStream stream;
  CheckingNotify checker;
  stream.setNotify(&checker);
  if (stream.parse(text, length) != (size > 0)) std::abort();
  if (checker.open != 0) std::abort();

  tervane::XML_Param_Notify tree;
  stream.setNotify(&tree);
  stream.parse(text, length);
  if (tree.current != nullptr) std::abort();
  tree.findNode({tree.root.name, "config"});
  std::ostringstream out;
  tree.root.write(out, 0);
  return 0;
}
