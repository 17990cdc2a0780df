#pragma once
// Scanning state of one level of a settings text: where the current element's tags, name,
// attributes and content lie. Every index counts from `text`; every search stays inside the
// `length` bytes of the piece, whatever the bytes are.

#include <cstdint>
#include <string>
#include <string_view>

namespace tervane {

class XmlTagScanner {
 public:
  // False (and nothing changes) for a null or empty piece; otherwise the scan restarts at 0.
  // The index fields keep their values.
  bool set(const char* data, std::int32_t size);

  // Finds the next element or skippable tag at or after cursor. False ends the level: no "<",
  // no ">" after it, or no end tag for the element.
  bool scanNext();

  // Index of the first occurrence of pattern lying wholly within bytes from .. from+count-1,
  // or -1. count -1 means "to the end of the piece". An empty pattern never occurs.
  std::int32_t find(std::string_view pattern, std::int32_t from, std::int32_t count = -1) const;
  std::int32_t find(char pattern, std::int32_t from, std::int32_t count = -1) const {
    return find(std::string_view(&pattern, 1), from, count);
  }

  bool isSelfClosing() const;
  bool isSkippable() const;  // XML declaration or comment: no report
  bool contentHasTag() const;

  std::string name() const { return pairString(nameFirst, nameLast); }
  std::string attributes() const { return pairString(attrFirst, attrLast); }
  std::string content() const { return pairString(contentFirst, contentLast); }
  std::int32_t contentLength() const { return pairLength(contentFirst, contentLast); }

  // The unscanned rest of the piece (from cursor), or null with remaining 0 when the scanner
  // holds no valid piece.
  const char* rest(std::int32_t& remaining) const;

  // Number of bytes of the inclusive pair, 0 when it is empty or unset.
  static std::int32_t pairLength(std::int32_t first, std::int32_t last) {
    return (first >= 0 && last >= 0 && last >= first) ? last - first + 1 : 0;
  }

  const char* text = nullptr;
  std::int32_t length = 0;
  std::int32_t cursor = 0;
  std::int32_t tagOpen = -1, tagClose = -1;
  std::int32_t endTagOpen = -1, endTagClose = -1;
  std::int32_t nameFirst = -1, nameLast = -1;
  std::int32_t attrFirst = -1, attrLast = -1;
  std::int32_t contentFirst = -1, contentLast = -1;

 private:
  std::string pairString(std::int32_t first, std::int32_t last) const;
  void computeName();
  void computeAttributes();
};

}  // namespace tervane
