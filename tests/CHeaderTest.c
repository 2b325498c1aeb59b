/* The public header is plain C: a C host compiles against it. */
#include "numora/numora.h"

int numora_c_header_declares_the_entry_points(void) {
  SetFile("2");
  Get_Sqrt();
  return GetFile()[0] == '1' && GetType() == 0;
}
