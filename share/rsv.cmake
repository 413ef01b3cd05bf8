# korval.rsv is assembled from share/korval.rsv and the run-time library's own lists:
# gridlib/rsv/<module>.rsv holds "[reserved functions]" lines of that module and
# gridlib/rsv/<module>.replace holds "[replace]" line pairs, so each library module
# lists the names it provides next to its sources. A line gives the most inputs and
# outputs a call may pass; the input count -1 marks a function that takes any number.
set(KORVAL_RSV_BASE ${CMAKE_CURRENT_SOURCE_DIR}/korval.rsv)
set(KORVAL_RSV_OUT ${CMAKE_CURRENT_BINARY_DIR}/korval.rsv)
file(GLOB rsv_funcs ${CMAKE_SOURCE_DIR}/gridlib/rsv/*.rsv)
file(GLOB rsv_repl ${CMAKE_SOURCE_DIR}/gridlib/rsv/*.replace)
list(SORT rsv_funcs)
list(SORT rsv_repl)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${KORVAL_RSV_BASE} ${rsv_funcs} ${rsv_repl} ${CMAKE_SOURCE_DIR}/gridlib/rsv)

function(rsv_lines out)
  set(text "")
  foreach(f ${ARGN})
    file(STRINGS ${f} lines)
    foreach(l ${lines})
      string(STRIP "${l}" l)
      if(NOT l STREQUAL "" AND NOT l MATCHES "^#")
        string(APPEND text "${l}\n")
      endif()
    endforeach()
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

rsv_lines(funcs ${rsv_funcs})
rsv_lines(repl ${rsv_repl})

# The translator replaces a name before it looks it up, so a function that the
# library provides under a replacement (sqrt as sqrt_M) is listed under both names.
string(REGEX MATCHALL "[^\n]+\n[^\n]+\n" repl_pairs "${repl}")
foreach(pair ${repl_pairs})
  string(REGEX REPLACE "^([^ \n]+)[^\n]*\n([^ \n]+).*" "\\1;\\2" names "${pair}")
  list(GET names 0 from)
  list(GET names 1 to)
  string(REGEX MATCH "(^|\n)${from} function[^\n]*" line "\n${funcs}")
  if(line)
    string(STRIP "${line}" line)
    string(REGEX REPLACE "^${from} " "${to} " line "${line}")
    string(APPEND funcs "${line}\n")
  endif()
endforeach()
file(READ ${KORVAL_RSV_BASE} base)
# A module's line takes the place of the base list's line of the same name.
string(REGEX MATCHALL "(^|\n)[^ \n]+ function" mod_names "\n${funcs}")
foreach(n ${mod_names})
  string(STRIP "${n}" n)
  string(REPLACE " function" "" n "${n}")
  string(REGEX REPLACE "\n${n} function[^\n]*" "" base "${base}")
endforeach()
string(REPLACE "[reserved vars]\n" "${funcs}[reserved vars]\n" base "${base}")
string(APPEND base "${repl}")
file(WRITE ${KORVAL_RSV_OUT}.tmp "${base}")
configure_file(${KORVAL_RSV_OUT}.tmp ${KORVAL_RSV_OUT} COPYONLY)

# A name listed by two modules would make the later line silently win: refuse it.
set(seen "")
foreach(f ${rsv_funcs})
  file(STRINGS ${f} lines REGEX "^[^ #]+ function")
  foreach(l ${lines})
    string(REGEX REPLACE " .*" "" n "${l}")
    list(FIND seen "${n}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "korval.rsv: ${n} is listed twice (${f})")
    endif()
    list(APPEND seen "${n}")
  endforeach()
endforeach()
