// Files and directories by name: fullfile, fileparts, tempdir, tempname, isfile,
// isfolder, mkdir, rmdir and fileread.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gridlib.h"
#include "strutil.h"

using grl::Mt;
using grl::Mc;
namespace su = grl::su;

namespace {

// A name argument: a char row (or '').
std::string path_arg(const char* who, const Mt& x, const char* what) {
  if (!x.ischar() && !x.isempty()) grl_fail("%s: %s must be a string", who, what);
  if (x.rows() > 1) grl_fail("%s: %s must be a string", who, what);
  return su::text(x);
}

// Joins the parts with '/': empty parts are left out, and the separators where two
// parts meet become one.
std::string join_parts(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) {
    if (p.empty()) continue;
    if (out.empty()) { out = p; continue; }
    if (out.back() != '/') out += '/';
    std::size_t k = 0;
    while (k < p.size() && p[k] == '/') ++k;
    out += p.substr(k);
  }
  // Runs of separators inside the result become one.
  std::string r;
  for (char c : out)
    if (!(c == '/' && !r.empty() && r.back() == '/')) r += c;
  return r;
}

bool is_kind(const std::string& name, bool dir) {
  struct stat st;
  if (name.empty() || stat(name.c_str(), &st) != 0) return false;
  return dir ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode) || !S_ISDIR(st.st_mode);
}

Mt kinds_of(const char* who, const Mc& names, bool dir);

Mt kind_of(const char* who, const Mt& name, bool dir) {
  if (name.holds_cell()) return kinds_of(who, name.held_cell(), dir);
  if (!name.ischar() && !name.isempty()) grl_fail("%s: F must be a string or cell array of strings", who);
  return su::boolean(is_kind(su::text(name), dir));
}

Mt kinds_of(const char* who, const Mc& names, bool dir) {
  Mt o = Mt::zeros(names.rows(), names.cols());
  m_type* p = o.numel() ? o.pr() : nullptr;
  for (std::size_t k = 0; k < names.numel(); ++k) {
    const Mt& e = names.elem(k);
    if (!e.ischar() && !e.isempty()) grl_fail("%s: F must be a string or cell array of strings", who);
    p[k] = is_kind(su::text(e), dir) ? 1 : 0;
  }
  o.set_flags(grl::F_LOGICAL);
  return o;
}

struct outcome {
  bool ok;
  std::string msg, id;
};

// Makes dir and any missing parent: true when it exists afterwards.
bool make_path(const std::string& dir, std::string& err) {
  std::string sofar;
  std::size_t k = 0;
  while (k <= dir.size()) {
    std::size_t next = dir.find('/', k);
    if (next == std::string::npos) next = dir.size();
    sofar = dir.substr(0, next);
    if (!sofar.empty() && ::mkdir(sofar.c_str(), 0777) != 0 && errno != EEXIST) {
      err = std::strerror(errno);
      return false;
    }
    k = next + 1;
  }
  if (!is_kind(dir, true)) { err = std::strerror(ENOTDIR); return false; }
  return true;
}

outcome make_dir(const std::string& dir) {
  if (dir.empty()) return {false, "invalid directory name", "mkdir"};
  if (is_kind(dir, true)) return {true, "directory exists", "mkdir"};
  std::string err;
  if (!make_path(dir, err)) return {false, err, "mkdir"};
  return {true, "", ""};
}

// Removes a directory and everything in it; false with errno set at the first failure.
bool remove_tree(const std::string& dir) {
  DIR* d = opendir(dir.c_str());
  if (!d) return false;
  bool ok = true;
  while (struct dirent* e = readdir(d)) {
    const std::string n = e->d_name;
    if (n == "." || n == "..") continue;
    const std::string p = dir + "/" + n;
    struct stat st;
    if (lstat(p.c_str(), &st) != 0) { ok = false; break; }
    if (S_ISDIR(st.st_mode) ? !remove_tree(p) : ::unlink(p.c_str()) != 0) { ok = false; break; }
  }
  const int saved = errno;
  closedir(d);
  if (!ok) { errno = saved; return false; }
  return ::rmdir(dir.c_str()) == 0;
}

