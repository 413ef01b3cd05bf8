// load and save of MAT-files (versions 4 and 5) through matio.
#include <matio.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <type_traits>
#include <string>
#include <vector>

#include "int64_util.h"
#include "gridlib.h"
#include "gridlib_io.h"
#include "io_mat.h"
#include "strutil.h"

namespace grl {
namespace {

// matio reports its own troubles on standard error; the library words them itself.
void quiet_log(int, char*) {}

void init_log() {
  static bool done = false;
  if (!done) { Mat_LogInitFunc("gridlib", quiet_log); done = true; }
}

bool is_file(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A name without an extension means the .mat file of that name, when it exists.
std::string load_path(const Mt& file) {
  std::string name = su::text(file);
  if (is_file(name)) return name;
  if (is_file(name + ".mat")) return name + ".mat";
  grl_fail("load: unable to find file %s", name.c_str());
}

std::string save_path(const Mt& file) {
  std::string name = su::text(file);
  const std::size_t slash = name.rfind('/');
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) name += ".mat";
  return name;
}

template <class S> void copy_part(m_type* dst, const void* src, std::size_t n) {
  const S* s = static_cast<const S*>(src);
  for (std::size_t k = 0; k < n; ++k) dst[k] = m_type(s[k]);
}

// The elements of one part of a numeric variable, whatever its stored class.
bool convert(m_type* dst, const void* src, std::size_t n, matio_types t) {
  switch (t) {
    case MAT_T_DOUBLE: copy_part<double>(dst, src, n); return true;
    case MAT_T_SINGLE: copy_part<float>(dst, src, n); return true;
    case MAT_T_INT8: copy_part<mat_int8_t>(dst, src, n); return true;
    case MAT_T_UINT8: copy_part<mat_uint8_t>(dst, src, n); return true;
    case MAT_T_INT16: copy_part<mat_int16_t>(dst, src, n); return true;
    case MAT_T_UINT16: copy_part<mat_uint16_t>(dst, src, n); return true;
    case MAT_T_INT32: copy_part<mat_int32_t>(dst, src, n); return true;
    case MAT_T_UINT32: copy_part<mat_uint32_t>(dst, src, n); return true;
    case MAT_T_INT64: copy_part<mat_int64_t>(dst, src, n); return true;
    case MAT_T_UINT64: copy_part<mat_uint64_t>(dst, src, n); return true;
    case MAT_T_UTF8: copy_part<mat_uint8_t>(dst, src, n); return true;
    case MAT_T_UTF16: copy_part<mat_uint16_t>(dst, src, n); return true;
    default: return false;
  }
}

// The numeric class of a MAT-file class; double for the others.
mclass class_of_mat(int c) {
  switch (c) {
    case MAT_C_SINGLE: return mc_single;
    case MAT_C_INT8: return mc_int8;
    case MAT_C_UINT8: return mc_uint8;
    case MAT_C_INT16: return mc_int16;
    case MAT_C_UINT16: return mc_uint16;
    case MAT_C_INT32: return mc_int32;
    case MAT_C_UINT32: return mc_uint32;
    case MAT_C_INT64: return mc_int64;
    case MAT_C_UINT64: return mc_uint64;
    default: return mc_double;
  }
}

// The elements of a real value of an integer class or single in the file's own type.
template <class E> std::vector<unsigned char> typed_elements(const std::vector<double>& re) {
  std::vector<unsigned char> bytes(re.size() * sizeof(E));
  for (std::size_t k = 0; k < re.size(); ++k) {
    double v = re[k];
    E e;
    // The 64-bit limits as doubles are 2^63 and 2^64, one past the largest value.
    if (std::is_integral<E>::value && v >= double(std::numeric_limits<E>::max()))
      e = std::numeric_limits<E>::max();
    else
      e = E(v);
    std::memcpy(bytes.data() + k * sizeof(E), &e, sizeof(E));
  }
  return bytes;
}

// A version 5 variable of an integer class or single: its class and type in the file.
matvar_t* class_var(const char* name, mclass c, int rank, size_t* dims, const std::vector<double>& re,
                    std::vector<unsigned char>& bytes) {
  matio_classes mc;
  matio_types mt;
  switch (c) {
    case mc_single: mc = MAT_C_SINGLE; mt = MAT_T_SINGLE; bytes = typed_elements<float>(re); break;
    case mc_int8: mc = MAT_C_INT8; mt = MAT_T_INT8; bytes = typed_elements<mat_int8_t>(re); break;
    case mc_uint8: mc = MAT_C_UINT8; mt = MAT_T_UINT8; bytes = typed_elements<mat_uint8_t>(re); break;
    case mc_int16: mc = MAT_C_INT16; mt = MAT_T_INT16; bytes = typed_elements<mat_int16_t>(re); break;
    case mc_uint16: mc = MAT_C_UINT16; mt = MAT_T_UINT16; bytes = typed_elements<mat_uint16_t>(re); break;
    case mc_int32: mc = MAT_C_INT32; mt = MAT_T_INT32; bytes = typed_elements<mat_int32_t>(re); break;
    case mc_uint32: mc = MAT_C_UINT32; mt = MAT_T_UINT32; bytes = typed_elements<mat_uint32_t>(re); break;
    case mc_int64: mc = MAT_C_INT64; mt = MAT_T_INT64; bytes = typed_elements<mat_int64_t>(re); break;
    case mc_uint64: mc = MAT_C_UINT64; mt = MAT_T_UINT64; bytes = typed_elements<mat_uint64_t>(re); break;
    default: return nullptr;
  }
  return Mat_VarCreate(name, mc, mt, rank, dims, bytes.empty() ? nullptr : bytes.data(), 0);
}

Mt from_matvar(const matvar_t* v, const std::string& file);

// A structure array read from a file: each field of each element a value of its own.
Mt struct_from_matvar(const matvar_t* v, const std::string& file) {
  const unsigned nf = Mat_VarGetNumberOfFields(const_cast<matvar_t*>(v));
  char* const* fn = Mat_VarGetStructFieldnames(v);
  std::vector<std::string> names;
  for (unsigned f = 0; f < nf; ++f) names.push_back(fn && fn[f] ? fn[f] : "");
  Mt s = make_struct(v->dims[0], v->dims[1], names);
  const std::size_t n = s.numel();
  for (std::size_t e = 0; e < n; ++e)
    for (unsigned f = 0; f < nf; ++f) {
      const matvar_t* fv = Mat_VarGetStructFieldByIndex(const_cast<matvar_t*>(v), f, e);
      if (fv) s.st_->v[e * nf + f] = from_matvar(fv, file);
    }
  return s;
}

// A cell array read from a file.
Mt cell_from_matvar(const matvar_t* v, const std::string& file) {
  M<Mt> c = M<Mt>::alloc(v->dims[0], v->dims[1]);
  for (std::size_t k = 0; k < c.numel(); ++k) {
    const matvar_t* e = Mat_VarGetCell(const_cast<matvar_t*>(v), int(k));
    if (e) c.welem(k) = from_matvar(e, file);
  }
  return Mt::of_cell(c);
}

// The library's value of a variable read from a file.
Mt from_matvar(const matvar_t* v, const std::string& file) {
  if (v->rank == 2 && v->class_type == MAT_C_STRUCT) return struct_from_matvar(v, file);
  if (v->rank == 2 && v->class_type == MAT_C_CELL) return cell_from_matvar(v, file);
  if (v->rank < 2)
    grl_fail("load: variable '%s' in %s has %d dimensions; only matrices can be loaded", v->name, file.c_str(),
             v->rank);
  if (v->class_type == MAT_C_CELL || v->class_type == MAT_C_STRUCT || v->class_type == MAT_C_SPARSE ||
      v->class_type == MAT_C_OBJECT || v->class_type == MAT_C_FUNCTION || v->class_type == MAT_C_EMPTY)
    grl_fail("load: variable '%s' in %s is not a numeric, char or logical matrix", v->name, file.c_str());
  grl::sizes d(v->dims, v->dims + v->rank);
  Mt m = Mt::alloc(d, v->isComplex != 0);
  const std::size_t n = m.numel();
  if (n > 0) {
    bool ok;
    if (v->isComplex) {
      const mat_complex_split_t* z = static_cast<const mat_complex_split_t*>(v->data);
      ok = z && convert(m.pr(), z->Re, n, v->data_type) && convert(m.pi(), z->Im, n, v->data_type);
    } else {
      ok = v->data && convert(m.pr(), v->data, n, v->data_type);
    }
    if (!ok) grl_fail("load: unable to read variable '%s' from %s", v->name, file.c_str());
  }
  if (v->class_type == MAT_C_CHAR) m.set_flags(F_STRING);
  else if (v->isLogical) m.set_flags(F_LOGICAL);
  else if (const mclass c = class_of_mat(v->class_type); c != mc_double) m.set_class(c);
  if (m.isc()) m.drop_imag();
  // int64 and uint64 elements stored as such in the file keep every bit.
  if (w64::wide(m) && !m.isc() && n > 0 && v->data &&
      (v->data_type == MAT_T_INT64 || v->data_type == MAT_T_UINT64)) {
    std::vector<std::uint64_t> w(n);
    std::memcpy(w.data(), v->data, n * 8);
    const mclass c = m.num_class();
    const mclass from = v->data_type == MAT_T_INT64 ? mc_int64 : mc_uint64;
    if (from != c)
      for (std::uint64_t& b : w) b = w64::bits(w64::value(b, from), c);
    w64::store(m, c, std::move(w));
  }
  return m;
}

}  // namespace

namespace {

std::uint32_t word(const unsigned char* p, bool swap) {
  return swap ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3]
              : std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

// matio reads a variable whose data lies beyond the end of a file cut short without
// complaint, filling it with what it finds. Each top-level element of a version 5 file
// (and each matrix of a version 4 file) must therefore fit in the file. A file this
// cannot make sense of is left to matio to judge.
bool holds_its_elements(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return true;
  std::vector<unsigned char> d;
  unsigned char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) d.insert(d.end(), buf, buf + n);
  std::fclose(f);
  const std::size_t size = d.size();
  if (size >= 128 && ((d[126] == 'I' && d[127] == 'M') || (d[126] == 'M' && d[127] == 'I'))) {
    const bool swap = d[126] == 'M';
    if ((swap ? d[124] : d[125]) == 0x02) return true;   // version 7.3: an HDF5 file
    std::size_t pos = 128;
    while (pos < size) {
      if (size - pos < 8) return false;
      const std::uint32_t type = word(&d[pos], swap), bytes = word(&d[pos + 4], swap);
      if (size - pos - 8 < bytes) return false;
      pos += 8 + bytes;
      if (type != 15) pos = (pos + 7) / 8 * 8;   // elements other than compressed ones are padded to 8 bytes
    }
    return true;
  }
  // Version 4: a header of five 32-bit numbers (type MOPT, rows, columns, imaginary
  // flag, name length), the name, then the real and imaginary parts.
  static const std::size_t kElemBytes[] = {8, 4, 4, 2, 2, 1};
  std::size_t pos = 0;
  while (pos < size) {
    if (size - pos < 20) return false;
    bool swap = false;
    std::uint32_t type = word(&d[pos], false);
    if (type > 4052) { swap = true; type = word(&d[pos], true); }
    const std::uint32_t prec = type / 10 % 10;
    if (type > 4052 || prec > 5) return true;
    const std::uint64_t rows = word(&d[pos + 4], swap), cols = word(&d[pos + 8], swap);
    const std::uint64_t parts = word(&d[pos + 12], swap) ? 2 : 1, name = word(&d[pos + 16], swap);
    const std::uint64_t need = 20 + name + rows * cols * kElemBytes[prec] * parts;
    if (need > size - pos) return false;
    pos += std::size_t(need);
  }
  return true;
}

// The MAT-file a load reads, opened after checking that its variables fit in it.
mat_t* open_for_load(const std::string& path) {
  init_log();
  if (!holds_its_elements(path)) grl_fail("load: %s is cut short: its variables do not fit in it", path.c_str());
  mat_t* mat = Mat_Open(path.c_str(), MAT_ACC_RDONLY);
  if (!mat) grl_fail("load: unable to determine file format of '%s'", path.c_str());
  return mat;
}

enum class when_missing { warn, fail, keep_assigned };

void load_from(const Mt& file, var_list vars, when_missing missing) {
  const std::string path = load_path(file);
  mat_t* mat = open_for_load(path);
  for (Mt* x : vars) {
    const char* name = x->getname();
    matvar_t* v = Mat_VarRead(mat, name);
    if (!v) {
      if (missing == when_missing::fail) {
        // Tell a damaged file from one that lacks the variable.
        matvar_t* info = Mat_VarReadInfo(mat, name);
        Mat_VarFree(info);
        Mat_Close(mat);
        if (info) grl_fail("load: unable to read variable '%s' from %s", name, path.c_str());
        grl_fail("load: variable '%s' not found in %s", name, path.c_str());
      }
      // A variable the function had already given a value keeps it quietly.
      if (missing == when_missing::warn || x->isempty()) grl::warn("", "load: variable '%s' not found in %s", name, path.c_str());
      continue;
    }
    Mt value = from_matvar(v, path);
    Mat_VarFree(v);
    *x = value;
  }
  Mat_Close(mat);
}

}  // namespace

