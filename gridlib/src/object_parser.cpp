// inputParser: a description of a function's inputs (required, optional, name-value
// parameters and switches, each with an optional validating function handle) and the
// parse of an argument list against it, which fills Results, Unmatched and
// UsingDefaults. The parser is shared by every copy of the value (a handle).
#include "object_parser.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "gridlib_extra.h"
#include "gridlib_funfun.h"
#include "object_map.h"
#include "strutil.h"

namespace grl {
namespace {

typedef M<M<m_type>> Ct;

struct argument {
  std::string name;
  Mt fallback;   // the default value (false for a switch)
  Mt validator;  // a function handle, or empty
};

struct parser_object {
  std::vector<argument> required, optional, params, switches;
  // The settable properties as the program wrote them; read when parsing.
  Mt function_name = su::str(""), case_sensitive = boolean(false), keep_unmatched = boolean(false),
     partial_matching = boolean(false), struct_expand = boolean(true);
  Mt results, unmatched, using_defaults;
  Mt shown;  // the last property read that is computed (Parameters)
  parser_object() {
    results = make_struct(1, 1, {});
    unmatched = make_struct(1, 1, {});
    using_defaults = Mt(Ct::alloc(0, 0));
  }
};

struct parser_deleter {
  void operator()(parser_object* o) const { delete o; }
};

parser_object& object_of(const Mt& p) {
  if (!is_parser(p)) grl_fail("inputParser: the value is not an inputParser");
  return *const_cast<parser_object*>(static_cast<const parser_object*>(p.fn_.get()));
}

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
std::string upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool text_row(const Mt& v) { return v.ischar() && (v.rows() == 1 || v.numel() == 0); }

bool truth(const Mt& v, const char* property) {
  if (v.holds_cell() || v.holds_struct() || v.ischar() || (v.flags_ & F_HANDLE) || v.fn_ || v.numel() != 1)
    grl_fail("inputParser: %s must be true or false", property);
  return v.cre()[0] != 0;
}

Mt row_cell(const std::vector<std::string>& names) {
  Ct c = Ct::alloc(names.empty() ? 0 : 1, names.size());
  for (std::size_t k = 0; k < names.size(); ++k) c.welem(k) = su::str(names[k]);
  return c;
}

// Every name the parser knows, in the order they were defined, kind by kind.
std::vector<std::string> all_names(const parser_object& o) {
  std::vector<std::string> out;
  for (const auto* list : {&o.required, &o.optional, &o.params, &o.switches})
    for (const argument& a : *list) out.push_back(a.name);
  return out;
}

// The text that names a validator in messages: a named function's name, or the text of
// an anonymous one.
std::string validator_text(const Mt& h) { return su::text(func2str(h)); }

// add*(name [, default] [, validator]) of one kind.
void add(parser_object& o, const char* method, std::vector<argument> parser_object::*list,
         const std::vector<Mt>& a, std::size_t least, std::size_t most) {
  if (a.size() < least || a.size() > most) grl_fail("Invalid call to %s", method);
  if (!text_row(a[0]) || a[0].numel() == 0) grl_fail("inputParser.%s: NAME must be a string", method);
  argument arg;
  arg.name = su::text(a[0]);
  if (!valid_field_name(arg.name)) grl_fail("inputParser.%s: NAME must be a valid name, not '%s'", method, arg.name.c_str());
  for (const std::string& n : all_names(o))
    if (lower(n) == lower(arg.name))
      grl_fail("inputParser.%s: argname '%s' has already been specified", method, arg.name.c_str());
  const std::string m = method;
  if (m == "addRequired" && (!o.optional.empty() || !o.params.empty() || !o.switches.empty()))
    grl_fail("inputParser.addRequired: can't have a Required argument after Optional, Parameter, or Switch");
  if (m == "addOptional" && (!o.params.empty() || !o.switches.empty()))
    grl_fail("inputParser.Optional: can't have Optional arguments after Parameter or Switch");
  std::size_t next = 1;
  if (m == "addSwitch") arg.fallback = boolean(false);
  else if (m != "addRequired") arg.fallback = a[next++];
  if (next < a.size()) {
    arg.validator = a[next++];
    if (!(arg.validator.flags_ & F_HANDLE)) grl_fail("inputParser.%s: VALIDATOR must be a function handle", method);
  }
  // addParameter(name, default, validator, 'PartialMatchPriority', n): the option only
  // orders ambiguous partial matches, which are refused here.
  if (next < a.size() && (m != "addParameter" || a.size() - next != 2 || !text_row(a[next]) ||
                          lower(su::text(a[next])) != "partialmatchpriority"))
    grl_fail("Invalid call to %s", method);
  (o.*list).push_back(arg);
}

// Whether v passes a's validator; on failure, the message's tail after "failed
// validation of NAME".
bool passes(const argument& a, const Mt& v, std::string& why) {
  if (a.validator.isempty() && !(a.validator.flags_ & F_HANDLE)) return true;
  Ct in = Ct::alloc(1, 1);
  in.welem(0) = v;
  Mt r;
  try {
    r = call_handle(a.validator, in);
  } catch (const exception& e) {
    why = ". " + e.message();
    return false;
  }
  // A validator that gives nothing (one that only raises errors) accepts the value.
  if (r.isempty() || r.holds_cell() || r.holds_struct() || r.fn_) return true;
  for (std::size_t k = 0; k < r.numel(); ++k)
    if (r.cre()[k] == 0) {
      why = ". Checked with \"" + validator_text(a.validator) + "\"";
      return false;
    }
  return true;
}

struct parse_run {
  parser_object& o;
  std::string prefix;  // "name: " or nothing
  bool case_sensitive, keep_unmatched, partial, expand;
  std::vector<std::pair<std::string, Mt>> given;      // Results so far, in order
  std::vector<std::pair<std::string, Mt>> unmatched;  // names as given

