# Installs the library, its headers, the program, a CMake package and a pkg-config file, in
# three components that the Debian packages follow: runtime (the shared library),
# development (headers, link, CMake package, pkg-config file) and program (the program, its
# manual page and its bash completion).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TOVALIN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/tovalin)

install(TARGETS tovalin EXPORT tovalinTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/tovalin DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)

# A copy installed anywhere finds its library beside it; one in the system's own folders
# needs no search path.
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set_target_properties(tovalin_cli PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
endif()
install(TARGETS tovalin_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
if(NOT WIN32)
    install(FILES tools/tovalin/tovalin.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT program)
    install(FILES tools/tovalin/tovalin.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tovalin
        COMPONENT program)
endif()

install(EXPORT tovalinTargets NAMESPACE tovalin:: DESTINATION ${TOVALIN_CMAKE_DIR}
    COMPONENT development)
configure_package_config_file(cmake/tovalinConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/tovalinConfig.cmake INSTALL_DESTINATION ${TOVALIN_CMAKE_DIR})
# Before 1.0 each minor version may change the interface.
if(PROJECT_VERSION_MAJOR EQUAL 0)
    set(TOVALIN_COMPATIBILITY SameMinorVersion)
else()
    set(TOVALIN_COMPATIBILITY SameMajorVersion)
endif()
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/tovalinConfigVersion.cmake
    COMPATIBILITY ${TOVALIN_COMPATIBILITY})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tovalinConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/tovalinConfigVersion.cmake DESTINATION ${TOVALIN_CMAKE_DIR}
    COMPONENT development)

# The pkg-config file finds the prefix from its own place, so the tree can be moved.
file(RELATIVE_PATH TOVALIN_PC_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
configure_file(cmake/tovalin.pc.in ${CMAKE_CURRENT_BINARY_DIR}/tovalin.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tovalin.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    COMPONENT development)
