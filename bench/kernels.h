// The three measuring loops of the throughput test. Each one reads the
// time-stamp counter, walks the first n four-byte words of a block with one
// plain 32-bit load and/or store per step (nothing else in the loop but the
// pointer step and the count), reads the counter again and returns the
// difference. They are written in assembly so that the compiler can neither
// vectorise nor widen nor drop the accesses.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// Loads every word and stores it back to the same place.
uint64_t kest_timed_copy(uint32_t* words, size_t n);
// Loads every word.
uint64_t kest_timed_read(const uint32_t* words, size_t n);
// Stores v into every word.
uint64_t kest_timed_write(uint32_t* words, size_t n, uint32_t v);

}  // extern "C"
