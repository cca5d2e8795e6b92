// The messages the benchmark measures with, in one fixed shape, so that figures from different
// days compare: lines of 60 to 120 characters of ordinary words, each ending in CRLF, the same
// lines every time for a given size. How long a message takes to show depends heavily on how
// many lines it has, so the shape is part of every figure.
#pragma once

#include <cstddef>
#include <string>

namespace calmora::benchmark {

inline constexpr const char* kMessageShape = "lines of 60 to 120 characters ending in CRLF";

// Exactly `size` bytes of ANSI text in that shape.
std::string MessageOfSize(std::size_t size);

}  // namespace calmora::benchmark
