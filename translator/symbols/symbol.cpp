// Module SYMBOL: the symbol table, its structure writer and its bulk transfer.
#include "symbols/symbol.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

#include "driver/diag.h"

#define SYMBOL "SYMBOL"

std::set<std::string>& taken_by_library() {
  static std::set<std::string> names;
  return names;
}

namespace {

// M names that C++ cannot take as variable names: its keywords and the run-time
// library's own type names. A variable of such a name gets the trailing underscore
// that a variable named like a library function gets.
bool cpp_taken(std::string_view name) {
  static const char* const taken[] = {
      "M", "Mr", "Mx", "Cx", "br_t", "grl", "std", "main", "m_type", "i_o_t", "nop_t",
      "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool",
      "catch", "char", "char16_t", "char32_t", "class", "compl", "const", "const_cast",
      "constexpr", "decltype", "default", "delete", "do", "double", "dynamic_cast", "enum",
      "explicit", "export", "extern", "float", "friend", "goto", "inline", "int", "long",
      "mutable", "namespace", "new", "noexcept", "not", "not_eq", "nullptr", "operator",
      "or", "or_eq", "private", "protected", "public", "register", "reinterpret_cast",
      "short", "signed", "sizeof", "static", "static_assert", "static_cast", "struct",
      "template", "this", "thread_local", "throw", "try", "typedef", "typeid", "typename",
      "union", "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "xor",
      "xor_eq"};
  for (const char* t : taken)
    if (name == t) return true;
  return taken_by_library().count(std::string(name)) > 0;
}

// A member name that is a C++ word gets a trailing underscore in C++.
std::string member_spelling(const std::string& name) { return cpp_taken(name) ? name + "_" : name; }

// Reads one line of at most `limit` characters; the newline (and a carriage return
// before it) is consumed and dropped, the rest of a longer line is left for the next
// read. False at end of file when nothing was read.
bool read_line(std::istream& in, std::size_t limit, std::string& line) {
  line.clear();
  bool got = false;
  int c = 0;
  while (line.size() < limit && (c = in.get()) != std::char_traits<char>::eof()) {
    got = true;
    if (c == '\n') break;
    line.push_back(static_cast<char>(c));
  }
  if (!line.empty() && line.back() == '\r' && c == '\n') line.pop_back();
  return got;
}

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Reads one decimal int at p (after white space), as "%d" does; out-of-range values
// are clamped. False when there is no number.
bool scan_int(const char*& p, int& value) {
  while (is_space(*p)) ++p;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(p, &end, 10);
  if (end == p) return false;
  p = end;
  value = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
  return true;
}

}  // namespace

std::string cpp_member_path(std::string_view dotted) {
  std::string out;
  std::size_t start = 0;
  for (bool root = true;; root = false) {
    const std::size_t dot = dotted.find('.', start);
    const std::string part(dotted.substr(start, dot == std::string_view::npos ? dotted.npos : dot - start));
    out += root ? part : "." + member_spelling(part);
    if (dot == std::string_view::npos) return out;
    start = dot + 1;
  }
}

// --- Information record -------------------------------------------------------------

bool symbol_info::operator==(const symbol_info& o) const {
  for (int i = 0; i < INFO_WORDS; ++i)
    if (w[i] != o.w[i]) return false;
  return true;
}

symbol_info symbol_info::typed(int type_code) {
  symbol_info r;
  r.w[INFO_TYPE] = type_code;
  return r;
}

// --- Adding and finding -------------------------------------------------------------

int symbol_type::append(std::string_view name, int kind, const symbol_info& info) {
  const int index = last_entry_ + 1;
  if (index == capacity_) {
    capacity_ += kGrowth;
    const std::size_t slots = static_cast<std::size_t>(capacity_) + 1;
    text_.reserve(slots);
    type_.reserve(slots);
    info_.reserve(slots);
    srtd_.reserve(slots);
  }
  const int position = search(name);
  text_.emplace_back(name);
  type_.push_back(kind);
  info_.push_back(info);
  srtd_.insert(srtd_.begin() + position, index);
  last_entry_ = index;
  return index;
}

