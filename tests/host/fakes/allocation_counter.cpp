#include "tests/host/fakes/allocation_counter.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace calmora::testing {
namespace {

// Replacing operator new leaves no other place for this than the program's own state.
bool counting = false;
long long live = 0;
long long peak = 0;

void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  if (counting) {
    live += static_cast<long long>(malloc_usable_size(block));
    peak = std::max(peak, live);
  }
  return block;
}

void Free(void* block) noexcept {
  if (block && counting) live -= static_cast<long long>(malloc_usable_size(block));
  std::free(block);
}

}  // namespace

AllocationCounter::AllocationCounter() {
  live = 0;
  peak = 0;
  counting = true;
}

AllocationCounter::~AllocationCounter() {
  counting = false;
}

std::size_t AllocationCounter::PeakBytes() const {
  return static_cast<std::size_t>(peak);
}

}  // namespace calmora::testing

// Every form that allocates or frees without a chosen alignment, so that no block taken here is
// given back to another allocator.
void* operator new(std::size_t size) {
  return calmora::testing::Allocate(size);
}
void* operator new[](std::size_t size) {
  return calmora::testing::Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return calmora::testing::Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return operator new(size, std::nothrow);
}
void operator delete(void* block) noexcept {
  calmora::testing::Free(block);
}
void operator delete[](void* block) noexcept {
  calmora::testing::Free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  calmora::testing::Free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  calmora::testing::Free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  calmora::testing::Free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  calmora::testing::Free(block);
}
