# The Windows packages: a portable zip and a per-user NSIS installer
# (cmake --build --preset windows --target package), and a Windows Installer
# package for all users (--target msi, with Debian's wixl).
if(NOT WIN32)
  return()
endif()

# The licences of the libraries linked into the programs, in one file beside
# LICENSE: what riippuvuudet/ copied from each source tree.
set(KELVIO_KOLMANNET ${CMAKE_BINARY_DIR}/THIRD-PARTY-LICENSES.txt)
file(WRITE ${KELVIO_KOLMANNET} "Libraries linked into kelvio.exe, and their licences.\n\n")
if(KELVIO_WIN_ETULIITE)
  file(APPEND ${KELVIO_KOLMANNET}
       "kelvio.exe links poppler, which is under GPL-2.0-or-later: kelvio.exe as shipped is\n"
       "distributed under GPL-2.0-or-later, with its sources (Kelvio's own, under the MIT\n"
       "licence in LICENSE, and the libraries' upstream releases named with their SHA-256 in\n"
       "riippuvuudet/CMakeLists.txt of Kelvio's sources).\n\n")
  file(GLOB_RECURSE lisenssit ${KELVIO_WIN_ETULIITE}/share/licenses/*)
  list(SORT lisenssit)
  foreach(lisenssi ${lisenssit})
    file(RELATIVE_PATH nimi ${KELVIO_WIN_ETULIITE}/share/licenses ${lisenssi})
    file(READ ${lisenssi} sisalto)
    file(APPEND ${KELVIO_KOLMANNET} "==== ${nimi} ====\n\n${sisalto}\n\n")
  endforeach()
else()
  file(APPEND ${KELVIO_KOLMANNET} "This build links none: it reads no invoice files.\n")
endif()

install(TARGETS Kelviomaro kelvio RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/LUEMINUT.txt
              ${PROJECT_SOURCE_DIR}/LICENSE ${KELVIO_KOLMANNET} DESTINATION .)

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME "${KELVIO_NIMI}")
set(CPACK_PACKAGE_VENDOR "${KELVIO_VALMISTAJA}")
set(CPACK_PACKAGE_VERSION "${KELVIO_VERSIO}")
set(CPACK_PACKAGE_FILE_NAME "${KELVIO_NIMI}-${KELVIO_VERSIO}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${KELVIO_NIMI}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${KELVIO_KUVAUS}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_NSIS_PACKAGE_NAME "${KELVIO_NIMI} ${KELVIO_VERSIO}")
set(CPACK_KELVIO_VERSIO_NUMEROT "${PROJECT_VERSION}")
set(CPACK_KELVIO_IKKUNAOHJELMA "${KELVIO_IKKUNAOHJELMA}")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/src/app/Kelviomaro.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/src/app/Kelviomaro.ico")
# Our own template: a per-user installer that needs no administrator rights.
list(PREPEND CMAKE_MODULE_PATH "${PROJECT_SOURCE_DIR}/cmake")
include(CPack)

# The MSI: the same version, from the one definition. Its ainehake.oma says
# "*". wixl takes the files by relative names: they are staged in msi/.
set(KELVIO_MSI_KANSIO ${CMAKE_BINARY_DIR}/msi)
file(MAKE_DIRECTORY ${KELVIO_MSI_KANSIO})
file(WRITE ${KELVIO_MSI_KANSIO}/ainehake.oma "*\r\n")
set(KELVIO_MSI ${CMAKE_BINARY_DIR}/${KELVIO_NIMI}-${KELVIO_VERSIO}-win64.msi)
add_custom_command(
  OUTPUT ${KELVIO_MSI}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Kelviomaro> $<TARGET_FILE:kelvio>
          ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/LUEMINUT.txt
          ${PROJECT_SOURCE_DIR}/LICENSE ${KELVIO_KOLMANNET} ${PROJECT_SOURCE_DIR}/src/app/Kelviomaro.ico
          ${PROJECT_SOURCE_DIR}/cmake/Kelvio.wxs
          ${PROJECT_SOURCE_DIR}/cmake/tee-msi.sh ${KELVIO_MSI_KANSIO}
  COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/tee-msi.sh ${KELVIO_MSI} ${KELVIO_NIMI} ${KELVIO_VERSIO}
          ${PROJECT_VERSION} ${KELVIO_VALMISTAJA} ${KELVIO_KUVAUS} ${KELVIO_PAIVITYSKOODI}
          ${KELVIO_IKKUNAOHJELMA}
  WORKING_DIRECTORY ${KELVIO_MSI_KANSIO}
  DEPENDS ${PROJECT_SOURCE_DIR}/cmake/Kelvio.wxs ${PROJECT_SOURCE_DIR}/cmake/tee-msi.sh Kelviomaro kelvio
  VERBATIM)
add_custom_target(msi DEPENDS ${KELVIO_MSI})
