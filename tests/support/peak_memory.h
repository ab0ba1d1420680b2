#pragma once
// The process's peak memory, for the tests that check a bound on it: the peak resident size,
// or, under AddressSanitizer, whose quarantine of freed blocks (256 MB) and shadow stay
// resident, the peak of the heap in use, counted by the sanitizer's allocator hooks from the
// first call on.

#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <atomic>
#include <cstddef>

// The sanitizer's allocator interface (GCC installs no header of it).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                  std::size_t),
                                              void (*free_hook)(const volatile void*));
std::size_t __sanitizer_get_allocated_size(const volatile void* block);
}
#endif

namespace korvel::test {

#if defined(__SANITIZE_ADDRESS__)
namespace heap_count {
inline std::atomic<long long> inUse{0};
inline std::atomic<long long> peak{0};

// Called inside the allocator: no allocation, atomics only.
inline void onMalloc(const volatile void*, std::size_t size) {
    const auto grown = static_cast<long long>(size);
    const long long now = inUse.fetch_add(grown) + grown;
    long long seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}
inline void onFree(const volatile void* block) {
    inUse.fetch_sub(static_cast<long long>(__sanitizer_get_allocated_size(block)));
}
}  // namespace heap_count

// The heap's peak in MB since the first call. A block made before that call and freed after it
// lowers the count by its size, so a bound is met by a few MB more than it says at most.
inline long peakMemoryMb() {
    static const bool installed =
        __sanitizer_install_malloc_and_free_hooks(heap_count::onMalloc, heap_count::onFree) != 0;
    if (!installed) {
        return -1;
    }
    return static_cast<long>(heap_count::peak.load() >> 20);
}
#else
// The process's peak resident memory in MB, or -1 where the system does not tell.
inline long peakMemoryMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6)) / 1024;
        }
    }
    return -1;
}
#endif

}  // namespace korvel::test
