# Installs the library, its headers, the program, a CMake package and a pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TOVALIN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/tovalin)

install(TARGETS tovalin EXPORT tovalinTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/tovalin DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
set_target_properties(tovalin_cli PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
install(TARGETS tovalin_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(EXPORT tovalinTargets NAMESPACE tovalin:: DESTINATION ${TOVALIN_CMAKE_DIR})
configure_package_config_file(cmake/tovalinConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/tovalinConfig.cmake INSTALL_DESTINATION ${TOVALIN_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/tovalinConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tovalinConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/tovalinConfigVersion.cmake DESTINATION ${TOVALIN_CMAKE_DIR})

# The pkg-config file finds the prefix from its own place, so the tree can be moved.
file(RELATIVE_PATH TOVALIN_PC_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
configure_file(cmake/tovalin.pc.in ${CMAKE_CURRENT_BINARY_DIR}/tovalin.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tovalin.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
