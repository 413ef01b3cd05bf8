#include "viewer/matrix_image.h"

namespace lumigrid {
namespace {

// Field offsets of one word size.
struct layout {
  std::size_t name, flags, dims, rows, cols, real, imag, size;
};

// 32-bit: 4-byte fields throughout, the unused 8 bytes at 20.
constexpr layout kLayout32{0, 4, 8, 12, 16, 28, 32, 36};
// 64-bit: the name address takes 8 bytes, the unused field is one 8-byte word at 24.
constexpr layout kLayout64{0, 8, 12, 16, 20, 32, 40, 48};

const layout* layout_of(int word_size) {
  if (word_size == 4) return &kLayout32;
  if (word_size == 8) return &kLayout64;
  return nullptr;
}

std::uint64_t get(const unsigned char* p, int bytes) {
  std::uint64_t v = 0;
  for (int k = bytes - 1; k >= 0; --k) v = (v << 8) | p[k];
  return v;
}

void put(unsigned char* p, std::uint64_t v, int bytes) {
  for (int k = 0; k < bytes; ++k, v >>= 8) p[k] = static_cast<unsigned char>(v & 0xFF);
}

}  // namespace

std::size_t header_size(int word_size) {
  const layout* l = layout_of(word_size);
  return l ? l->size : 0;
}

bool parse_header(const unsigned char* bytes, std::size_t size, int word_size, matrix_header& out) {
  const layout* l = layout_of(word_size);
  if (!l || size < l->size) return false;
  out.name = get(bytes + l->name, word_size);
  out.flags = static_cast<std::uint32_t>(get(bytes + l->flags, 4));
  out.dims = static_cast<std::uint32_t>(get(bytes + l->dims, 4));
  out.rows = static_cast<std::uint32_t>(get(bytes + l->rows, 4));
  out.cols = static_cast<std::uint32_t>(get(bytes + l->cols, 4));
  out.real = get(bytes + l->real, word_size);
  out.imag = get(bytes + l->imag, word_size);
  return true;
}

void write_header(const matrix_header& h, int word_size, unsigned char* out) {
  const layout* l = layout_of(word_size);
  if (!l) return;
  for (std::size_t k = 0; k < l->size; ++k) out[k] = 0;
  put(out + l->name, h.name, word_size);
  put(out + l->flags, h.flags, 4);
  put(out + l->dims, h.dims, 4);
  put(out + l->rows, h.rows, 4);
  put(out + l->cols, h.cols, 4);
  put(out + l->real, h.real, word_size);
  put(out + l->imag, h.imag, word_size);
}

}  // namespace lumigrid
