#pragma once
// The checks a device's settings pass before they are stored in its record:
// the same for the grid's editors and for scripts.

#include <string_view>

namespace tervane {

inline constexpr std::string_view kAddressNotValid = "The address not valid";
inline constexpr std::string_view kSsidNotValid = "SSID must not be empty and not more than 32 chars";
inline constexpr std::string_view kDollarNotAllowed = "The value must not contain '$'";
inline constexpr std::size_t kMaxNameLength = 32;

enum class AddressVerdict {
  Valid,
  Refused,   // not four dotted parts: refused without a message
  NotValid,  // refused with kAddressNotValid
};

// Four parts separated by exactly three dots, each without letters and
// reading as a number from 0 to 255 (read from its start, so "1/24" passes
// as 1). The whole text is checked, however long.
AddressVerdict CheckAddress(std::string_view text);

// The number at the start of a text: leading white space, one sign, then
// digits up to the first other character; 0 when there is no digit.
// Saturates instead of overflowing.
long LeadingNumber(std::string_view text);

// A name or SSID: 1 to 32 characters.
inline bool ValidNameLength(std::string_view text) { return !text.empty() && text.size() <= kMaxNameLength; }

inline bool ContainsDollar(std::string_view text) { return text.find('$') != std::string_view::npos; }

}  // namespace tervane
