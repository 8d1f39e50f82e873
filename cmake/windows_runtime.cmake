# Windows programs find their DLLs beside themselves. The library, the program and the tests
# are built into one folder, with the parser's DLL and the C++ runtime they all share: one
# shared unwinder lets an exception thrown in one module be caught in another.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

file(GLOB TOVALIN_RUNTIME_DLLS ${TOVALIN_WINDOWS_XERCES}/bin/*.dll)
foreach(dll libstdc++-6.dll libgcc_s_dw2-1.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    # The compiler echoes the bare name back when it has no such file.
    if(IS_ABSOLUTE "${found}")
        list(APPEND TOVALIN_RUNTIME_DLLS ${found})
    endif()
endforeach()
file(COPY ${TOVALIN_RUNTIME_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
install(FILES ${TOVALIN_RUNTIME_DLLS} DESTINATION bin COMPONENT runtime)