int symbol_type::add(std::string_view name, int kind, const symbol_info& info, int force) {
  // A copy: name may point into this table, which the add below can move.
  const std::string var_name_copy(name);
  const char* var_name = var_name_copy.c_str();
  KASSERT(SYMBOL, *var_name!='\0');
  KASSERT(SYMBOL, *var_name!='\n');
  KASSERT(SYMBOL, *var_name!='\xff');

  if (!force) {
    int mask = kind;
    if (mask & SYM_VARIABLES) mask |= SYM_VARIABLES;
    if (mask & SYM_FUNCTIONS) mask |= SYM_FUNCTIONS;
    const int found = find(var_name_copy, mask);
    if (found >= 0) return found;
  }
  const int index = append(var_name_copy, kind, info);

  // A field s.a.b makes its structure s.a (and so s) known, typed as a structure.
  // Replacement pairs are text, not fields: "3.14" must not make a structure "3"
  // (a second copy of it would make every later pair with "3." ambiguous).
  const std::size_t dot = var_name_copy.rfind('.');
  const bool is_text = kind & (SYM_REPLACE | SYM_REPLACEMENT);
  if (dot != std::string::npos && dot > 0 && !is_text) {
    const int structure = datatypes().struct_index();
    const int prefix = add_typed(std::string_view(var_name_copy).substr(0, dot), kind, structure, 0);
    info_[prefix][INFO_TYPE] = structure;
  }
  return index;
}

int symbol_type::add_typed(std::string_view name, int kind, int type_code, int force) {
  return add(name, kind, symbol_info::typed(type_code), force);
}

int symbol_type::search(std::string_view key) const {
  int lo = 0;
  int n = last_entry_ + 1;
  int probe = 0;
  int cmp = 0;
  while (n > 0) {
    probe = lo + n / 2;
    const int e = srtd_[probe];
    if (e < 0 || e > last_entry_) diag::error("symbol:crazy probe");
    cmp = key.compare(text_[e]);
    if (cmp < 0) {
      n = n / 2;
    } else if (cmp == 0) {
      break;
    } else {
      lo = probe + 1;
      n = n - n / 2 - 1;
    }
  }
  return cmp > 0 ? probe + 1 : probe;
}

int symbol_type::find_first(std::string_view name) const {
  if (last_entry_ < 0) return -1;
  int p = search(name);
  if (p > last_entry_ || text_[srtd_[p]] != name) return -1;
  while (p > 0 && text_[srtd_[p - 1]] == name) --p;
  return p;
}

void symbol_type::lookup(std::string_view name, int n, const int masks[], int results[]) const {
  for (int j = 0; j < n; ++j) results[j] = -1;
  if (name.empty() || name[0] == '\n') return;
  int p = find_first(name);
  if (p < 0) return;
  for (; p <= last_entry_ && text_[srtd_[p]] == name; ++p) {
    const int e = srtd_[p];
    for (int j = 0; j < n; ++j) {
      if (!(masks[j] & type_[e])) continue;
      if (results[j] == -1)
        results[j] = e;
      else if (masks[j] != SYM_ANY)
        diag::error("symbol_type: internal consistency error for %s", std::string(name).c_str());
    }
  }
}

int symbol_type::find(std::string_view name, int mask) const {
  int result = -1;
  lookup(name, 1, &mask, &result);
  return result;
}

int symbol_type::next(int mask, int& position) const {
  for (int i = position < 0 ? 0 : position + 1; i <= last_entry_; ++i) {
    if (type_[i] & mask) return position = i;
  }
  return position = -1;
}

// --- Accessors ----------------------------------------------------------------------

void symbol_type::check_index(int i) const {
  if (i < 0 || i > last_entry_) diag::error("symbol_type: index out of range");
}

const std::string& symbol_type::text_of(int i) const {
  check_index(i);
  return text_[i];
}

symbol_info& symbol_type::info_of(int i) {
  check_index(i);
  return info_[i];
}

const symbol_info& symbol_type::info_of(int i) const {
  check_index(i);
  return info_[i];
}

int& symbol_type::type_of(int i) {
  // Callers that found nothing (-1) may read and write a scratch word.
  static int scratch = 0;
  if (i == -1) return scratch;
  check_index(i);
  return type_[i];
}

int symbol_type::type_of(int i) const { return const_cast<symbol_type*>(this)->type_of(i); }

int symbol_type::sorted(int position) const {
  check_index(position);
  return srtd_[position];
}

// --- Generated text -----------------------------------------------------------------

