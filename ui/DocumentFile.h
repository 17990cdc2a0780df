#pragma once
// Tervane's document file: the grid's rows as the Type, MAC and IP texts.
// A 32-bit little-endian row count, then three length-prefixed strings per
// row. No header.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervane {

using DocumentRow = std::array<std::string, 3>;  // Type text, MAC, IP

std::string WriteDocument(const std::vector<DocumentRow>& rows);

// Reads a whole document. A truncated file, a negative row count, a count
// that the file cannot hold, or a string running past the end gives
// nothing, with the reason in `error`; nothing is allocated beyond what the
// file itself holds.
std::optional<std::vector<DocumentRow>> ReadDocument(std::string_view bytes, std::string& error);

}  // namespace tervane
