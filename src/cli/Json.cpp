#include "cli/Json.h"

#include <cstdio>

namespace slicewright::cli {
namespace {

// Length of the well-formed UTF-8 sequence at text[at], or 0 when the byte
// there does not start one (overlong forms, surrogates and code points past
// U+10FFFF are not well-formed).
size_t Utf8SequenceAt(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = byte(at + i);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

void AppendEscape(std::string& out, unsigned code) {
  char escaped[16];
  std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
  out += escaped;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (size_t at = 0; at < text.size();) {
    const auto c = static_cast<unsigned char>(text[at]);
    const size_t length = Utf8SequenceAt(text, at);
    if (length == 0) {
      // A byte of a name that is not UTF-8 becomes a lone low surrogate
      // U+DC80..U+DCFF, which readers that decode file names with surrogate
      // escapes turn back into the original byte.
      AppendEscape(out, 0xDC00u + c);
      ++at;
      continue;
    }
    if (length > 1) {
      out.append(text, at, length);
    } else if (c == '"') {
      out += "\\\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      AppendEscape(out, c);
    } else {
      out += static_cast<char>(c);
    }
    at += length;
  }
  return out + "\"";
}

}  // namespace slicewright::cli
