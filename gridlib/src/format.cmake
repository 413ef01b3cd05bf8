# gridfmt: the display and text-formatting engine of gridlib (standard library
# only). Included by gridlib/CMakeLists.txt; the core library links it in or
# takes its sources.
file(GLOB GRIDFMT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/format_*.cpp)
add_library(gridfmt STATIC ${GRIDFMT_SOURCES})
target_include_directories(gridfmt PUBLIC ${CMAKE_CURRENT_LIST_DIR}/../include)
