#include "XmlTagScanner.h"

#include <algorithm>

namespace tervane {

bool XmlTagScanner::set(const char* data, std::int32_t size) {
  if (data == nullptr || size < 1) return false;
  text = data;
  length = size;
  cursor = 0;
  return true;
}

std::int32_t XmlTagScanner::find(std::string_view pattern, std::int32_t from,
                                 std::int32_t count) const {
  if (text == nullptr || length < 1 || pattern.empty()) return -1;
  if (from < 0 || from > length) return -1;
  if (count == -1) count = from > length - 1 ? 0 : length - from;
  if (count < 0) return -1;
  const std::int64_t end = std::min<std::int64_t>(std::int64_t{from} + count, length);
  const std::string_view window(text + from, static_cast<std::size_t>(end - from));
  const std::size_t at = window.find(pattern);
  return at == std::string_view::npos ? -1 : from + static_cast<std::int32_t>(at);
}

bool XmlTagScanner::isSelfClosing() const {
  if (text == nullptr || tagClose < 1 || tagClose > length - 1) return false;
  return text[tagClose - 1] == '/';
}

bool XmlTagScanner::isSkippable() const {
  const std::string n = name();
  return n.starts_with("?xml") || n.starts_with("!--");
}

bool XmlTagScanner::contentHasTag() const {
  return find('<', contentFirst, contentLength()) != -1;
}

const char* XmlTagScanner::rest(std::int32_t& remaining) const {
  remaining = 0;
  if (text == nullptr || length < 1 || cursor < 0 || cursor > length) return nullptr;
  remaining = length - cursor;
  return text + cursor;
}

std::string XmlTagScanner::pairString(std::int32_t first, std::int32_t last) const {
  const std::int32_t n = pairLength(first, last);
  if (n == 0 || text == nullptr || last > length - 1) return {};
  return std::string(text + first, static_cast<std::size_t>(n));
}

void XmlTagScanner::computeName() {
  nameFirst = tagOpen + 1;
  nameLast = isSelfClosing() ? tagClose - 2 : tagClose - 1;
  // Only a space ends a name; a tab or line break stays part of it.
  const std::int32_t n = pairLength(nameFirst, nameLast);
  if (n > 0) {
    const std::int32_t space = find(' ', nameFirst, n);
    if (space != -1) nameLast = space - 1;
  }
}

void XmlTagScanner::computeAttributes() {
  attrFirst = nameLast + 2;  // passes over exactly the one separating space
  attrLast = isSelfClosing() ? tagClose - 2 : tagClose - 1;
}

bool XmlTagScanner::scanNext() {
  const std::int32_t c = cursor;
  tagOpen = tagClose = endTagOpen = endTagClose = c;

  const std::int32_t a = find('<', c);
  if (a == -1) return false;
  const std::int32_t b = find('>', a);
  if (b == -1) return false;

  tagOpen = a;
  tagClose = b;
  computeName();
  computeAttributes();

  if (isSelfClosing() || isSkippable()) {
    cursor = b + 1;
    if (isSelfClosing()) contentFirst = contentLast = -1;
    return true;
  }

  const std::string n = name();
  const std::string endTag = "</" + n + ">";
  const std::string plainStart = "<" + n + ">";
  std::int32_t e = find(endTag, b);
  if (e == -1) return false;

  // Each plain start tag of the same name before the end-tag candidate belongs to a nested
  // element of that name and moves the candidate on to the next end tag.
  std::int32_t from = b;
  for (;;) {
    const std::int32_t d = find(plainStart, from, e - from);
    if (d == -1) break;
    e = find(endTag, e + 1);
    if (e == -1) return false;
    from = d + 1;
  }

  endTagOpen = e;
  endTagClose = e + static_cast<std::int32_t>(endTag.size()) - 1;
  contentFirst = b + 1;
  contentLast = e - 1;

  const std::int32_t next = find('<', endTagClose);
  cursor = next != -1 ? next : endTagClose;
  return true;
}

}  // namespace tervane