std::string cpp_function_name(const std::string& name) { return cpp_taken(name) ? name + "_" : name; }

const char* symbol_type::decoration(std::string_view name, int is_declaration) const {
  const int masks[3] = {SYM_FUNCTIONS, SYM_RESERVED_FUNCTION, SYM_VARIABLES};
  int r[3];
  lookup(name, 3, masks, r);
  const bool function = r[0] >= 0 || r[1] >= 0;
  const bool variable = r[2] >= 0;
  if (function && !variable) {
    if (cpp_taken(name)) return is_declaration ? "_" : "_()";
    return is_declaration ? "" : "()";
  }
  if (variable && (r[1] >= 0 || cpp_taken(name))) return "_";
  return "";
}

void symbol_type::display(std::ostream& out, std::string_view name) const {
  // An input argument is a copy that carries no name, so its display gives it one.
  if (find(name, SYM_INPUT) >= 0 && find(name, SYM_OUTPUT | SYM_GLOBAL) < 0) {
    out << "gridlibout<<grl::named(" << name << decoration(name, 0) << ",\"" << name << "\");";
    return;
  }
  out << "gridlibout<<" << name << decoration(name, 0) << ";";
}

// --- print_name ---------------------------------------------------------------------

namespace {

// The list separator: nothing for the first item of a list, ", " for the others.
const char* separator(int& first) {
  if (first) {
    first = 0;
    return "";
  }
  return ", ";
}

bool wants_empty_suffix(print_format format) {
  return format == PN_DEFINITION || format == PN_RECORD || format == PN_INCLUDE ||
         format == PN_RETURN || format == PN_EXTERN || format == PN_FEVAL_CASE;
}

// One entry as print_name sees it: its M name, its C++ name, its output name and type.
struct entry_view {
  const symbol_type& table;
  int entry;
  const std::string& n;   // the M name
  std::string q;          // the C++ name (decorated when it is also a library function)
  std::string o;          // the output reference's name
  const symbol_info& w;
  bool structure;

  entry_view(const symbol_type& t, int e)
      : table(t), entry(e), n(t.text_of(e)), q(n + t.decoration(n, 1)), o(n + "__o"),
        w(t.info_of(e)), structure(datatypes().struct_index() >= 0 &&
                                   w[INFO_TYPE] == datatypes().struct_index()) {}
  // A structure is a value of the library's matrix type, which holds it.
  int value_code() const { return structure ? datatypes().default_type() : w[INFO_TYPE]; }
  // The name the program wrote: a variable named like a library function the table
  // replaces (keys becomes keys_M) shows as keys.
  std::string shown() const {
    const int r = table.find(n, SYM_REPLACEMENT);
    if (r > 0 && (table.type_of(r - 1) & SYM_REPLACE)) return table.text_of(r - 1);
    return n;
  }
  std::string type_text() const { return datatypes().value_type(value_code()); }
};

// Definition (and, with extern, declaration) of a variable. The matrix keeps the M
// name for display: a variable renamed i_ because i is a library function still
// prints as "i = ...".
void print_definition(const entry_view& v, std::ostream& out, std::string_view prefix,
                      bool is_extern) {
  if (is_extern) out << "extern ";
  out << v.type_text() << " " << prefix << v.q;
  if (!is_extern && !(v.value_code() & DT_SCALAR)) out << "(\"" << v.shown() << "\",0,0)";
  out << "; ";
}

// A reference parameter; a structure output is a reference to its structure type.
void print_ref_param(const entry_view& v, std::ostream& out, int& first, std::string_view prefix,
                     std::string_view suffix) {
  out << separator(first);
  out << datatypes().ref_type(v.value_code()) << " ";
  out << prefix << v.o << suffix;
}

// A record names each entry by its M name: a script's variable e reaches its caller
// as e (the caller spells it e_ as it would its own variable of that name).
void print_record(const entry_view& v, std::ostream& out) {
  out << v.n << " " << datatypes().name(v.w[INFO_TYPE]);
  for (int i = 1; i < INFO_WORDS; ++i) out << " " << v.w[i];
  out << "\n";
}

void print_local_out(const entry_view& v, std::ostream& out) {
  out << v.type_text() << " " << v.o << "(\"" << v.shown() << "\",0,0); ";
}

void print_whos(const entry_view& v, std::ostream& out) {
  const std::string& q = v.q;
  if (v.structure) {
    std::string padded = q;
    if (padded.size() < 20) padded.resize(20, ' ');
    out << "cout<<\"" << padded << "                          Structure." << "\"<<endl;\n";
  } else {
    out << "whos_line(" << q << ".getname()," << q << ".isc()," << q << ".rows()," << q
        << ".cols(),\"" << datatypes().name(v.w[INFO_TYPE]) << "\");\n";
  }
}

// A case of the feval dispatcher; -1 inputs is any number. A function without inputs
// refuses any it is given.
void print_feval_case(const entry_view& v, std::ostream& out) {
  if (v.w[INFO_TYPE] != datatypes().function_index()) return;
  out << "  case '" << v.n << "'\n    ";
  if (v.w[INFO_NIN] == 0) {
    const std::size_t local = v.n.rfind("__");
    const std::string shown = local == std::string::npos ? v.n : v.n.substr(local + 2);
    out << "if ~isempty(varargin), error('" << shown << ": function called with too many inputs'); end\n    ";
  }
  if (v.w[INFO_NOUT] < 2) {
    out << "y1";
  } else {
    out << "[";
    for (int i = 1; i <= v.w[INFO_NOUT]; ++i) out << (i > 1 ? "," : "") << "y" << i;
    out << "]";
  }
  out << "=" << v.n << (v.w[INFO_NIN] == 0 ? "();\n" : "(varargin{:});\n");
}

void print_count_case(const entry_view& v, std::ostream& out, int count) {
  if (v.w[INFO_TYPE] != datatypes().function_index()) return;
  out << "  case '" << v.n << "'\n    y=" << count << ";\n";
}

}  // namespace

