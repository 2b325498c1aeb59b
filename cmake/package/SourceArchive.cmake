# CPack post-build script: numora-<version>.tar.gz of the tracked source tree beside the
# binary package. From a git work tree the tracked files; elsewhere (a tree unpacked from such
# an archive) every file but the build folders.
set(name numora-${CPACK_PACKAGE_VERSION})
set(source ${CPACK_NUMORA_SOURCE_DIR})
set(stage ${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/source)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/${name})
find_program(GIT git)
set(listed 1)
if(GIT)
  # The tree's file names hold no newline or semicolon.
  execute_process(COMMAND ${GIT} -C ${source} ls-files OUTPUT_VARIABLE files
                  RESULT_VARIABLE listed ERROR_QUIET)
endif()
if(listed EQUAL 0)
  string(REPLACE "\n" ";" files "${files}")
else()
  file(GLOB_RECURSE files RELATIVE ${source} ${source}/*)
  list(FILTER files EXCLUDE REGEX "^(build|\\.git)/")
endif()
foreach(file IN LISTS files)
  if(file STREQUAL "")
    continue()
  endif()
  get_filename_component(folder ${file} DIRECTORY)
  file(COPY ${source}/${file} DESTINATION ${stage}/${name}/${folder})
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar czf ${CPACK_PACKAGE_DIRECTORY}/${name}.tar.gz
                        ${name}
                WORKING_DIRECTORY ${stage} RESULT_VARIABLE packed)
if(NOT packed EQUAL 0)
  message(FATAL_ERROR "could not write ${name}.tar.gz")
endif()
file(REMOVE_RECURSE ${stage})
message(STATUS "source archive: ${CPACK_PACKAGE_DIRECTORY}/${name}.tar.gz")
