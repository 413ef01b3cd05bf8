// containers.Map(...) makes a map and MException.last gives the last uncaught error;
// written with their package or class they would read as the field Map of a variable
// `containers` or the field last of `MException`. The source spells each as one name
// (containers_Map, MException_last) before it is read; strings, comments and fields of
// other values (s.containers.Map) stay.
#include "translate/class_names.h"

#include "translate/source_walk.h"

namespace {

struct class_name {
  const char* owner;    // the package or class
  const char* member;   // ".Map"
  const char* spelled;  // the one name it becomes
};

constexpr class_name kNames[] = {{"containers", ".Map", "containers_Map"},
                                 {"MException", ".last", "MException_last"}};

}  // namespace

std::string spell_class_names(const std::string& source) {
  bool any = false;
  for (const class_name& n : kNames) any = any || source.find(n.owner) != std::string::npos;
  if (!any) return source;
  std::string out;
  out.reserve(source.size());
  std::size_t skip_to = 0;   // the member already written as part of the name
  msource::walk(
      source,
      [&](std::size_t a, std::size_t b) {
        if (a >= skip_to) out.append(source, a, b - a);
      },
      [&](std::size_t a, std::size_t b, char prev) {
        if (a < skip_to) return;
        for (const class_name& n : kNames) {
          const std::string member = n.member;
          const std::size_t end = b + member.size();
          if (prev != '.' && source.compare(a, b - a, n.owner) == 0 && source.compare(b, member.size(), member) == 0 &&
              (end >= source.size() || !msource::ident_char(source[end]))) {
            out += n.spelled;
            skip_to = end;
            return;
          }
        }
        out.append(source, a, b - a);
      });
  return out;
}
