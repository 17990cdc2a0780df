#include "XmlParamFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <limits>
#include <sstream>

namespace tervane {

namespace {

// A text-mode read: each CR LF pair becomes one line feed; a lone CR stays.
std::string joinLineEnds(const std::string& raw) {
  std::string text;
  text.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text.push_back(raw[i]);
  }
  return text;
}

// The whole file, or false when it cannot be opened or read to its end (a directory, an I/O
// error): such a file is treated as one that cannot be opened.
bool readWhole(const std::string& fileName, std::string& bytes) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char chunk[4096];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return true;
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::vector<std::string> XmlParamFile::splitKey(const char* key) {
  std::vector<std::string> names;
  if (key == nullptr || *key == '\0') return names;
  const std::string_view text(key);
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = text.find(':', start);
    if (colon == std::string_view::npos) {
      if (start < text.size()) names.emplace_back(text.substr(start));
      break;
    }
    names.emplace_back(text.substr(start, colon - start));
    start = colon + 1;
  }
  return names;
}

bool XmlParamFile::readDecimal(const std::string& text, std::int32_t& out) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
  constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) return false;
  }
  if (!negative && magnitude == limit) return false;
  out = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

const XmlParamLeaf* XmlParamFile::leafOf(const char* key) {
  std::vector<std::string> names = splitKey(key);
  if (names.size() < 2) return nullptr;
  const std::string leafName = std::move(names.back());
  names.pop_back();
  const XmlParamNode* node = params.findNode(names);
  return node == nullptr ? nullptr : node->findLeaf(leafName);
}

bool XmlParamFile::getString(const char* key, std::string& out, const std::string& fallback) {
  if (const XmlParamLeaf* leaf = leafOf(key)) {
    out = leaf->value;
    return true;
  }
  out = fallback;
  return false;
}

bool XmlParamFile::getInt(const char* key, std::int32_t& out, std::int32_t fallback) {
  const XmlParamLeaf* leaf = leafOf(key);
  if (leaf != nullptr && readDecimal(leaf->value, out)) return true;
  out = fallback;
  return false;
}

bool XmlParamFile::setString(const char* key, const std::string& value) {
  std::vector<std::string> names = splitKey(key);
  if (names.size() < 2) return false;
  const std::string leafName = std::move(names.back());
  names.pop_back();

  // Walk down as far as the names match; from the first miss on, create the rest.
  XmlParamNode* node = nullptr;
  std::size_t i = 0;
  if (params.root.name == names[0]) {
    node = &params.root;
    for (i = 1; i < names.size(); ++i) {
      XmlParamNode* match = nullptr;
      for (XmlParamNode& child : node->children) {
        if (child.name == names[i]) {
          match = &child;
          break;
        }
      }
      if (match == nullptr) break;
      node = match;
    }
  } else {
    params.root.name = names[0];  // renames the root, keeping what it holds
    params.root.attributes.clear();
    node = &params.root;
    i = 1;
  }
  for (; i < names.size(); ++i) node = node->addChild(names[i], std::string());
  node->setLeaf(leafName, value, std::string());
  return true;
}

bool XmlParamFile::setInt(const char* key, std::int32_t value) {
  return setString(key, std::to_string(value));
}

void XmlParamFile::load(const std::string& fileName) {
  std::string raw;
  if (!readWhole(fileName, raw)) return;
  const std::string text = joinLineEnds(raw);
  params.reset();
  params.current = nullptr;
  stream.setNotify(&params);
  // A text beyond what the reader can index is not a settings file: it reads as empty.
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return;
  stream.parse(text.data(), static_cast<std::int32_t>(text.size()));
}

bool XmlParamFile::save(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  const std::string dirPrefix = slash == std::string::npos ? "" : fileName.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  if (base.empty()) return false;

  std::ostringstream text;
  params.root.write(text, 0);
  const std::string bytes = text.str();

  std::string tempName = dirPrefix + "." + base + ".XXXXXX";
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) return false;
  bool ok = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = std::rename(tempName.c_str(), fileName.c_str()) == 0;
  if (!ok) {
    ::unlink(tempName.c_str());
    return false;
  }
  // Make the rename itself durable.
  const std::string dir = dirPrefix.empty() ? "." : dirPrefix;
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

}  // namespace tervane
