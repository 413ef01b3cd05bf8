# Compiles a call of every function korval.rsv lists, in both precisions, so the
# list and the run-time library cannot drift apart: a listed name the library lacks,
# or a listed input count it cannot take, fails to compile.
#
#   cmake -DROOT=<installed root> -DWORK=<scratch dir> -P rsv_calls.cmake
cmake_minimum_required(VERSION 3.16)
file(STRINGS ${ROOT}/korval.rsv lines)

# Names the translator replaces (sqrt by sqrt_M) never reach the generated code.
set(replaced "")
set(in_replace FALSE)
set(odd TRUE)
foreach(l ${lines})
  if(l STREQUAL "[replace]")
    set(in_replace TRUE)
  elseif(in_replace)
    if(odd)
      string(REGEX REPLACE " .*" "" from "${l}")
      list(APPEND replaced "${from}")
      set(odd FALSE)
    else()
      set(odd TRUE)
    endif()
  endif()
endforeach()

set(in_functions FALSE)
set(calls "")
set(checks "")
foreach(l ${lines})
  if(l MATCHES "^\\[")
    set(in_functions FALSE)
    if(l STREQUAL "[reserved functions]")
      set(in_functions TRUE)
    endif()
    continue()
  endif()
  if(NOT in_functions OR NOT l MATCHES "^([^ ]+) function ([0-9]+) ([0-9]+)")
    continue()
  endif()
  set(name ${CMAKE_MATCH_1})
  set(n_in ${CMAKE_MATCH_2})
  set(n_out ${CMAKE_MATCH_3})
  if(name IN_LIST replaced)
    continue()
  endif()
  # load and save take the variables by address after the file name; par_run
  # takes the function that a parallel block became.
  set(args "")
  foreach(k RANGE 1 ${n_in})
    if(n_in GREATER 0)
      if(name STREQUAL "par_run")
        list(APPEND args "task")
      elseif(k GREATER 1 AND name MATCHES "^(load|save|loadascii|saveascii)$")
        list(APPEND args "&x")
      else()
        list(APPEND args "x")
      endif()
    endif()
  endforeach()
  string(REPLACE ";" ", " arglist "${args}")
  string(APPEND calls "  ${name}(${arglist});\n")
  if(n_out GREATER 1)
    # [a, b, ...] = name(...) arrives as name(inputs..., i_o, a, b, ...); some
    # input count up to the listed one must take that many outputs. The last output
    # may be a cell (the values of mode).
    set(outs "")
    set(cell_outs "")
    foreach(k RANGE 1 ${n_out})
      list(APPEND outs "Mt&")
      if(k EQUAL n_out)
        list(APPEND cell_outs "M<M<m_type>>&")
      else()
        list(APPEND cell_outs "Mt&")
      endif()
    endforeach()
    string(REPLACE ";" ", " outlist "${outs}")
    string(REPLACE ";" ", " cell_outlist "${cell_outs}")
    set(forms "")
    set(ins "")
    foreach(k RANGE 0 ${n_in})
      if(k GREATER 0)
        list(APPEND ins "const Mt&")
      endif()
      string(REPLACE ";" ", " inlist "${ins}")
      if(k GREATER 0)
        set(inlist "${inlist}, ")
      endif()
      list(APPEND forms "std::is_invocable_v<decltype(call_${name}), ${inlist}i_o_t, ${outlist}>")
      list(APPEND forms "std::is_invocable_v<decltype(call_${name}), ${inlist}i_o_t, ${cell_outlist}>")
    endforeach()
    string(REPLACE ";" " ||\n    " formlist "${forms}")
    string(APPEND checks "auto call_${name} = CALLABLE(${name});\nstatic_assert(${formlist},\n  \"${name}: no form with ${n_out} outputs\");\n")
  endif()
endforeach()

file(MAKE_DIRECTORY ${WORK})
foreach(lib 0 1)
  file(WRITE ${WORK}/calls${lib}.cpp
"#define GRLIB ${lib}
#include \"gridlib.h\"
#include \"gridlib_extra.h\"
#include <type_traits>
#include <utility>
typedef M<m_type> Mt;
M<m_type> task();
#define CALLABLE(f) [](auto&&... a) -> decltype(f(std::forward<decltype(a)>(a)...)) { \\
    return f(std::forward<decltype(a)>(a)...); }
${checks}
void every_listed_function(M<m_type> x) {
${calls}}
")
  execute_process(COMMAND c++ -std=c++17 -fsyntax-only -I${ROOT} ${WORK}/calls${lib}.cpp
    RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    string(REGEX MATCHALL "[^\n]*error:[^\n]*" errors "${err}")
    string(REPLACE ";" "\n" errors "${errors}")
    message(FATAL_ERROR "korval.rsv lists calls the library (GRLIB=${lib}) cannot take:\n${errors}")
  endif()
endforeach()