  [[noreturn]] void fail(const std::string& m) const { grl_fail("%s%s", prefix.c_str(), m.c_str()); }

  void check(const argument& a, const Mt& v) const {
    std::string why;
    if (!passes(a, v, why)) fail("failed validation of " + upper(a.name) + why);
  }

  bool same(const std::string& given_name, const std::string& defined) const {
    return case_sensitive ? given_name == defined : lower(given_name) == lower(defined);
  }

  // The parameter or switch a given name stands for (kind 'p' or 's'), or nullptr.
  const argument* lookup(const std::string& n, char& kind) const {
    for (const auto& [list, k] : {std::pair<const std::vector<argument>*, char>{&o.params, 'p'}, {&o.switches, 's'}})
      for (const argument& a : *list)
        if (same(n, a.name)) { kind = k; return &a; }
    if (!partial || n.empty()) return nullptr;
    const argument* found = nullptr;
    for (const auto& [list, k] : {std::pair<const std::vector<argument>*, char>{&o.params, 'p'}, {&o.switches, 's'}})
      for (const argument& a : *list)
        if (a.name.size() > n.size() && same(n, a.name.substr(0, n.size()))) {
          if (found) fail("argument '" + upper(n) + "' matches more than one parameter");
          found = &a;
          kind = k;
        }
    return found;
  }

  void set(const std::string& name, const Mt& v) {
    for (auto& g : given)
      if (g.first == name) { g.second = v; return; }
    given.emplace_back(name, v);
  }

  void keep(const std::string& name, const Mt& v) {
    for (auto& u : unmatched)
      if (u.first == name) { u.second = v; return; }
    unmatched.emplace_back(name, v);
  }

  // One name and its value (absent for a switch); has_value tells whether one follows.
  // Returns how many arguments it took.
  std::size_t pair(const Mt& name_v, const Mt* value) {
    if (!text_row(name_v)) fail("non-string for Parameter name or Switch");
    const std::string n = su::text(name_v);
    char kind = 0;
    const argument* a = lookup(n, kind);
    if (a && kind == 's') {
      set(a->name, boolean(true));
      return 1;
    }
    if (!a && !keep_unmatched) fail("argument '" + upper(n) + "' is not a valid parameter");
    if (!value) fail("no value given for parameter '" + upper(n) + "'");
    if (a) {
      check(*a, *value);
      set(a->name, *value);
    } else {
      keep(n, *value);
    }
    return 2;
  }