Mt mat_file_value(const Mt& file, const std::string& only) {
  const std::string path = load_path(file);
  mat_t* mat = open_for_load(path);
  std::vector<std::string> names;
  std::vector<Mt> values;
  // Read every variable before failing on one, so that the file is always closed.
  std::string bad;
  if (!only.empty()) {
    if (matvar_t* v = Mat_VarRead(mat, only.c_str())) {
      names.push_back(only);
      try { values.push_back(from_matvar(v, path)); } catch (...) { Mat_VarFree(v); Mat_Close(mat); throw; }
      Mat_VarFree(v);
    } else {
      bad = only;
    }
  } else {
    while (matvar_t* info = Mat_VarReadNextInfo(mat)) {
      const std::string name = info->name ? info->name : "";
      Mat_VarFree(info);
      matvar_t* v = Mat_VarRead(mat, name.c_str());
      if (!v) { bad = name; break; }
      names.push_back(name);
      try { values.push_back(from_matvar(v, path)); } catch (...) { Mat_VarFree(v); Mat_Close(mat); throw; }
      Mat_VarFree(v);
    }
  }
  Mat_Close(mat);
  if (!bad.empty() && !only.empty()) grl_fail("load: variable '%s' not found in %s", bad.c_str(), path.c_str());
  if (!bad.empty()) grl_fail("load: unable to read variable '%s' from %s", bad.c_str(), path.c_str());
  Mt s = make_struct(1, 1, names);
  for (std::size_t f = 0; f < values.size(); ++f) s.st_->v[f] = values[f];
  return s;
}

