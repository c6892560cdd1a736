#include "export/ClipboardImage.h"

#include <algorithm>

namespace slicewright {
namespace {

constexpr size_t kIdBytes = 4;
constexpr size_t kLengthFieldBytes = 4;

}  // namespace

WaveDataLocation FindWaveData(std::span<const uint8_t> block) {
  WaveDataLocation location;
  if (block.size() < kIdBytes || !std::equal(block.begin(), block.begin() + kIdBytes, "RIFF"))
    return location;
  size_t pair = kIdBytes;
  while (pair + 1 < block.size() && !(block[pair] == 'd' && block[pair + 1] == 'a')) ++pair;
  // "da", then two bytes ("ta" in a well-formed image), then the length.
  const size_t lengthField = pair + 4;
  if (lengthField + kLengthFieldBytes > block.size()) return location;
  location.StatedLength = static_cast<uint32_t>(block[lengthField]) |
                          static_cast<uint32_t>(block[lengthField + 1]) << 8 |
                          static_cast<uint32_t>(block[lengthField + 2]) << 16 |
                          static_cast<uint32_t>(block[lengthField + 3]) << 24;
  location.Offset = lengthField + kLengthFieldBytes;
  location.Data =
      block.subspan(location.Offset, std::min<size_t>(location.StatedLength, block.size() - location.Offset));
  location.Found = true;
  return location;
}

}  // namespace slicewright
