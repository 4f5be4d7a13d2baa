# The Windows packages: a portable zip and a per-user NSIS installer
# (cmake --build --preset windows --target package), and a Windows Installer
# package for all users (--target msi, with Debian's wixl).
if(NOT WIN32)
  return()
endif()

install(TARGETS Kelviomaro kelvio RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/LUEMINUT.txt
              ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

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
          ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/src/app/Kelviomaro.ico ${PROJECT_SOURCE_DIR}/cmake/Kelvio.wxs
          ${PROJECT_SOURCE_DIR}/cmake/tee-msi.sh ${KELVIO_MSI_KANSIO}
  COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/tee-msi.sh ${KELVIO_MSI} ${KELVIO_NIMI} ${KELVIO_VERSIO}
          ${PROJECT_VERSION} ${KELVIO_VALMISTAJA} ${KELVIO_KUVAUS} ${KELVIO_PAIVITYSKOODI}
          ${KELVIO_IKKUNAOHJELMA}
  WORKING_DIRECTORY ${KELVIO_MSI_KANSIO}
  DEPENDS ${PROJECT_SOURCE_DIR}/cmake/Kelvio.wxs ${PROJECT_SOURCE_DIR}/cmake/tee-msi.sh Kelviomaro kelvio
  VERBATIM)
add_custom_target(msi DEPENDS ${KELVIO_MSI})
