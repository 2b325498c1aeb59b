/* A host linked to Numora.dll through its import library: the header's declarations, no
   LoadLibrary.

     MinGW:  i686-w64-mingw32-gcc -Wall -Wextra -I include examples/linked_host.c -L lib -lNumora
     MSVC:   cl /W4 /I include examples\linked_host.c lib\Numora.lib

   (On 32-bit Windows the declarations are __stdcall, decorated names such as _Get_Sqrt@0; the
   import libraries map them to the DLL's undecorated exports.) */
#include <stdio.h>

#include "numora/numora.h"

int main(void) {
  SetFile("2");
  Get_Sqrt();
  printf("sqrt 2 = %s\n", GetFile());
  SetFile("255");
  Dec_To_Hex();
  printf("dec_to_hex 255 = %s\n", GetFile());
  printf("%s\n", GetShortInfo());
  return 0;
}
