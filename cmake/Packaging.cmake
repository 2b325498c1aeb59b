# Release artifacts, made by CPack: cmake --build --preset <preset> --target package.
#   mingw-x86, mingw-x64: Numora-<version>-win32.zip / -win64.zip for host authors
#   linux: numora_<version>_amd64.deb, and numora-<version>.tar.gz of the tracked source tree
set(CPACK_PACKAGE_NAME numora)
set(CPACK_PACKAGE_VENDOR "Numora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Numora developers <numora@users.noreply.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "math plug-in library computing in x87 80-bit extended precision")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(NUMORA_WINDOWS_TARGET 32-bit)
    set(windows_suffix win32)
  else()
    set(NUMORA_WINDOWS_TARGET 64-bit)
    set(windows_suffix win64)
  endif()
  # What a host author takes: the DLL (stripped, its debug information beside it), its
  # exports, the import libraries, the C header, the command-line host, the example hosts, the
  # reference, the licence.
  install(FILES ${NUMORA_KIT_DIR}/Numora.dll ${NUMORA_KIT_DIR}/Numora.dll.debug
                ${NUMORA_DEF_FILE} DESTINATION .)
  install(FILES ${NUMORA_KIT_DIR}/lib/libNumora.dll.a ${NUMORA_KIT_DIR}/lib/Numora.lib
          DESTINATION lib)
  install(FILES include/numora/numora.h include/numora/numora_exports.h
          DESTINATION include/numora)
  install(TARGETS numora_host RUNTIME DESTINATION .)
  install(FILES examples/loading_host.c examples/linked_host.c DESTINATION examples)
  configure_file(cmake/package/README-windows.txt.in ${PROJECT_BINARY_DIR}/README.txt @ONLY
                 NEWLINE_STYLE CRLF)
  install(FILES docs/operations.md LICENSE ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Numora-${PROJECT_VERSION}-${windows_suffix})
  set(CPACK_STRIP_FILES OFF)  # the DLL is linked without debug information
else()
  # Debian wants the licence as copyright, a compressed changelog beside the documents and
  # ldconfig run by a trigger.
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
  string(TIMESTAMP NUMORA_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(cmake/package/changelog.in ${PROJECT_BINARY_DIR}/package/changelog @ONLY)
  find_program(NUMORA_GZIP gzip REQUIRED)
  execute_process(COMMAND ${NUMORA_GZIP} -9nc ${PROJECT_BINARY_DIR}/package/changelog
                  OUTPUT_FILE ${PROJECT_BINARY_DIR}/package/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/package/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
  file(WRITE ${PROJECT_BINARY_DIR}/package/triggers "activate-noawait ldconfig\n")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/package/triggers
                                        ${PROJECT_SOURCE_DIR}/cmake/package/prerm)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION libs)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)        # Depends from dpkg-shlibdeps
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)  # shlibs and the ldconfig trigger
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS python3)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
Numora is a math plug-in library: a host writes an operand text into its
exchange register, calls one of 68 operations (square root, trigonometric,
hyperbolic and inverse functions in radians, degrees or grads, logarithms,
powers, decimal rounding, bitwise operations, radix conversions) and reads
the result text back. Every printed digit is right to 15 significant digits.
.
This package holds the shared library with its C and C++ headers, CMake and
pkg-config files, the numora command-line host with its manual page, and the
Python module numora.")
  # The source archive of the tracked tree, made after the binary package.
  set(CPACK_NUMORA_SOURCE_DIR ${PROJECT_SOURCE_DIR})
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/package/SourceArchive.cmake)
endif()

include(CPack)
