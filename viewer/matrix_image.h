// The header every gridlib matrix object begins with, as the viewer finds it in a
// program's memory: name address, flags, dims, rows, cols, 8 bytes the viewer does
// not read, real address, imaginary address. Addresses have the program's word size:
// 4 bytes in a 32-bit program (a 36-byte header), 8 bytes in a 64-bit one, where every
// field sits at its natural alignment (a 48-byte header). Fields are little-endian.
#pragma once
#include <cstddef>
#include <cstdint>

namespace lumigrid {

// Flag bits of the header.
inline constexpr std::uint32_t kLogical = 1;
inline constexpr std::uint32_t kString = 2;

struct matrix_header {
  std::uint64_t name = 0;   // address of the NUL-terminated name, 0 for a result
  std::uint32_t flags = 0;
  std::uint32_t dims = 0;
  std::uint32_t rows = 0;
  std::uint32_t cols = 0;
  std::uint64_t real = 0;   // address of rows x cols elements, column by column; 0 for none
  std::uint64_t imag = 0;   // the imaginary parts; 0 for a real matrix
};

// Header size for a word size of 4 or 8 bytes; 0 for any other.
std::size_t header_size(int word_size);

// Decodes a header from `size` bytes; false when the bytes are fewer than the header
// of that word size or the word size is neither 4 nor 8.
bool parse_header(const unsigned char* bytes, std::size_t size, int word_size, matrix_header& out);

// Encodes a header (the inverse of parse_header); used to build memory images.
// `out` must hold header_size(word_size) bytes.
void write_header(const matrix_header& h, int word_size, unsigned char* out);

}  // namespace lumigrid