  bool names_parameter(const Mt& v) const {
    if (!text_row(v)) return false;
    char kind = 0;
    return lookup(su::text(v), kind) != nullptr;
  }

  void run(const std::vector<Mt>& args) {
    const std::size_t n = args.size();
    if (n < o.required.size()) grl_fail("inputParser.parse: not enough input arguments");
    std::size_t at = 0;
    for (const argument& a : o.required) {
      check(a, args[at]);
      set(a.name, args[at++]);
    }
    // Optional inputs in turn, until one is a parameter's name or fails its validator
    // (a text or a structure of parameters that fails starts the name-value pairs).
    std::vector<std::string> defaults;
    for (const argument& a : o.optional) {
      if (at < n && !names_parameter(args[at])) {
        std::string why;
        if (passes(a, args[at], why)) {
          set(a.name, args[at++]);
          continue;
        }
        const bool pairs_follow = text_row(args[at]) || (expand && args[at].holds_struct() && args[at].numel() == 1);
        if (!pairs_follow)
          fail("failed validation of " + upper(a.name) + "\nValidation function: " +
               (is_anon(a.validator) ? "" : "@") + validator_text(a.validator));
      }
      set(a.name, a.fallback);
      defaults.push_back(a.name);
    }
    while (at < n) {
      if (expand && args[at].holds_struct() && args[at].numel() == 1) {
        const Mt& s = args[at++];
        for (const std::string& f : field_names(s)) {
          const Mt& v = field(s, f.c_str());
          pair(su::str(f), &v);
        }
        continue;
      }
      at += pair(args[at], at + 1 < n ? &args[at + 1] : nullptr);
    }
    // Parameters and then switches not given take their defaults, in order of name.
    for (const auto* list : {&o.params, &o.switches}) {
      std::vector<const argument*> rest;
      for (const argument& a : *list) {
        const bool seen = std::any_of(given.begin(), given.end(), [&](const auto& g) { return g.first == a.name; });
        if (!seen) rest.push_back(&a);
      }
      std::sort(rest.begin(), rest.end(), [](const argument* x, const argument* y) { return x->name < y->name; });
      for (const argument* a : rest) {
        given.emplace_back(a->name, a->fallback);
        defaults.push_back(a->name);
      }
    }
    std::vector<std::string> names;
    for (const auto& g : given) names.push_back(g.first);
    Mt r = make_struct(1, 1, names);
    for (const auto& g : given) field_ref(r, g.first.c_str()) = g.second;
    names.clear();
    for (const auto& u : unmatched) names.push_back(u.first);
    Mt um = make_struct(1, 1, names);
    for (const auto& u : unmatched) field_ref(um, u.first.c_str()) = u.second;
    o.results = r;
    o.unmatched = um;
    o.using_defaults = row_cell(defaults);
  }
};

void parse(parser_object& o, const std::vector<Mt>& args) {
  const std::string fn = su::text(o.function_name);
  parse_run run{o, fn.empty() ? "" : fn + ": ", truth(o.case_sensitive, "CaseSensitive"),
                truth(o.keep_unmatched, "KeepUnmatched"), truth(o.partial_matching, "PartialMatching"),
                truth(o.struct_expand, "StructExpand"), {}, {}};
  run.run(args);
}

}  // namespace

bool is_parser(const Mt& x) {
  return x.fn_ && !(x.flags_ & F_HANDLE) && std::get_deleter<parser_deleter>(x.fn_) != nullptr;
}

const Mt& parser_property(const Mt& p, const std::string& name) {
  parser_object& o = object_of(p);
  if (name == "Results") return o.results;
  if (name == "Unmatched") return o.unmatched;
  if (name == "UsingDefaults") return o.using_defaults;
  if (name == "Parameters") return o.shown = row_cell(all_names(o));
  if (name == "FunctionName") return o.function_name;
  if (name == "CaseSensitive") return o.case_sensitive;
  if (name == "KeepUnmatched") return o.keep_unmatched;
  if (name == "PartialMatching") return o.partial_matching;
  if (name == "StructExpand") return o.struct_expand;
  grl_fail("invalid use of inputParser object: unknown property '%s'", name.c_str());
}

Mt& parser_property_ref(const Mt& p, const std::string& name) {
  parser_object& o = object_of(p);
  if (name == "FunctionName") return o.function_name;
  if (name == "CaseSensitive") return o.case_sensitive;
  if (name == "KeepUnmatched") return o.keep_unmatched;
  if (name == "PartialMatching") return o.partial_matching;
  if (name == "StructExpand") return o.struct_expand;
  if (name == "Results" || name == "Unmatched" || name == "UsingDefaults" || name == "Parameters")
    grl_fail("inputParser: property '%s' can not be set", name.c_str());
  grl_fail("invalid use of inputParser object: unknown property '%s'", name.c_str());
}

Mt parser_method(const Mt& p, const std::string& name, const std::vector<Mt>& args) {
  parser_object& o = object_of(p);
  if (name == "addRequired") add(o, "addRequired", &parser_object::required, args, 1, 2);
  else if (name == "addOptional") add(o, "addOptional", &parser_object::optional, args, 2, 3);
  else if (name == "addParameter") add(o, "addParameter", &parser_object::params, args, 2, 5);
  else if (name == "addParamValue") add(o, "addParamValue", &parser_object::params, args, 2, 3);
  else if (name == "addSwitch") add(o, "addSwitch", &parser_object::switches, args, 1, 1);
  else if (name == "parse") parse(o, args);
  else if (name == "disp" || name == "display") put_text(parser_disp(p));
  else if (args.empty()) return parser_property(p, name);
  else grl_fail("invalid use of inputParser object: unknown method '%s'", name.c_str());
  return Mt();
}

std::string parser_disp(const Mt& p) {
  const parser_object& o = object_of(p);
  auto yes = [](const Mt& v) {
    return v.numel() == 1 && !v.holds_cell() && !v.holds_struct() && v.cre()[0] != 0 ? "true" : "false";
  };
  std::string names;
  for (const std::string& n : all_names(o)) names += (names.empty() ? "" : ", ") + n;
  return "inputParser object with properties:\n\n   CaseSensitive   : " + std::string(yes(o.case_sensitive)) +
         "\n   FunctionName    : " + su::text(o.function_name) + "\n   KeepUnmatched   : " + yes(o.keep_unmatched) +
         "\n   PartialMatching : " + yes(o.partial_matching) + "\n   StructExpand    : " + yes(o.struct_expand) +
         "\n\nDefined parameters:\n\n   {" + names + "}\n";
}

bool is_object(const Mt& x) { return is_map(x) || is_parser(x); }

// m.name(args) or p.name(args) on a variable: the object's method, or for any other
// value the field of that name, called when it holds a function handle and indexed by
// the arguments otherwise.
Mt object_method(const Mt& x, const char* name, const std::vector<Mt>& args) {
  if (is_parser(x)) return parser_method(x, name, args);
  if (is_map(x)) return map_method(x, name, args);
  const Mt& f = field(x, name);
  if (args.empty()) return f;
  if (f.flags_ & F_HANDLE) return call_handle(f, arg_cell(args));
  if (args.size() == 1) return f(ix<m_type>(args[0]));
  if (args.size() == 2) return f(ix<m_type>(args[0]), ix<m_type>(args[1]));
  grl_fail("index (%s): only one or two indices are taken here", name);
}

}  // namespace grl

using grl::Mt;

Mt inputParser() {
  std::shared_ptr<grl::parser_object> o(new grl::parser_object(), grl::parser_deleter());
  Mt p;
  p.fn_ = std::shared_ptr<const void>(std::move(o));
  return p;
}

// The function forms: addRequired(p, ...), parse(p, ...), ...
Mt grl::parser_call(const char* method, const std::vector<Mt>& args) {
  if (args.empty() || !is_parser(args[0])) grl_fail("%s: the first input must be an inputParser", method);
  return parser_method(args[0], method, std::vector<Mt>(args.begin() + 1, args.end()));
}