void print_name(const symbol_type& table, std::ostream& out, int& first,
                std::string_view prefix, std::string_view suffix, int entry, print_format format,
                int position) {
  if (wants_empty_suffix(format) && !suffix.empty())
    diag::assert_failed("suffix==none", SYMBOL, __LINE__);
  const entry_view v(table, entry);
  switch (format) {
    case PN_DEFINITION: print_definition(v, out, prefix, false); return;
    case PN_EXTERN: print_definition(v, out, prefix, true); return;
    case PN_RESULT_TYPE: out << v.type_text(); return;
    case PN_PLAIN: out << prefix << v.q << suffix; return;
    case PN_VALUE_PARAM:
      out << separator(first) << v.type_text() << " " << prefix << v.q << suffix;
      return;
    case PN_REF_PARAM: print_ref_param(v, out, first, prefix, suffix); return;
    case PN_COPY_OUT: out << v.o << "=" << prefix << v.q << suffix << "; "; return;
    case PN_RECORD: print_record(v, out); return;
    case PN_NAMES: out << separator(first) << prefix << v.q << suffix; return;
    case PN_OUT_NAMES: out << separator(first) << prefix << v.o << suffix; return;
    case PN_LOCAL_OUT: print_local_out(v, out); return;
    case PN_WHOS: print_whos(v, out); return;
    case PN_INCLUDE: out << "#include \"" << prefix << v.n << ".h\"\n"; return;
    case PN_RETURN: out << "return(" << prefix << v.q << ");\n"; return;
    case PN_STRUCT_DECL:   // structures are values: no type to declare
      return;
    case PN_FEVAL_CASE: print_feval_case(v, out); return;
    // (varargin or varargout last: minus the count, as the M functions give it.)
    case PN_NARGIN_CASE: print_count_case(v, out, v.w[INFO_VARARGIN] ? -v.w[INFO_NIN] : v.w[INFO_NIN]); return;
    case PN_NARGOUT_CASE: print_count_case(v, out, v.w[INFO_VARARGOUT] ? -v.w[INFO_NOUT] : v.w[INFO_NOUT]); return;
    case PN_CONVERT_IN:
      out << prefix << "(" << suffix << "[" << position - 1 << "]," << v.q << ");\n";
      return;
    case PN_CONVERT_OUT:
      out << prefix << "(" << v.q << "," << suffix << "[" << position - 1 << "]);\n";
      return;
  }
  diag::error("print_name: unknown format");
}

