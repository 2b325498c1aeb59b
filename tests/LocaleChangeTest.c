/* The decimal-point translation reads the locale's separator on every call: a locale changed
   between two calls changes how the register's "." is read. The library is loaded under a
   locale whose separator is ",", so that its own number texts use ",".
     numora_locale_change_test LIBRARY      (LOCPATH holds a compiled de_DE.UTF-8) */
#include <dlfcn.h>
#include <locale.h>
#include <stdio.h>
#include <string.h>

#include "numora/numora.h"

typedef int (*RunFunction)(const char*, const char*, NumoraOutcome*);

static int failed;

static void Expect(RunFunction run, const char* operand, int status, const char* text,
                   const char* message, const char* when) {
  NumoraOutcome o;
  const int got = run("sqrt", operand, &o);
  const int ok =
      got == status && strcmp(o.text, text) == 0 &&
      (message == NULL ? o.message == NULL : o.message != NULL && strcmp(o.message, message) == 0);
  if (!ok) {
    ++failed;
    printf("FAIL %s: sqrt \"%s\" gave %d \"%s\" (%s)\n", when, operand, got, o.text,
           o.message != NULL ? o.message : "no message");
  }
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  if (setlocale(LC_NUMERIC, "de_DE.UTF-8") == NULL) {
    printf("no de_DE.UTF-8 locale\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    printf("%s\n", dlerror());
    return 2;
  }
  RunFunction run;
  *(void**)&run = dlsym(library, "NumoraRun");
  if (run == NULL) return 2;

  Expect(run, "2.5", 0, "1.58113883008419", NULL, "under the load locale");
  setlocale(LC_NUMERIC, "C");
  /* The separator is now ".": nothing is translated, and the parse knows only ",". */
  Expect(run, "2.5", 1, "2.5", "'2.5' is not a valid floating point value", "after the switch");
  setlocale(LC_NUMERIC, "de_DE.UTF-8");
  Expect(run, "2.5", 0, "1.58113883008419", NULL, "after switching back");
  printf("%s\n", failed == 0 ? "ok" : "failed");
  return failed == 0 ? 0 : 1;
}
