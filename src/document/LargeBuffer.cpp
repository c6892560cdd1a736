#include "document/LargeBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

namespace slicewright {

void ResizeLargeBuffer(std::vector<uint8_t>& buffer, size_t size) {
  constexpr size_t kWorthAsking = size_t{4} << 20;
  if (size >= kWorthAsking && buffer.capacity() < size) {
    std::vector<uint8_t> fresh;
    fresh.reserve(size);
    const auto pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<uintptr_t>(fresh.data());
    const uintptr_t first = (begin + pageSize - 1) / pageSize * pageSize;
    // Advice only: without transparent huge pages the buffer is simply filled as usual.
    ::madvise(reinterpret_cast<void*>(first), begin + size - first, MADV_HUGEPAGE);
    fresh.assign(buffer.begin(), buffer.end());
    buffer.swap(fresh);
  }
  buffer.resize(size);
}

}  // namespace slicewright
