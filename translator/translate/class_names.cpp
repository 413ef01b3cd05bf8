// containers.Map(...) makes a map; written with its package it would read as the
// field Map of a variable `containers`. The source spells it as one name before it is
// read; strings, comments and fields of other values (s.containers.Map) stay.
#include "translate/class_names.h"

#include "translate/source_walk.h"

std::string spell_class_names(const std::string& source) {
  if (source.find("containers") == std::string::npos) return source;
  std::string out;
  out.reserve(source.size());
  std::size_t skip_to = 0;   // the ".Map" already written as part of the name
  msource::walk(
      source,
      [&](std::size_t a, std::size_t b) {
        if (a >= skip_to) out.append(source, a, b - a);
      },
      [&](std::size_t a, std::size_t b, char prev) {
        if (a < skip_to) return;
        if (prev != '.' && source.compare(a, b - a, "containers") == 0 &&
            source.compare(b, 4, ".Map") == 0 &&
            (b + 4 >= source.size() || !msource::ident_char(source[b + 4]))) {
          out += "containers_Map";
          skip_to = b + 4;
          return;
        }
        out.append(source, a, b - a);
      });
  return out;
}
