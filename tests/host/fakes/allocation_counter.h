// Counts the memory that operator new hands out while a counter is alive, so a test can show how
// much a step holds at its peak. This test program replaces the global operator new and delete
// to do so; the sanitizers still see every block, as they are taken from malloc.
#pragma once

#include <cstddef>

namespace calmora::testing {

class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  // The most bytes allocated since the counter began and not yet freed, at any one time.
  std::size_t PeakBytes() const;
};

}  // namespace calmora::testing
