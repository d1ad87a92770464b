# cmake --install: headers, libraries, the string-table resource and a package
# configuration, so that find_package(Korvane) gives korvane::korvane.
include(CMakePackageConfigHelpers)

install(DIRECTORY host shell controls dialogs DESTINATION ${KORVANE_INCLUDE_INSTALL_DIR}
  FILES_MATCHING PATTERN "*.h" PATTERN "*.def" PATTERN "Uzqshconsts.rc")
install(TARGETS korvane korvane_platform korvane_host korvane_shell korvane_basecontrols korvane_shellcontrols korvane_dialogs
  EXPORT KorvaneTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT KorvaneTargets NAMESPACE korvane:: DESTINATION ${KORVANE_CMAKE_INSTALL_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KorvaneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KorvaneConfig.cmake INSTALL_DESTINATION ${KORVANE_CMAKE_INSTALL_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KorvaneConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorvaneConfig.cmake ${PROJECT_BINARY_DIR}/KorvaneConfigVersion.cmake
  DESTINATION ${KORVANE_CMAKE_INSTALL_DIR})
