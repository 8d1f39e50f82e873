# tovalin.lib: the import library of tovalin.dll for Microsoft's linker, short import objects
# made from the module-definition file that lists the C interface, by LLVM's dlltool.
find_program(TOVALIN_DLLTOOL NAMES llvm-dlltool-14 llvm-dlltool REQUIRED)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(TOVALIN_DLLTOOL_MACHINE i386)
else()
    set(TOVALIN_DLLTOOL_MACHINE i386:x86-64)
endif()
set(TOVALIN_IMPORT_LIBRARY ${CMAKE_BINARY_DIR}/tovalin.lib)
add_custom_command(OUTPUT ${TOVALIN_IMPORT_LIBRARY}
    COMMAND ${TOVALIN_DLLTOOL} -m ${TOVALIN_DLLTOOL_MACHINE} -D tovalin.dll
            -d ${PROJECT_SOURCE_DIR}/src/c_interface/tovalin.def -l ${TOVALIN_IMPORT_LIBRARY}
    DEPENDS ${PROJECT_SOURCE_DIR}/src/c_interface/tovalin.def
    COMMENT "Making tovalin.lib for Microsoft's linker")
add_custom_target(tovalin_import_library ALL DEPENDS ${TOVALIN_IMPORT_LIBRARY})
install(FILES ${TOVALIN_IMPORT_LIBRARY} DESTINATION lib COMPONENT development)
