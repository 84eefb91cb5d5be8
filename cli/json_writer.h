#pragma once

#include <string>
#include <string_view>

namespace classe::cli {

// Minimal JSON output: strings escaped for UTF-8 text, numbers in their
// shortest round-trip form. Values here are always finite.
std::string JsonString(std::string_view text);
std::string JsonNumber(double value);

}  // namespace classe::cli
