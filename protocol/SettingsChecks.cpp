#include "SettingsChecks.h"

#include <algorithm>

namespace tervane {

long LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long value = 0;
  constexpr long kLimit = 1L << 40;  // far beyond any address part or channel
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = std::min(kLimit, value * 10 + (text[i] - '0'));
  return negative ? -value : value;
}

AddressVerdict CheckAddress(std::string_view text) {
  if (std::count(text.begin(), text.end(), '.') != 3) return AddressVerdict::Refused;
  std::size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    std::size_t end = part < 3 ? text.find('.', start) : text.size();
    std::string_view p = text.substr(start, end - start);
    for (char c : p) {
      if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return AddressVerdict::NotValid;
    }
    long value = LeadingNumber(p);
    if (p.empty() || value < 0 || value > 255) return AddressVerdict::NotValid;
    start = end + 1;
  }
  return AddressVerdict::Valid;
}

}  // namespace tervane
