// containers.Map: a table from keys (text, or numbers of one numeric KeyType) to values
// (any class, or of one ValueType). keys() gives the keys in sorted order and values()
// the values in that order. The table is shared by every copy of the value (a handle).
#include "object_map.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

#include "object_parser.h"
#include "strutil.h"

namespace grl {
namespace {

typedef M<M<m_type>> Ct;

struct map_object {
  bool text_keys = true;
  std::string key_type = "char", value_type = "any";
  std::map<std::string, Mt> by_text;
  std::map<double, Mt> by_number;
  // The properties as values, so that m.Count can be read by reference.
  Mt count, key_type_value, value_type_value, method_value;
  std::size_t size() const { return text_keys ? by_text.size() : by_number.size(); }
};

// The deleter of a map's table marks a value's fn_ as a map and nothing else.
struct map_deleter {
  void operator()(map_object* o) const { delete o; }
};

map_object& object_of(const Mt& m) {
  if (!is_map(m)) grl_fail("containers.Map: the value is not a map");
  return *const_cast<map_object*>(static_cast<const map_object*>(m.fn_.get()));
}

Mt make_map(std::shared_ptr<map_object> o) {
  Mt m;
  m.fn_ = std::shared_ptr<const void>(std::move(o));
  return m;
}

[[noreturn]] void fail_key_type() {
  grl_fail("containers.Map: specified key type does not match the type of this container");
}

std::string number_text(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%g", v);
  return b;
}

bool numeric_value(const Mt& v) {
  return !v.ischar() && !v.holds_cell() && !v.holds_struct() && !(v.flags_ & F_HANDLE) && !is_map(v);
}

bool numeric_type(const std::string& t) {
  static const char* const names[] = {"double", "single", "int8", "uint8", "int16", "uint16",
                                      "int32", "uint32", "int64", "uint64"};
  return std::find(std::begin(names), std::end(names), t) != std::end(names);
}

// The keys a value names: a text, a cell of texts or numbers, or numbers.
std::vector<Mt> key_list(const Mt& k) {
  std::vector<Mt> out;
  if (k.holds_cell()) {
    const Ct& c = *k.cell_;
    for (std::size_t e = 0; e < c.numel(); ++e) out.push_back(c.elem(e));
  } else if (k.ischar() || k.numel() == 1) {
    out.push_back(k);
  } else {
    for (std::size_t e = 0; e < k.numel(); ++e) out.push_back(Mt(k.cre()[e]));
  }
  return out;
}

std::string text_key(const map_object& o, const Mt& k) {
  if (!o.text_keys || !k.ischar()) fail_key_type();
  return su::text(k);
}

double number_key(const map_object& o, const Mt& k) {
  if (o.text_keys || !numeric_value(k) || k.numel() != 1 || k.im_) fail_key_type();
  return double(k.cre()[0]);
}

const Mt* find(const map_object& o, const Mt& k) {
  if (o.text_keys) {
    auto it = o.by_text.find(text_key(o, k));
    return it == o.by_text.end() ? nullptr : &it->second;
  }
  auto it = o.by_number.find(number_key(o, k));
  return it == o.by_number.end() ? nullptr : &it->second;
}

[[noreturn]] void fail_missing(const map_object& o, const Mt& k) {
  const std::string shown = o.text_keys ? su::text(k) : number_text(number_key(o, k));
  grl_fail("containers.Map: specified key <%s> does not exist", shown.c_str());
}

void put(map_object& o, const Mt& k, const Mt& v) {
  if (o.value_type != "any") {
    const bool fits = o.value_type == "char" ? v.ischar() : (numeric_value(v) || v.islogical()) && v.numel() == 1;
    if (!fits) grl_fail("containers.Map: specified value type does not match the type of this container");
  }
  if (o.text_keys) o.by_text[text_key(o, k)] = v;
  else o.by_number[number_key(o, k)] = v;
}

// The key an index stands for: a number arrives as a scalar index, any text (one
// character too) as a value.
Mt key_of(const map_object& o, const ix<m_type>& key) {
  if (key.kind == ix<m_type>::all) fail_key_type();
  if (key.kind == ix<m_type>::scalar) {
    if (o.text_keys) fail_key_type();
    return Mt(m_type(key.s));
  }
  return *key.m;
}

bool is_option(const Mt& a, const char* name) {
  if (!a.ischar()) return false;
  std::string s = su::text(a);
  std::string n = name;
  if (s.size() != n.size()) return false;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(n[i]))) return false;
  return true;
}

