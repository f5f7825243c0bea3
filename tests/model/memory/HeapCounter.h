#pragma once

#include <cstddef>

// Counts the bytes this program's operator new hands out and gets back, which for the model is
// all of its memory: it allocates through the standard containers only. Linking HeapCounter.cpp
// replaces the global operators new and delete of the executable.
namespace agendrix::test {

// Bytes allocated and not yet freed.
std::size_t HeapInUse();
// The most HeapInUse() has been since the last ResetHeapPeak().
std::size_t HeapPeak();
void ResetHeapPeak();

} // namespace agendrix::test
