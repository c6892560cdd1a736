#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace slicewright {

// Sizes a byte buffer that may hold many megabytes of audio. The kernel is
// asked for 2 MB pages before the buffer is first touched, so filling it
// takes a few dozen page faults instead of thousands: on a virtual machine
// the faults of a plain allocation cost more than reading the file.
void ResizeLargeBuffer(std::vector<uint8_t>& buffer, size_t size);

}  // namespace slicewright
