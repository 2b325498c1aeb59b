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
