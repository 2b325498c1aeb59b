# cmake --install: headers, the shared library with its SONAME links, the host with its shell
# completion, the man page, the CMake package (Numora::numora), pkg-config's numora.pc and the
# Python module.
include(CMakePackageConfigHelpers)

install(TARGETS numora EXPORT NumoraTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_COMPONENT Development
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES include/numora/numora.h include/numora/numora.hpp include/numora/numora_exports.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/numora)
if(TARGET numora_host)
  install(TARGETS numora_host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Shell completion where bash-completion, zsh and fish look for a package's own.
  install(FILES ${NUMORA_COMPLETION_DIR}/numora.bash
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME numora)
  install(FILES ${NUMORA_COMPLETION_DIR}/_numora
          DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
  install(FILES ${NUMORA_COMPLETION_DIR}/numora.fish
          DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
endif()
# Manual pages are installed compressed (gzip -9n: no name, no time stamp).
find_program(NUMORA_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/numora.1.gz
                   COMMAND ${NUMORA_GZIP} -9nc ${PROJECT_SOURCE_DIR}/docs/numora.1 >
                           ${PROJECT_BINARY_DIR}/numora.1.gz
                   DEPENDS ${PROJECT_SOURCE_DIR}/docs/numora.1 VERBATIM)
add_custom_target(numora_man_page ALL DEPENDS ${PROJECT_BINARY_DIR}/numora.1.gz)
install(FILES ${PROJECT_BINARY_DIR}/numora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES docs/operations.md LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(NUMORA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Numora)
install(EXPORT NumoraTargets NAMESPACE Numora:: DESTINATION ${NUMORA_CMAKE_DIR})
configure_package_config_file(cmake/package/NumoraConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/NumoraConfig.cmake
                              INSTALL_DESTINATION ${NUMORA_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/NumoraConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/NumoraConfig.cmake ${PROJECT_BINARY_DIR}/NumoraConfigVersion.cmake
        DESTINATION ${NUMORA_CMAKE_DIR})

# Relocatable: the prefix is found from where the file lies.
file(RELATIVE_PATH NUMORA_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/package/numora.pc.in ${PROJECT_BINARY_DIR}/numora.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/numora.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The Python package, with a link to the installed library beside it, where it looks first.
set(NUMORA_PYTHON_INSTALL_DIR lib/python3/dist-packages
    CACHE STRING "Where cmake --install puts the Python package, below the prefix")
install(DIRECTORY ${PROJECT_BINARY_DIR}/python/numora DESTINATION ${NUMORA_PYTHON_INSTALL_DIR}
        PATTERN __pycache__ EXCLUDE PATTERN "*.so" EXCLUDE)
install(TARGETS numora_python LIBRARY DESTINATION ${NUMORA_PYTHON_INSTALL_DIR}/numora)
file(RELATIVE_PATH NUMORA_PYTHON_TO_LIBRARY /prefix/${NUMORA_PYTHON_INSTALL_DIR}/numora
     /prefix/${CMAKE_INSTALL_LIBDIR}/libnumora.so.1)
install(CODE "file(CREATE_LINK ${NUMORA_PYTHON_TO_LIBRARY}
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${NUMORA_PYTHON_INSTALL_DIR}/numora/libnumora.so.1\"
  SYMBOLIC)")
