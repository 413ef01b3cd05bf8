# korval.rsv is assembled from share/korval.rsv and the run-time library's own lists:
# gridlib/rsv/<module>.rsv holds "[reserved functions]" lines of that module and
# gridlib/rsv/<module>.replace holds "[replace]" line pairs, so each library module
# lists the names it provides next to its sources.
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
file(READ ${KORVAL_RSV_BASE} base)
string(REPLACE "[reserved vars]\n" "${funcs}[reserved vars]\n" base "${base}")
string(APPEND base "${repl}")
file(WRITE ${KORVAL_RSV_OUT}.tmp "${base}")
configure_file(${KORVAL_RSV_OUT}.tmp ${KORVAL_RSV_OUT} COPYONLY)

# A name listed twice would make the later line silently win: refuse it.
string(REGEX MATCHALL "(^|\n)[^ \n]+ function" names "${base}")
set(seen "")
foreach(n ${names})
  string(STRIP "${n}" n)
  list(FIND seen "${n}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "korval.rsv: ${n} is listed twice")
  endif()
  list(APPEND seen "${n}")
endforeach()
