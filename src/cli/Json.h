#pragma once

#include <string>

namespace slicewright::cli {

// JSON string literal with the escapes the format requires. The result is
// always valid UTF-8: bytes of the text that are not UTF-8 (a file name can
// hold any byte) are escaped as U+DC80..U+DCFF.
std::string JsonString(const std::string& text);

}  // namespace slicewright::cli
