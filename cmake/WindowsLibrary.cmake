# Numora.dll: undecorated exports with ordinals from the .def file, the version record,
# our entry function, and the compiler's runtime linked in.
set(NUMORA_DEF_FILE ${PROJECT_BINARY_DIR}/Numora.def)
numora_write_def_file(${NUMORA_DEF_FILE})
# The version record carries the project's version (its ProductVersion string stays 1.0.0.0).
configure_file(${PROJECT_SOURCE_DIR}/src/platform/windows/Numora.rc.in ${PROJECT_BINARY_DIR}/Numora.rc
               @ONLY)
target_sources(numora PRIVATE ${NUMORA_DEF_FILE} ${PROJECT_BINARY_DIR}/Numora.rc
                              ${PROJECT_SOURCE_DIR}/src/platform/windows/WindowsLoad.cpp)
target_include_directories(numora PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(numora PRIVATE NUMORA_BUILDING_LIBRARY)
set_target_properties(numora PROPERTIES OUTPUT_NAME Numora PREFIX "" IMPORT_PREFIX "lib")
target_link_options(numora PRIVATE -static -static-libgcc -static-libstdc++)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(numora PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup -Wl,-e,_NumoraDllEntry@12)
else()
  target_link_options(numora PRIVATE -Wl,-e,NumoraDllEntry)
endif()
target_link_libraries(numora PRIVATE kernel32)

# What the Windows kit adds for host authors who link rather than load: import libraries for
# MinGW (libNumora.dll.a, from binutils' dlltool) and MSVC (Numora.lib, from llvm-dlltool),
# which on 32-bit map the header's decorated __stdcall names to the undecorated exports; and
# the DLL stripped, its debug information in Numora.dll.debug beside it (linked by
# .gnu_debuglink). All under kit/.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(numora_decorated ON)
  set(numora_dlltool_machine i386)
  set(numora_llvm_machine i386)
else()
  set(numora_decorated OFF)
  set(numora_dlltool_machine i386:x86-64)
  set(numora_llvm_machine i386:x86-64)
endif()
set(NUMORA_KIT_DIR ${PROJECT_BINARY_DIR}/kit)
set(numora_import_def ${PROJECT_BINARY_DIR}/Numora-imports.def)
numora_write_import_def_file(${numora_import_def} ${numora_decorated})
get_filename_component(numora_toolchain_prefix ${CMAKE_C_COMPILER} NAME)
string(REGEX REPLACE "gcc(-posix)?$" "" numora_toolchain_prefix ${numora_toolchain_prefix})
find_program(NUMORA_DLLTOOL ${numora_toolchain_prefix}dlltool REQUIRED)
find_program(NUMORA_OBJCOPY ${numora_toolchain_prefix}objcopy REQUIRED)
find_program(NUMORA_LLVM_DLLTOOL NAMES llvm-dlltool-14 llvm-dlltool REQUIRED)
add_custom_command(
    OUTPUT ${NUMORA_KIT_DIR}/lib/libNumora.dll.a ${NUMORA_KIT_DIR}/lib/Numora.lib
    COMMAND ${CMAKE_COMMAND} -E make_directory ${NUMORA_KIT_DIR}/lib
    COMMAND ${NUMORA_DLLTOOL} -m ${numora_dlltool_machine} -k -d ${numora_import_def}
            -D Numora.dll -l ${NUMORA_KIT_DIR}/lib/libNumora.dll.a
    COMMAND ${NUMORA_LLVM_DLLTOOL} -m ${numora_llvm_machine} -k -d ${numora_import_def}
            -D Numora.dll -l ${NUMORA_KIT_DIR}/lib/Numora.lib
    DEPENDS ${numora_import_def}
    COMMENT "Import libraries for MinGW and MSVC")
add_custom_command(
    OUTPUT ${NUMORA_KIT_DIR}/Numora.dll ${NUMORA_KIT_DIR}/Numora.dll.debug
    COMMAND ${NUMORA_OBJCOPY} --only-keep-debug $<TARGET_FILE:numora>
            ${NUMORA_KIT_DIR}/Numora.dll.debug
    COMMAND ${NUMORA_OBJCOPY} --strip-all
            --add-gnu-debuglink=${NUMORA_KIT_DIR}/Numora.dll.debug $<TARGET_FILE:numora>
            ${NUMORA_KIT_DIR}/Numora.dll
    DEPENDS numora
    WORKING_DIRECTORY ${NUMORA_KIT_DIR}
    COMMENT "Numora.dll stripped, its debug information apart")
add_custom_target(numora_kit ALL
                  DEPENDS ${NUMORA_KIT_DIR}/lib/libNumora.dll.a ${NUMORA_KIT_DIR}/Numora.dll)