void load_vars(const Mt& file, var_list vars) { load_from(file, vars, when_missing::warn); }
void load_required(const Mt& file, var_list vars) { load_from(file, vars, when_missing::fail); }
void load_found(const Mt& file, var_list vars) { load_from(file, vars, when_missing::keep_assigned); }

void remove_saved(const Mt& file, const Mt& input) {
  const std::string out = save_path(file);
  std::string in = su::text(input);
  if (!is_file(in)) in += ".mat";
  struct stat a, b;
  if (stat(out.c_str(), &a) != 0) return;
  if (stat(in.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino) return;
  std::remove(out.c_str());
}

namespace {

matvar_t* make_var(const Mt& x, const char* name, mat_version ver);

// A structure array or a cell (version 5 files only): matio owns the values put in it.
matvar_t* make_compound(const Mt& x, const char* name, mat_version ver) {
  if (ver != MAT_V5) return nullptr;
  if (x.holds_cell()) {
    const M<Mt>& c = x.held_cell();
    size_t dims[2] = {c.rows(), c.cols()};
    matvar_t* v = Mat_VarCreate(name, MAT_C_CELL, MAT_T_CELL, 2, dims, nullptr, 0);
    for (std::size_t k = 0; v && k < c.numel(); ++k) {
      matvar_t* e = make_var(c.elem(k), "", ver);
      if (!e) { Mat_VarFree(v); return nullptr; }
      Mat_VarSetCell(v, int(k), e);
    }
    return v;
  }
  size_t dims[2] = {x.rows(), x.cols()};
  const std::vector<std::string> names = field_names(x);
  std::vector<const char*> fn;
  for (const std::string& s : names) fn.push_back(s.c_str());
  matvar_t* v = Mat_VarCreateStruct(name, 2, dims, fn.empty() ? nullptr : fn.data(), unsigned(fn.size()));
  const std::size_t nf = names.size();
  for (std::size_t e = 0; v && e < x.numel(); ++e)
    for (std::size_t f = 0; f < nf; ++f) {
      matvar_t* fv = make_var(x.st_->v[e * nf + f], names[f].c_str(), ver);
      if (!fv) { Mat_VarFree(v); return nullptr; }
      Mat_VarSetStructFieldByIndex(v, f, e, fv);
    }
  return v;
}

// A variable to write: a new matvar_t, nullptr when matio refuses it.
matvar_t* make_var(const Mt& x, const char* name, mat_version ver) {
  if (x.holds_struct() || x.holds_cell()) return make_compound(x, name, ver);
  const grl::sizes shape = x.shape();
  std::vector<size_t> dv(shape.begin(), shape.end());
  size_t* dims = dv.data();
  const int rank = int(dv.size());
  const std::size_t n = x.numel();
  // Elements are written as doubles (chars as 16-bit codes, logicals as bytes in version 5),
  // so a file saved by either library variant loads into both.
  std::vector<double> re(n), im(x.isc() ? n : 0);
  for (std::size_t k = 0; k < n; ++k) re[k] = double(x.cre()[k]);
  for (std::size_t k = 0; k < im.size(); ++k) im[k] = double(x.cim()[k]);
  matvar_t* v = nullptr;
  std::vector<mat_uint16_t> chars;
  std::vector<mat_uint8_t> bytes;
  std::vector<unsigned char> elements;
  if (w64::wide(x) && !x.isc() && ver == MAT_V5) {
    // int64 and uint64 are written bit for bit from their exact elements.
    const mclass c = x.num_class();
    const std::vector<std::uint64_t> w = w64::all_bits(x, c);
    elements.resize(n * 8);
    if (n) std::memcpy(elements.data(), w.data(), n * 8);
    v = Mat_VarCreate(name, c == mc_int64 ? MAT_C_INT64 : MAT_C_UINT64, c == mc_int64 ? MAT_T_INT64 : MAT_T_UINT64,
                      rank, dims, n ? elements.data() : nullptr, 0);
  } else if (x.cls_ && !x.isc() && ver == MAT_V5) {
    // An integer class or single keeps its class (version 4 files hold doubles only).
    v = class_var(name, x.num_class(), rank, dims, re, elements);
  } else if (x.ischar() && !x.isc() && ver == MAT_V5) {
    chars.resize(n);
    for (std::size_t k = 0; k < n; ++k) chars[k] = mat_uint16_t(re[k]);
    v = Mat_VarCreate(name, MAT_C_CHAR, MAT_T_UINT16, rank, dims, n ? chars.data() : nullptr, 0);
  } else if (x.ischar() && !x.isc()) {
    v = Mat_VarCreate(name, MAT_C_CHAR, MAT_T_DOUBLE, rank, dims, n ? re.data() : nullptr, 0);
  } else if (x.islogical() && !x.isc() && ver == MAT_V5) {
    bytes.resize(n);
    for (std::size_t k = 0; k < n; ++k) bytes[k] = re[k] != 0;
    v = Mat_VarCreate(name, MAT_C_UINT8, MAT_T_UINT8, rank, dims, n ? bytes.data() : nullptr, MAT_F_LOGICAL);
  } else if (x.isc()) {
    mat_complex_split_t z = {re.data(), im.data()};
    v = Mat_VarCreate(name, MAT_C_DOUBLE, MAT_T_DOUBLE, rank, dims, &z, MAT_F_COMPLEX);
  } else {
    v = Mat_VarCreate(name, MAT_C_DOUBLE, MAT_T_DOUBLE, rank, dims, n ? re.data() : nullptr, 0);
  }
  return v;
}

// One variable written to an open file; false when matio refuses it.
bool write_var(mat_t* mat, const Mt& x, const char* name, mat_version ver) {
  matvar_t* v = make_var(x, name, ver);
  if (!v) return false;
  const bool ok = Mat_VarWrite(mat, v, MAT_COMPRESSION_NONE) == 0;
  Mat_VarFree(v);
  return ok;
}

}  // namespace

void save_vars(const Mt& file, var_list vars, mat_version ver) {
  init_log();
  const std::string path = save_path(file);
  // matio appends to an existing version 5 file; save replaces it.
  std::remove(path.c_str());
  mat_t* mat = Mat_CreateVer(path.c_str(), nullptr, ver == MAT_V4 ? MAT_FT_MAT4 : MAT_FT_MAT5);
  if (!mat) grl_fail("save: unable to open output file '%s'", path.c_str());
  for (const Mt* x : vars) {
    if (!write_var(mat, *x, x->getname(), ver)) {
      Mat_Close(mat);
      grl_fail("save: unable to write variable '%s' to '%s'", x->getname(), path.c_str());
    }
  }
  Mat_Close(mat);
}

void save_vars(const Mt& file, const Mt& option, var_list vars) {
  const std::string opt = su::text(option);
  if (opt == "-v4") save_vars(file, vars, MAT_V4);
  else if (opt == "-v6" || opt == "-v7" || opt == "-mat" || opt == "-mat-binary" || opt == "-v5")
    save_vars(file, vars, MAT_V5);
  else if (opt == "-ascii") saveascii_vars(file, vars);
  else if (opt == "-append") grl_fail("save: -append not supported");
  else grl_fail("save: Unrecognized option '%s'", opt.c_str());
}

}  // namespace grl