Mt row_cell(const std::vector<Mt>& v) {
  Ct c = Ct::alloc(1, v.size());
  for (std::size_t k = 0; k < v.size(); ++k) c.welem(k) = v[k];
  return c;
}

}  // namespace

bool is_map(const M<m_type>& x) {
  return x.fn_ && !(x.flags_ & F_HANDLE) && std::get_deleter<map_deleter>(x.fn_) != nullptr;
}

Mt map_args(const std::vector<Mt>& a) {
  std::shared_ptr<map_object> o(new map_object(), map_deleter());
  std::size_t at = 0;
  const bool options_first = !a.empty() && (is_option(a[0], "KeyType") || is_option(a[0], "ValueType") ||
                                            is_option(a[0], "UniformValues"));
  std::vector<Mt> ks, vs;
  if (!options_first && !a.empty()) {
    if (a.size() < 2) grl_fail("Map: the number of keys and values must match");
    ks = key_list(a[0]);
    if (a[1].holds_cell()) {
      vs = key_list(a[1]);
    } else if (ks.size() == 1) {
      vs.push_back(a[1]);
    } else {
      vs = key_list(a[1]);
      if (!a[1].ischar() && numeric_value(a[1])) o->value_type = "double";
    }
    if (ks.size() != vs.size()) grl_fail("Map: the number of keys and values must match");
    if (!ks.empty() && !ks[0].ischar()) {
      o->text_keys = false;
      o->key_type = "double";
    }
    at = 2;
  }
  for (; at < a.size(); at += 2) {
    if (at + 1 >= a.size()) grl_fail("Map: KEYS and VALS must be followed by name, value pairs");
    const std::string v = a[at + 1].ischar() ? su::text(a[at + 1]) : "";
    if (is_option(a[at], "KeyType")) {
      if (v != "char" && !numeric_type(v)) grl_fail("Map: unsupported KeyType");
      o->key_type = v;
      o->text_keys = v == "char";
    } else if (is_option(a[at], "ValueType")) {
      if (v != "any" && v != "char" && v != "logical" && !numeric_type(v)) grl_fail("Map: unsupported ValueType");
      o->value_type = v;
    } else if (!is_option(a[at], "UniformValues")) {
      grl_fail("Map: missing parameter name 'KeyType', 'ValueType', or 'UniformValues'");
    }
  }
  for (std::size_t k = 0; k < ks.size(); ++k) {
    if (ks[k].ischar() != o->text_keys) grl_fail("Map: all keys must be the same data type");
    put(*o, ks[k], vs[k]);
  }
  return make_map(o);
}

Mt map_get(const Mt& map, const ix<m_type>& key) {
  const map_object& o = object_of(map);
  const Mt k = key_of(o, key);
  const Mt* v = find(o, k);
  if (!v) fail_missing(o, k);
  return *v;
}

void map_set(const Mt& map, const ix<m_type>& key, const Mt& value) {
  map_object& o = object_of(map);
  put(o, key_of(o, key), value);
}

std::size_t map_count(const Mt& map) { return object_of(map).size(); }

const Mt& map_property(const Mt& map, const std::string& name) {
  map_object& o = object_of(map);
  if (name == "Count") return o.count = Mt(m_type(double(o.size())));
  if (name == "KeyType") return o.key_type_value = su::str(o.key_type);
  if (name == "ValueType") return o.value_type_value = su::str(o.value_type);
  // m.keys, m.values and m.length: the methods without arguments.
  if (name == "keys") return o.method_value = keys_M(map);
  if (name == "values") return o.method_value = values_M(map);
  if (name == "length") return o.method_value = Mt(m_type(double(o.size())));
  grl_fail("invalid use of a containers.Map object: unknown property '%s'", name.c_str());
}

