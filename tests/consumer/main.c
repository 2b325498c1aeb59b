/* A program that uses an installed (or added) Numora. */
#include <stdio.h>

#include "numora/numora.h"

int main(void) {
  NumoraOutcome outcome;
  if (NumoraRun("sqrt", "2", &outcome) != 0) return 1;
  printf("%s %d.%d.%d\n", outcome.text, NUMORA_VERSION_MAJOR, NUMORA_VERSION_MINOR,
         NUMORA_VERSION_PATCH);
  return 0;
}
