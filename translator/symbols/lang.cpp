#include "symbols/lang.h"

#include <cctype>
#include <cstring>

#include "driver/diag.h"

namespace lang {
namespace {

struct language_t {
  int code;
  const char* ext;
  const char* comment_start;
  const char* comment_end;
  const char* real_type;
  const char* int_type;
  const char* matrix_type;
  // Parameter items: prefix + name + postfix, '$' standing for the type name.
  const char* in_prefix;
  const char* in_postfix;
  const char* out_prefix;
  const char* out_postfix;
  const char* separator;
};

const language_t kLanguages[lang_writer::kSlots] = {
    {17, "bas", "'", "", "Double", "Long", "Long", "ByVal ", " As $", "ByRef ", " As $", ", "},
    {18, "pas", "{", "}", "Double", "LongInt", "LongInt", "", ": $", "var ", " : $", "; "},
    {20, "c", "//", "", "m_type", "int", "void*", "$ ", "", "$* ", "", ", "},
    {21, "pb", "//", "", "double", "long", "long", "$ ", "", "ref $ ", "", ", "},
    {22, "ads", "--", "", "Long_Float", "Integer", "Integer", "", ": in $", "", " : in out $", "; "},
};

enum slot_t { kVB, kDelphi, kC, kPB, kOA };

const char* type_name(int slot, char kind) {
  if (slot < 0 || slot >= lang_writer::kSlots) return "NODT ";
  switch (kind) {
    case 'd': return kLanguages[slot].real_type;
    case 'i': return kLanguages[slot].int_type;
    case 'm': return kLanguages[slot].matrix_type;
    default: return "NODT ";
  }
}

bool is_ident(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// True when word begins with the type word w and does not go on as a longer
// identifier: "int" and "int*" are the type, a parameter named "interval" is not.
bool begins_with_type(const std::string& word, const char* w) {
  const std::size_t n = std::strlen(w);
  return word.compare(0, n, w) == 0 && (word.size() == n || !is_ident(word[n]));
}

std::string with_type(const char* pattern, const char* type) {
  std::string out;
  for (const char* p = pattern; *p; ++p) {
    if (*p == '$')
      out += type;
    else
      out.push_back(*p);
  }
  return out;
}

// Appends the items of one parameter group (kinds and '$'-terminated names) to list.
void add_items(std::string& list, int& count, int slot, const std::string& kinds, const std::string& names,
               bool output) {
  const language_t& L = kLanguages[slot];
  std::size_t pos = 0;
  for (char k : kinds) {
    const std::size_t end = names.find('$', pos);
    if (end == std::string::npos) break;  // the names ran out
    const std::string name = names.substr(pos, end - pos);
    pos = end + 1;
    const char* type = type_name(slot, k);
    if (count++ > 0) list += L.separator;
    list += with_type(output ? L.out_prefix : L.in_prefix, type);
    list += name;
    list += with_type(output ? L.out_postfix : L.in_postfix, type);
  }
}

std::string left8(const std::string& s) { return s.size() >= 8 ? s : s + std::string(8 - s.size(), ' '); }

}  // namespace

int slot_of(int code) {
  for (int i = 0; i < lang_writer::kSlots; ++i)
    if (kLanguages[i].code == code) return i;
  return -1;
}

char kind_of(const std::string& word) {
  if (begins_with_type(word, "int")) return 'i';
  if (begins_with_type(word, "double") || begins_with_type(word, "m_type")) return 'd';
  if (word.size() >= 2 && word[0] == 'M' && (word[1] == '<' || (word.size() >= 3 && word[2] == '<')))
    return 'm';
  if (word == "constM") return 'm';
  return '?';
}

bool parse(const std::string& full, bool wrapped, prototype_t& out) {
  const std::string line = full.substr(0, 255);
  if (line.size() <= 9 || line.compare(line.size() - 2, 2, ");") != 0) return false;
  for (const char* bad : {"operator ", "ostream&", "char* ", "char *", "< M", "constMM"})
    if (line.find(bad) != std::string::npos) return false;
  const std::size_t open = line.find('(');
  if (open == std::string::npos) return false;

  out = prototype_t();
  std::size_t start = open;
  while (start > 0 && is_ident(line[start - 1])) --start;
  out.name = line.substr(start, open - start);
  std::size_t first_end = 0;
  while (first_end < line.size() && line[first_end] != ' ' && line[first_end] != '(') ++first_end;
  out.ret = kind_of(line.substr(0, first_end));
  out.procedure = out.ret == '?' || wrapped;

  bool outputs = false, met_separator = false;
  const char* p = line.c_str() + open + 1;
  for (;;) {
    while (*p == ' ' || *p == ',') ++p;
    if (*p == ')' || *p == '\0') break;
    const char* p2 = p;
    while (*p2 != '\0' && *p2 != ' ' && *p2 != ',' && *p2 != ')') ++p2;
    KASSERT("LANG", *p2!='\0');
    const std::string word(p, p2);
    p = p2;
    if (word == "i_o_t") {
      outputs = met_separator = true;
      continue;
    }
    const char k = kind_of(word);
    if (k != '?')
      (outputs ? out.out_kinds : out.in_kinds).push_back(k);
    else
      (outputs ? out.out_names : out.in_names) += word + "$";
  }
  if (!out.procedure || (wrapped && !met_separator)) {
    out.out_names += "retvar$";
    out.out_kinds.push_back(out.ret);
  }
  return true;
}

std::string declaration(int slot, const prototype_t& p, const std::string& dll, int compiler,
                        bool wrapped_name) {
  const int n_in = static_cast<int>(p.in_kinds.size());
  const int n_out = static_cast<int>(p.out_kinds.size());
  if (slot == kOA && n_in + n_out > 9) return std::string();

  const std::string N = wrapped_name ? diag::format("%s_%d_%d", p.name.c_str(), n_in, n_out) : p.name;
  std::string A = N;
  if (compiler == 3 || compiler == 4)
    A = diag::format("_%s@%d", N.c_str(), 4 * (n_in + (p.procedure ? n_out : 0)));

  std::string params;
  int count = 0;
  add_items(params, count, slot, p.in_kinds, p.in_names, false);
  if (p.procedure) add_items(params, count, slot, p.out_kinds, p.out_names, true);
  const std::string R = type_name(slot, p.ret);
  const std::string paren = count > 0 ? "(" + params + ")" : std::string();

  switch (slot) {
    case kVB:
      return (p.procedure ? "Declare Sub      " : "Declare Function ") + N + " Lib \"" + dll + "\" Alias \"" +
             A + "\" (" + params + ")" + (p.procedure ? std::string() : " As " + R);
    case kDelphi:
      return (p.procedure ? "procedure " : "function  ") + N + paren + (p.procedure ? "" : ": " + R) +
             "; stdcall; external '" + dll + "' name '" + A + "';";
    case kC:
      return left8(p.procedure ? "void" : R) + " _stdcall " + N + "(" + params + ");";
    case kPB:
      return (p.procedure ? "subroutine      " + N : "function " + R + " " + N) + paren + " library \"" + dll +
             "\";";
    case kOA:
      return (p.procedure ? "procedure " : "function ") + N + paren + (p.procedure ? "" : " return " + R) +
             ";\npragma Import (DLL_Stdcall, " + N + ", \"" + N + "\");";
  }
  return std::string();
}

}  // namespace lang

lang_writer::~lang_writer() { close(); }

void lang_writer::open(const std::string& base, int compiler) {
  close();
  base_ = base;
  compiler_ = compiler;
  for (int i = 0; i < kSlots; ++i) names_[i] = diag::format("%s.%s", base.c_str(), lang::kLanguages[i].ext);
  opened_ = true;
}

void lang_writer::create(int slot) {
  if (files_[slot]) return;
  files_[slot] = std::fopen(names_[slot].c_str(), "w");
  if (!files_[slot]) diag::error("could not open %s for write", names_[slot].c_str());
}

void lang_writer::select(int kind) {
  if (kind == 16) {
    for (int i = 0; i < kSlots; ++i) create(i);
    return;
  }
  const int slot = lang::slot_of(kind);
  if (slot < 0) diag::error("unknown target");
  create(slot);
}

void lang_writer::comment(const std::string& text) {
  for (int i = 0; i < kSlots; ++i) {
    if (!files_[i]) continue;
    std::fprintf(files_[i], "%s%s%s\n", lang::kLanguages[i].comment_start, text.c_str(),
                 lang::kLanguages[i].comment_end);
  }
}

void lang_writer::text(const std::string& text) {
  for (std::FILE* f : files_)
    if (f) std::fputs(text.c_str(), f);
}

void lang_writer::text_for(const std::string& text, int code) {
  const int slot = lang::slot_of(code);
  if (slot < 0) diag::error("unknown target");
  if (files_[slot]) std::fputs(text.c_str(), files_[slot]);
}

bool lang_writer::declare(const std::string& dll, const std::string& prototype, bool wrapped,
                          bool wrapped_name) {
  lang::prototype_t p;
  const bool parsed = lang::parse(prototype, wrapped, p);
  bool accepted = parsed;
  for (int i = 0; i < kSlots; ++i) {
    if (!files_[i]) continue;
    accepted = false;
    if (!parsed) continue;
    const std::string d = lang::declaration(i, p, dll, compiler_, wrapped_name);
    if (d.empty()) continue;
    std::fprintf(files_[i], "%s\n", d.c_str());
    accepted = true;
  }
  return accepted;
}

void lang_writer::close() {
  if (!opened_) return;
  for (int i = 0; i < kSlots; ++i) {
    KASSERT("LANG", !names_[i].empty());
    if (files_[i]) std::fclose(files_[i]);
    files_[i] = nullptr;
  }
  opened_ = false;
}
