#include "XmlStream.h"

#include <vector>

namespace tervane {

bool XmlStream::parse(const char* data, std::int32_t length) {
  if (data == nullptr || length < 1) return false;
  assign(data, static_cast<std::size_t>(length));
  XmlTagScanner scanner;
  return parseLevel(scanner, this->data(), length);
}

namespace {

// One open level: the text still to scan, and the node whose content it is (if any).
struct Level {
  XmlTagScanner scanner;
  const char* data;
  std::int32_t length;
  std::string nodeName;
  std::string nodeAttributes;
};

}  // namespace

bool XmlStream::parseLevel(XmlTagScanner& scanner, const char* data, std::int32_t length) {
  // levels[0] stands for the caller's scanner; nested levels use their own.
  std::vector<Level> levels;
  levels.push_back(Level{{}, data, length, {}, {}});

  while (!levels.empty()) {
    const std::size_t depth = levels.size() - 1;
    XmlTagScanner& sc = depth == 0 ? scanner : levels[depth].scanner;
    Level& level = levels[depth];

    if (!sc.set(level.data, level.length) || !sc.scanNext()) {
      // The level is finished, normally or at something it cannot finish; the enclosing
      // level goes on after the node, whose end is still reported.
      const std::string name = std::move(level.nodeName);
      const std::string attributes = std::move(level.nodeAttributes);
      levels.pop_back();
      if (!levels.empty() && !name.empty() && notify != nullptr) {
        notify->onNodeEnd(name, attributes);
      }
      continue;
    }

    if (sc.isSkippable()) {
      level.data = sc.rest(level.length);
    } else if (sc.contentHasTag()) {
      std::string name = sc.name();
      std::string attributes = sc.attributes();
      if (!name.empty() && notify != nullptr) notify->onNodeStart(name, attributes);
      const char* content = sc.text + sc.contentFirst;
      const std::int32_t contentLength = sc.contentLength();
      level.data = sc.rest(level.length);
      // After this push `level` and `sc` may no longer be valid.
      levels.push_back(
          Level{{}, content, contentLength, std::move(name), std::move(attributes)});
    } else {
      if (!sc.name().empty() && notify != nullptr) {
        notify->onLeaf(sc.name(), sc.content(), sc.attributes());
      }
      level.data = sc.rest(level.length);
    }
  }
  return true;
}

}  // namespace tervane
