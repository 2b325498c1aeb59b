/* The public header is plain C: a C host compiles against it. */
#include "numora/numora.h"

int numora_c_header_declares_the_entry_points(void) {
  SetFile("2");
  Get_Sqrt();
  return GetFile()[0] == '1' && GetType() == 0;
}

/* The header's version is the project's. */
#if NUMORA_VERSION_MAJOR != EXPECTED_VERSION_MAJOR || \
    NUMORA_VERSION_MINOR != EXPECTED_VERSION_MINOR || NUMORA_VERSION_PATCH != EXPECTED_VERSION_PATCH
#error "numora.h's NUMORA_VERSION_* differ from the project version in CMakeLists.txt"
#endif
