# GSF_LIBRARY_FILE and GSF_SONAME: the libgsf the build found and the shared-object name the
# programs open it by (they load it when a .xls book first needs it, they do not link it).
# Needs pkg_check_modules(GSF ...) first.
find_library(GSF_LIBRARY_FILE NAMES gsf-1 HINTS ${GSF_LIBRARY_DIRS} REQUIRED)
execute_process(COMMAND objdump -p ${GSF_LIBRARY_FILE} OUTPUT_VARIABLE GSF_DYNAMIC_SECTION
  COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "SONAME[ \t]+([^ \t\r\n]+)" GSF_SONAME_LINE "${GSF_DYNAMIC_SECTION}")
if(NOT CMAKE_MATCH_1)
  message(FATAL_ERROR "no shared-object name in ${GSF_LIBRARY_FILE}")
endif()
set(GSF_SONAME ${CMAKE_MATCH_1} CACHE INTERNAL "libgsf's shared-object name")