int symbol_type::print_all(const symbol_type& table, std::ostream& out, int& first,
                           std::string_view prefix, std::string_view suffix, int mask,
                           print_format format, int limit, int fill) {
  int taken = 0;
  for (int i = 0; i <= table.last(); ++i) {
    if (!(table.type_[i] & mask)) continue;
    if (format != PN_RECORD && table.text_[i].find('.') != std::string::npos) continue;
    ++taken;
    if (limit == -1 || taken <= limit)
      print_name(table, out, first, prefix, suffix, i, format, taken);
    else if (fill)
      out << prefix << separator(first) << datatypes().junk_type(table.info_[i][INFO_TYPE])
          << suffix;
  }
  return taken;
}

std::string symbol_type::listing(int mask, print_format format, std::string_view prefix,
                                 std::string_view suffix, int limit, int fill) const {
  std::ostringstream out;
  int first = 1;
  print_all(*this, out, first, prefix, suffix, mask, format, limit, fill);
  return out.str();
}

// --- Bulk transfer ------------------------------------------------------------------

void symbol_type::merge(const symbol_type& source, int mode) {
  // Entries that this merge appends (also when source is this table) are not merged.
  const int count = source.last();
  for (int i = 0; i <= count; ++i) {
    const std::string name = source.text_[i];
    const int b = source.type_[i];
    const symbol_info info = source.info_[i];
    if (mode == 0) {
      add(name, b, info, 0);
    } else if (mode == 1) {
      if (b & (SYM_LOCAL | SYM_DECLARED | SYM_INPUT | SYM_OUTPUT | SYM_RETURN)) {
        add(name, SYM_DECLARED, info, 0);
      } else if (b & SYM_GLOBALS) {
        add(name, SYM_EXTERN_GLOBAL, info, 0);
      } else if (b & SYM_FUNCTIONS) {
        const int e = add(name, b, info, 0);
        if (info[INFO_TYPE] != datatypes().unknown_index()) info_[e] = info;
      }
    } else if (mode == 2) {
      if (b & (SYM_RESERVED_VAR | SYM_RESERVED_FUNCTION | SYM_REPLACE | SYM_REPLACEMENT))
        add(name, b, info, 1);
      else if (b & SYM_FUNCTIONS)
        add(name, SYM_KNOWN_FUNCTION, info, 1);
    }
  }
}

bool symbol_type::read_section(std::istream& in, std::string_view header, int kind, int force) {
  std::string line;
  if (!read_line(in, kLineLimit, line)) return false;
  if (line.compare(0, header.size(), header) != 0) return false;

  const bool alternating = kind == SYM_REPLACE;
  for (;;) {
    const int c = in.peek();
    if (c == std::char_traits<char>::eof() || c == '[') return true;
    read_line(in, kLineLimit, line);

    const char* p = line.c_str();
    while (*p && !is_space(*p)) ++p;
    const std::string name(line.c_str(), p);
    const char* in_rest = p;
    while (is_space(*in_rest)) ++in_rest;
    {
      const char* in = in_rest;
      KASSERT(SYMBOL, *in!='\0');
    }

    // "type w1 ... w7"; a short record is the fresh one with the type read.
    const char* q = in_rest;
    while (*q && !is_space(*q)) ++q;
    const std::string type_name(in_rest, q);
    symbol_info info;
    int fields = 1;
    for (int i = 1; i < INFO_WORDS && scan_int(q, info.w[i]); ++i) ++fields;
    if (fields < INFO_WORDS) info = symbol_info::fresh();
    info[INFO_TYPE] = datatypes().find(type_name);

    const int e = add(name, kind, info, force);
    info_[e] = info;
    if (alternating) kind = kind == SYM_REPLACE ? SYM_REPLACEMENT : SYM_REPLACE;
  }
}

void symbol_type::read_variables(const std::string& path) {
  std::ifstream in(path);
  if (!in) diag::error("could not open %s for read", path.c_str());
  std::string name;
  int kind = 0;
  int type = 0;
  while (in >> name >> kind >> type) add_typed(name, kind, type, 0);
}

void symbol_type::write_variables(const std::string& path, int mask) const {
  std::ofstream out(path, std::ios::trunc);
  if (!out) diag::error("could not open %s for write", path.c_str());
  for (int i = 0; i <= last_entry_; ++i)
    if (type_[i] & mask) out << text_[i] << " " << type_[i] << " " << info_[i][INFO_TYPE] << "\n";
}