outcome remove_dir(const std::string& dir, const Mt& s) {
  bool recursive = false;
  if (!s.isempty() || s.ischar()) {
    if (!s.ischar() || su::text(s) != "s") grl_fail("rmdir: second argument must be \"s\" for recursive removal");
    recursive = true;
  }
  const bool ok = recursive ? remove_tree(dir) : ::rmdir(dir.c_str()) == 0;
  if (ok) return {true, "", ""};
  std::string m = std::strerror(errno);
  return {false, m, "rmdir"};
}

void put_outcome(const outcome& r, Mr<m_type> status, Mr<m_type> msg, Mr<m_type> msgid) {
  status = su::boolean(r.ok);
  msg = su::str(r.msg);
  msgid = su::str(r.id);
}

// A call without outputs: a failure is an error.
Mt status_only(const char* who, const outcome& r) {
  if (!r.ok) grl_fail("%s: operation failed: %s", who, r.msg.c_str());
  return su::boolean(true);
}

}  // namespace

// --- names -----------------------------------------------------------------------------

Mt grl::fullfile_v(const std::vector<Mt>& parts) {
  std::vector<std::string> s;
  for (const Mt& p : parts) {
    if (!p.ischar() && !p.isempty()) grl_fail("fullfile: input must either be strings or cell strings");
    s.push_back(su::text(p));
  }
  return su::str(join_parts(s));
}

Mc grl::fullfile_piece(const Mt& s) {
  Mc c = Mc::alloc(1, 1);
  c.welem(0) = s;
  return c;
}

// fullfile with cells: the cells (all of one size, or 1 x 1) give one path each.
Mc grl::fullfile_c(const std::vector<Mc>& parts) {
  std::size_t r = 1, c = 1;
  bool sized = false;
  for (const Mc& p : parts)
    if (p.numel() != 1) {
      if (sized && (p.rows() != r || p.cols() != c)) grl_fail("fullfile: input must either be strings or cell strings");
      r = p.rows(); c = p.cols(); sized = true;
    }
  Mc o = Mc::alloc(r, c);
  for (std::size_t k = 0; k < r * c; ++k) {
    std::vector<std::string> s;
    for (const Mc& p : parts) {
      const Mt& e = p.elem(p.numel() == 1 ? 0 : k);
      if (!e.ischar() && !e.isempty()) grl_fail("fullfile: input must either be strings or cell strings");
      s.push_back(su::text(e));
    }
    o.welem(k) = su::str(join_parts(s));
  }
  return o;
}

Mt fileparts(const Mt& file) {
  Mt d;
  fileparts(file, i_o, d, junkM, junkM);
  return d;
}

void fileparts(const Mt& file, i_o_t, Mr<m_type> dir, Mr<m_type> name, Mr<m_type> ext) {
  if (!(file.ischar() && file.rows() <= 1) && !(file.isempty() && !file.isc()))
    grl_fail("fileparts: FILENAME must be a single string");
  const std::string f = su::text(file);
  const std::size_t slash = f.find_last_of('/');
  std::string d, rest = f;
  if (slash != std::string::npos) {
    d = slash == 0 ? "/" : f.substr(0, slash);
    rest = f.substr(slash + 1);
  }
  const std::size_t dot = rest.find_last_of('.');
  std::string n = rest, x;
  if (dot != std::string::npos) { n = rest.substr(0, dot); x = rest.substr(dot); }
  dir = su::str(d);
  name = su::str(n);
  ext = su::str(x);
}

Mt tempdir() {
  const char* t = std::getenv("TMPDIR");
  std::string d = t && *t ? t : "/tmp";
  if (d.back() != '/') d += '/';
  return su::str(d);
}

