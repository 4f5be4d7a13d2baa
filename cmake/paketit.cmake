# The Windows packages: a portable zip and a per-user NSIS installer.
# Build both with: cmake --build --preset windows --target package
if(NOT WIN32)
  return()
endif()

install(TARGETS Kelviomaro kelvio RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME "Kelvio")
set(CPACK_PACKAGE_VENDOR "${KELVIO_VALMISTAJA}")
set(CPACK_PACKAGE_VERSION "${KELVIO_VERSIO}")
set(CPACK_PACKAGE_FILE_NAME "Kelvio-${KELVIO_VERSIO}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Kelvio")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Kerivo Pankkiviivakoodintulkitsija")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_NSIS_PACKAGE_NAME "Kelvio ${KELVIO_VERSIO}")
set(CPACK_KELVIO_VERSIO_NUMEROT "${PROJECT_VERSION}")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/src/app/Kelviomaro.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/src/app/Kelviomaro.ico")
# Our own template: a per-user installer that needs no administrator rights.
list(PREPEND CMAKE_MODULE_PATH "${PROJECT_SOURCE_DIR}/cmake")
include(CPack)