Mt map_method(const Mt& map, const char* name, const std::vector<Mt>& a) {
  const std::string n = name;
  auto want = [&](std::size_t lo, std::size_t hi) {
    if (a.size() < lo || a.size() > hi) grl_fail("Invalid call to %s", name);
  };
  if (n == "keys") { want(0, 0); return keys_M(map); }
  if (n == "values") { want(0, 1); return a.empty() ? values_M(map) : values_M(map, a[0]); }
  if (n == "isKey") { want(1, 1); return isKey(map, a[0]); }
  if (n == "remove") { want(1, 1); return remove_M(map, a[0]); }
  if (n == "length" || n == "Count") { want(0, 0); return Mt(m_type(double(map_count(map)))); }
  // A property read with empty parentheses, m.KeyType().
  if (!a.empty()) grl_fail("only '()' indexing with exactly one key is supported by containers.Map");
  return map_property(map, n);
}

std::string map_disp(const Mt& map) {
  const map_object& o = object_of(map);
  return "  containers.Map object with properties:\n\n    Count     : " + std::to_string(o.size()) +
         "\n    KeyType   : " + o.key_type + "\n    ValueType : " + o.value_type + "\n\n";
}

std::string map_display(const char* name) { return std::string(name ? name : "ans") + " =\n\n"; }

}  // namespace grl

using grl::Mt;

Mt keys_M(const Mt& map) {
  const grl::map_object& o = grl::object_of(map);
  std::vector<Mt> out;
  if (o.text_keys)
    for (const auto& e : o.by_text) out.push_back(grl::su::str(e.first));
  else
    for (const auto& e : o.by_number) out.push_back(Mt(m_type(e.first)));
  return grl::row_cell(out);
}

Mt values_M(const Mt& map) {
  const grl::map_object& o = grl::object_of(map);
  std::vector<Mt> out;
  if (o.text_keys)
    for (const auto& e : o.by_text) out.push_back(e.second);
  else
    for (const auto& e : o.by_number) out.push_back(e.second);
  return grl::row_cell(out);
}

Mt values_M(const Mt& map, const Mt& ks) {
  const grl::map_object& o = grl::object_of(map);
  if (!ks.holds_cell()) grl_fail("containers.Map: input argument 'KEYS' must be a cell");
  std::vector<Mt> out;
  for (const Mt& k : grl::key_list(ks)) {
    const Mt* v = grl::find(o, k);
    if (!v) grl::fail_missing(o, k);
    out.push_back(*v);
  }
  return grl::row_cell(out);
}

Mt isKey(const Mt& map, const Mt& ks) {
  const grl::map_object& o = grl::object_of(map);
  auto present = [&](const Mt& k) {
    if (o.text_keys != bool(k.ischar())) return false;
    return grl::find(o, k) != nullptr;
  };
  if (!ks.holds_cell()) return grl::boolean(present(ks));
  const M<M<m_type>>& c = *ks.cell_;
  Mt out = Mt::alloc(c.rows(), c.cols());
  for (std::size_t e = 0; e < c.numel(); ++e) out.pr()[e] = present(c.elem(e)) ? 1 : 0;
  out.flags_ = grl::F_LOGICAL;
  return out;
}

Mt remove_M(const Mt& map, const Mt& ks) {
  grl::map_object& o = grl::object_of(map);
  for (const Mt& k : grl::key_list(ks)) {
    if (o.text_keys) o.by_text.erase(grl::text_key(o, k));
    else o.by_number.erase(grl::number_key(o, k));
  }
  return map;
}

Mt isobject(const Mt& x) { return grl::boolean(grl::is_map(x) || grl::is_parser(x)); }
