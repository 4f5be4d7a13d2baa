# What every target of the project has: warnings, and on Windows the Unicode
# API, Windows 10 headers and the static runtime.
function(kelvio_kohde kohde)
  if(MSVC)
    target_compile_options(${kohde} PRIVATE /W4 /utf-8 /permissive- /EHsc $<$<BOOL:${KELVIO_WERROR}>:/WX>)
  else()
    target_compile_options(${kohde} PRIVATE -Wall -Wextra -Wpedantic $<$<BOOL:${KELVIO_WERROR}>:-Werror>)
  endif()
  if(WIN32)
    target_compile_definitions(${kohde} PRIVATE
      UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
    if(MSVC)
      set_property(TARGET ${kohde} PROPERTY MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
    endif()
  endif()
endfunction()

# A library of one folder under src/: its sources, and the folders below it
# that it uses. Its own folder is its public include path, nothing else.
function(kelvio_kirjasto kohde)
  cmake_parse_arguments(K "" "" "LAHTEET;KAYTTAA" ${ARGN})
  add_library(${kohde} STATIC ${K_LAHTEET})
  target_include_directories(${kohde} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${kohde} PUBLIC ${K_KAYTTAA})
  kelvio_kohde(${kohde})
endfunction()

# A program: statically linked on Windows, so that it needs only system DLLs.
# A program that starts at wmain adds -municode itself (kelvio, in src/cli).
function(kelvio_ohjelma kohde)
  kelvio_kohde(${kohde})
  if(MINGW)
    target_link_options(${kohde} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
