# What `cmake --install` puts on a machine for hosts: libquorprn.so, the
# headers a host includes (quorprn/ and meraprn/ under include/quorprn, the
# folder the library's install interface names), a CMake package giving
# QuorPrn::quorprn and a pkg-config file. The command, its manual page and
# the catalogues are installed by their own folders.
include(CMakePackageConfigHelpers)

install(TARGETS quorprn EXPORT QuorPrnTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/quorprn/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorprn/quorprn FILES_MATCHING PATTERN "*.h")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/meraprn/include/meraprn/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorprn/meraprn FILES_MATCHING PATTERN "*.h")

set(QUORPRN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QuorPrn)
install(EXPORT QuorPrnTargets NAMESPACE QuorPrn:: DESTINATION ${QUORPRN_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuorPrnConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuorPrnConfig.cmake INSTALL_DESTINATION ${QUORPRN_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuorPrnConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuorPrnConfig.cmake ${PROJECT_BINARY_DIR}/QuorPrnConfigVersion.cmake
  DESTINATION ${QUORPRN_CMAKE_DIR})

# Relative to the file itself, so that an install under any --prefix (a
# staging folder, a package root) finds its own headers and library.
file(RELATIVE_PATH QUORPRN_PC_UP /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" QUORPRN_PC_UP "${QUORPRN_PC_UP}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/quorprn.pc.in ${PROJECT_BINARY_DIR}/quorprn.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quorprn.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
