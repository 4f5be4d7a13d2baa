# Run in poppler's source folder: its first line asks for CMake 3.28, which
# none of the parts built here needs.
file(READ CMakeLists.txt sisalto)
string(REPLACE "cmake_minimum_required(VERSION 3.28.0 FATAL_ERROR)"
               "cmake_minimum_required(VERSION 3.25.0 FATAL_ERROR)" uusi "${sisalto}")
if(uusi STREQUAL sisalto)
  message(FATAL_ERROR "poppler's CMakeLists.txt no longer starts as this patch expects")
endif()
file(WRITE CMakeLists.txt "${uusi}")
