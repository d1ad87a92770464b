# cmake --install: headers, libraries, the string-table resource and a package
# configuration, so that find_package(Korvane) gives korvane::korvane.
include(CMakePackageConfigHelpers)

# The public headers: the units' headers and every header they include. The others serve the library's
# own sources only and stay out of the installed tree (the consumer test checks both ways).
set(KORVANE_INTERNAL_HEADERS
  controls/base/viewcommon.h controls/shell/common/enumitems.h controls/shell/refresh/controlend.h controls/shell/refresh/merge.h
  controls/shell/refresh/notify.h dialogs/buttonglyphs.h dialogs/chosenfile.h dialogs/filefilter.h dialogs/typedname.h shell/idlistbytes.h shell/widepath.h)
file(GLOB_RECURSE korvane_headers RELATIVE ${PROJECT_SOURCE_DIR}/korvane CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/korvane/*.h)
list(REMOVE_ITEM korvane_headers ${KORVANE_INTERNAL_HEADERS})
foreach(h IN LISTS korvane_headers)
  get_filename_component(dir ${h} DIRECTORY)
  install(FILES korvane/${h} DESTINATION ${KORVANE_INCLUDE_INSTALL_DIR}/korvane/${dir})
endforeach()
install(FILES korvane/shell/Uzqshconsts.def korvane/shell/Uzqshconsts.rc
  DESTINATION ${KORVANE_INCLUDE_INSTALL_DIR}/korvane/shell)
install(TARGETS korvane korvane_platform korvane_host korvane_shell korvane_basecontrols korvane_shellcontrols korvane_dialogs korvane_design
  EXPORT KorvaneTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT KorvaneTargets NAMESPACE korvane:: DESTINATION ${KORVANE_CMAKE_INSTALL_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KorvaneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KorvaneConfig.cmake INSTALL_DESTINATION ${KORVANE_CMAKE_INSTALL_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KorvaneConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KorvaneConfig.cmake ${PROJECT_BINARY_DIR}/KorvaneConfigVersion.cmake
  DESTINATION ${KORVANE_CMAKE_INSTALL_DIR})
