#include "bench/allocation_count.h"

#include <stddef.h>

// The C library's own entry points, under the names it exports them by.
extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);

namespace {

long g_allocations = 0;

}  // namespace

long AllocationCount() { return __atomic_load_n(&g_allocations, __ATOMIC_RELAXED); }

// operator new and the C library's FILE buffers come here too.
extern "C" void* malloc(size_t size) {
  __atomic_add_fetch(&g_allocations, 1, __ATOMIC_RELAXED);
  return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size) {
  __atomic_add_fetch(&g_allocations, 1, __ATOMIC_RELAXED);
  return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size) {
  __atomic_add_fetch(&g_allocations, 1, __ATOMIC_RELAXED);
  return __libc_realloc(block, size);
}
