#pragma once

#include <string>

namespace slicewright::cli {

// JSON string literal with the escapes the format requires.
std::string JsonString(const std::string& text);

}  // namespace slicewright::cli
