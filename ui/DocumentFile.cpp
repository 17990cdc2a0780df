#include "DocumentFile.h"

namespace tervane {
namespace {

void PutLE(std::string& out, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Length prefix: one byte below 255; 0xFF and 16 bits up to 65533; else
// 0xFF, 0xFFFF and 32 bits.
void PutString(std::string& out, const std::string& s) {
  const std::size_t n = s.size();
  if (n < 0xFF) {
    PutLE(out, n, 1);
  } else if (n < 0xFFFE) {
    PutLE(out, 0xFF, 1);
    PutLE(out, n, 2);
  } else {
    PutLE(out, 0xFF, 1);
    PutLE(out, 0xFFFF, 2);
    PutLE(out, n, 4);
  }
  out += s;
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool Get(int count, std::uint64_t& v) {
    if (Remaining() < static_cast<std::size_t>(count)) return false;
    v = 0;
    for (int i = 0; i < count; ++i) v |= std::uint64_t{static_cast<unsigned char>(bytes_[at_ + i])} << (8 * i);
    at_ += static_cast<std::size_t>(count);
    return true;
  }
  bool GetString(std::string& s) {
    std::uint64_t n = 0;
    if (!Get(1, n)) return false;
    if (n == 0xFF) {
      if (!Get(2, n)) return false;
      if (n == 0xFFFF && !Get(4, n)) return false;
    }
    if (n > Remaining()) return false;
    s.assign(bytes_.substr(at_, n));
    at_ += n;
    return true;
  }
  std::size_t Remaining() const { return bytes_.size() - at_; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

}  // namespace

std::string WriteDocument(const std::vector<DocumentRow>& rows) {
  std::string out;
  PutLE(out, static_cast<std::uint32_t>(rows.size()), 4);
  for (const DocumentRow& row : rows) {
    for (const std::string& s : row) PutString(out, s);
  }
  return out;
}

std::optional<std::vector<DocumentRow>> ReadDocument(std::string_view bytes, std::string& error) {
  Reader in(bytes);
  std::uint64_t raw = 0;
  if (!in.Get(4, raw)) {
    error = "the file is too short to hold a row count";
    return std::nullopt;
  }
  const auto count = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
  if (count < 0) {
    error = "the row count " + std::to_string(count) + " is negative";
    return std::nullopt;
  }
  // Every row takes at least three bytes, one per empty string.
  if (static_cast<std::uint64_t>(count) * 3 > in.Remaining()) {
    error = "the file cannot hold the " + std::to_string(count) + " rows it announces";
    return std::nullopt;
  }
  std::vector<DocumentRow> rows(static_cast<std::size_t>(count));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::string& s : rows[r]) {
      if (!in.GetString(s)) {
        error = "row " + std::to_string(r + 1) + " runs past the end of the file";
        return std::nullopt;
      }
    }
  }
  return rows;
}

}  // namespace tervane