Mt tempname(const Mt& dir, const Mt& prefix) {
  if (!dir.isempty() && !dir.ischar()) grl_fail("tempname: DIR must be a string");
  if (!prefix.isempty() && !prefix.ischar()) grl_fail("tempname: PREFIX must be a string");
  std::string d = dir.isempty() ? su::text(tempdir()) : su::text(dir);
  const std::string p = prefix.isempty() ? "oct-" : su::text(prefix);
  static std::mt19937_64 gen(std::random_device{}() ^ (std::uint64_t(getpid()) << 32));
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string name;
  for (int tries = 0; tries < 100; ++tries) {
    std::string tail;
    for (int k = 0; k < 6; ++k) tail += letters[gen() % (sizeof letters - 1)];
    name = join_parts({d, p + tail});
    struct stat st;
    if (stat(name.c_str(), &st) != 0) break;
  }
  return su::str(name);
}

Mt isfile(const Mt& name) { return kind_of("isfile", name, false); }
Mt isfile(const Mc& names) { return kinds_of("isfile", names, false); }
Mt isfolder(const Mt& name) { return kind_of("isfolder", name, true); }
Mt isfolder(const Mc& names) { return kinds_of("isfolder", names, true); }
Mt isdir(const Mt& name) { return su::boolean(is_kind(su::text(name), true)); }

// --- directories -------------------------------------------------------------------------

Mt mkdir_M(const Mt& dir) { return status_only("mkdir", make_dir(path_arg("mkdir", dir, "DIRNAME"))); }

Mt mkdir_M(const Mt& parent, const Mt& dir) {
  const std::string p = path_arg("mkdir", parent, "PARENT");
  const std::string d = path_arg("mkdir", dir, "DIRNAME");
  return status_only("mkdir", make_dir(join_parts({p, d})));
}

void mkdir_M(const Mt& dir, i_o_t, Mr<m_type> status, Mr<m_type> msg, Mr<m_type> msgid) {
  put_outcome(make_dir(path_arg("mkdir", dir, "DIRNAME")), status, msg, msgid);
}

void mkdir_M(const Mt& parent, const Mt& dir, i_o_t, Mr<m_type> status, Mr<m_type> msg, Mr<m_type> msgid) {
  const std::string p = path_arg("mkdir", parent, "PARENT");
  const std::string d = path_arg("mkdir", dir, "DIRNAME");
  put_outcome(make_dir(join_parts({p, d})), status, msg, msgid);
}

Mt rmdir_M(const Mt& dir, const Mt& s) {
  if (!dir.ischar()) grl_fail("rmdir: DIR must be a string");
  return status_only("rmdir", remove_dir(su::text(dir), s));
}

void rmdir_M(const Mt& dir, i_o_t, Mr<m_type> status, Mr<m_type> msg, Mr<m_type> msgid) {
  rmdir_M(dir, Mt(), i_o, status, msg, msgid);
}

void rmdir_M(const Mt& dir, const Mt& s, i_o_t, Mr<m_type> status, Mr<m_type> msg, Mr<m_type> msgid) {
  if (!dir.ischar()) grl_fail("rmdir: DIR must be a string");
  put_outcome(remove_dir(su::text(dir), s), status, msg, msgid);
}

// --- contents ----------------------------------------------------------------------------

Mt fileread(const Mt& name) {
  if (!name.ischar()) grl_fail("fileread: FILENAME argument must be a string");
  const std::string n = su::text(name);
  std::FILE* f = std::fopen(n.c_str(), "rb");
  struct stat st;
  if (!f || fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
    if (f) std::fclose(f);
    grl_fail("fileread: cannot open file");
  }
  std::string text;
  char buf[65536];
  std::size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) {
    if (text.size() + got > grl::max_value_bytes / sizeof(m_type)) {
      std::fclose(f);
      grl::fail_too_large();
    }
    text.append(buf, got);
  }
  std::fclose(f);
  // An empty file gives the 1x0 char row.
  if (text.empty()) {
    Mt e = Mt::alloc(1, 0);
    e.set_flags(grl::F_STRING);
    return e;
  }
  return su::str(text);
}
