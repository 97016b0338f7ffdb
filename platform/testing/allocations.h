// Counts every heap allocation of the program: with glibc the malloc family
// is replaced for the whole process, so Qt's own allocations count too
// (operator new ends in malloc); elsewhere the global operator new is.
// Include in exactly one source file of a test or benchmark program.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace platform::testing {
inline std::atomic<long long> allocations{0};
}

#if defined(__GLIBC__)
#include <execinfo.h>
#include <unistd.h>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
}

namespace platform::testing {
// While set, each allocation's call stack goes to stderr, to find where
// allocations come from.
inline bool traceAllocations = false;
inline void counted() {
  allocations.fetch_add(1, std::memory_order_relaxed);
  static thread_local bool inside = false;
  if (!traceAllocations || inside) return;
  inside = true;
  void* frames[24];
  backtrace_symbols_fd(frames, backtrace(frames, 24), 2);
  if (::write(2, "--\n", 3) < 0) traceAllocations = false;
  inside = false;
}
}  // namespace platform::testing

extern "C" {
void* malloc(std::size_t n) {
  platform::testing::counted();
  return __libc_malloc(n);
}
void* calloc(std::size_t n, std::size_t size) {
  platform::testing::counted();
  return __libc_calloc(n, size);
}
void* realloc(void* p, std::size_t n) {
  platform::testing::counted();
  return __libc_realloc(p, n);
}
void* memalign(std::size_t align, std::size_t n) {
  platform::testing::counted();
  return __libc_memalign(align, n);
}
void* aligned_alloc(std::size_t align, std::size_t n) { return memalign(align, n); }
int posix_memalign(void** out, std::size_t align, std::size_t n) {
  *out = memalign(align, n);
  return *out ? 0 : 12;  // ENOMEM
}
}
#else
// These operators are the allocation functions: free() matches their malloc().
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
  platform::testing::allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  platform::testing::allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(n ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#endif
