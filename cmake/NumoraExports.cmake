# Reads the one list of exports (include/numora/numora_exports.h) into NUMORA_EXPORT_NAMES and
# NUMORA_EXPORT_ORDINALS (NUMORA_OPERATION_NAMES: the operations alone), and writes the files
# generated from it.
function(numora_read_exports header)
  file(READ "${header}" content)
  string(REGEX MATCHALL "X\\([A-Za-z0-9_]+, [0-9]+\\)" entries "${content}")
  set(names)
  set(ordinals)
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^X\\(([A-Za-z0-9_]+), ([0-9]+)\\)$" "\\1;\\2" pair "${entry}")
    list(GET pair 0 name)
    list(GET pair 1 ordinal)
    list(APPEND names ${name})
    list(APPEND ordinals ${ordinal})
  endforeach()
  list(LENGTH names count)
  if(NOT count EQUAL 79)
    message(FATAL_ERROR "expected 79 exports in ${header}, found ${count}")
  endif()
  # The operations are listed before the boundary entry points.
  string(FIND "${content}" "#define NUMORA_BOUNDARY_EXPORTS" boundary_start)
  string(SUBSTRING "${content}" 0 ${boundary_start} operations_part)
  string(REGEX MATCHALL "X\\([A-Za-z0-9_]+," operation_entries "${operations_part}")
  list(TRANSFORM operation_entries REPLACE "^X\\(([A-Za-z0-9_]+),$" "\\1")
  list(LENGTH operation_entries operation_count)
  if(NOT operation_count EQUAL 68)
    message(FATAL_ERROR "expected 68 operations in ${header}, found ${operation_count}")
  endif()
  set(NUMORA_OPERATION_NAMES ${operation_entries} PARENT_SCOPE)
  set(NUMORA_EXPORT_NAMES ${names} PARENT_SCOPE)
  set(NUMORA_EXPORT_ORDINALS ${ordinals} PARENT_SCOPE)
endfunction()

# Entry points of the Linux library beyond the 79: the run-by-name call for C and Python.
set(NUMORA_POSIX_ONLY_EXPORTS NumoraRun NumoraFind NumoraCall NumoraOpen NumoraClose NumoraRunIn
                              NumoraCallIn)

# ELF version script: the entry points and the error classes' type information, nothing else.
function(numora_write_version_script path)
  set(text "NUMORA_1 {\n  global:\n")
  foreach(name IN LISTS NUMORA_EXPORT_NAMES NUMORA_POSIX_ONLY_EXPORTS)
    string(APPEND text "    ${name};\n")
  endforeach()
  string(APPEND text "    _ZTIN6numora*;\n    _ZTSN6numora*;\n  local:\n    *;\n};\n")
  file(WRITE "${path}" "${text}")
endfunction()

# The boundary entry points with one 4-byte argument (numora.h): on 32-bit Windows their
# __stdcall names end in @4, every other entry point's in @0.
set(NUMORA_ONE_ARGUMENT_EXPORTS Draw SetParentWindow SetPath SetData SetFile)

# The module definition the import libraries are made from: on 32-bit Windows the names as the
# header's __stdcall declarations decorate them (Get_Sqrt@0, SetFile@4), which the import
# libraries map to the DLL's undecorated exports; elsewhere the plain names.
function(numora_write_import_def_file path decorated)
  set(text "LIBRARY \"Numora.dll\"\nEXPORTS\n")
  foreach(name ordinal IN ZIP_LISTS NUMORA_EXPORT_NAMES NUMORA_EXPORT_ORDINALS)
    set(decoration "")
    if(decorated)
      set(decoration "@0")
      if(name IN_LIST NUMORA_ONE_ARGUMENT_EXPORTS)
        set(decoration "@4")
      endif()
    endif()
    string(APPEND text "    ${name}${decoration} @${ordinal}\n")
  endforeach()
  file(WRITE "${path}" "${text}")
endfunction()

# Windows module definition: undecorated names with their ordinals.
function(numora_write_def_file path)
  set(text "LIBRARY \"Numora.dll\"\nEXPORTS\n")
  foreach(name ordinal IN ZIP_LISTS NUMORA_EXPORT_NAMES NUMORA_EXPORT_ORDINALS)
    string(APPEND text "    ${name} @${ordinal}\n")
  endforeach()
  file(WRITE "${path}" "${text}")
endfunction()
