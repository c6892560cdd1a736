#pragma once

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace slicewright {

// Runs work(first, last) over [0, count) split into contiguous shares, one
// per hardware thread, when there is enough work to pay for the threads. A
// share whose thread the system will not start runs on the calling thread.
template <typename Work>
void ParallelFor(int64_t count, int64_t minimumPerThread, const Work& work) {
  const int64_t hardware = std::max<int64_t>(1, std::thread::hardware_concurrency());
  const int64_t threads =
      std::clamp<int64_t>(count / std::max<int64_t>(1, minimumPerThread), 1, std::min<int64_t>(hardware, 8));
  const int64_t share = count / threads;
  std::vector<std::thread> pool;
  for (int64_t t = 1; t < threads; ++t) {
    const int64_t first = t * share;
    const int64_t last = t + 1 == threads ? count : first + share;
    try {
      pool.emplace_back([&work, first, last] { work(first, last); });
    } catch (const std::system_error&) {
      work(first, last);
    }
  }
  work(0, threads == 1 ? count : share);
  for (auto& thread : pool) thread.join();
}

}  // namespace slicewright
