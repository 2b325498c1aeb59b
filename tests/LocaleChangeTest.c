/* One decimal separator per call: each operation reads the locale's separator once and uses it
   for the register's translation, the parse and the print alike, so a locale changed while the
   library is loaded (or between loading it and the first call) changes nothing the host sees.
     numora_locale_change_test LIBRARY switch   loaded under de_DE (","), then "C", and back
     numora_locale_change_test LIBRARY first    loaded under "C", the first call under de_DE
   (LOCPATH holds a compiled de_DE.UTF-8.) */
#include <dlfcn.h>
#include <locale.h>
#include <stdio.h>
#include <string.h>

#include "numora/numora.h"

typedef int (*RunFunction)(const char*, const char*, NumoraOutcome*);

static int failed;
static RunFunction run;

static void Expect(const char* operation, const char* operand, const char* text, const char* when) {
  NumoraOutcome o;
  const int got = run(operation, operand, &o);
  if (got != 0 || strcmp(o.text, text) != 0) {
    ++failed;
    printf("FAIL %s: %s \"%s\" gave %d \"%s\" (%s)\n", when, operation, operand, got, o.text,
           o.message != NULL ? o.message : "no message");
  }
}

/* The register form is the same under either separator. */
static void ExpectRegisterForm(const char* when) {
  Expect("sqrt", "2.5", "1.58113883008419", when);
  Expect("power", "1.5,2", "2.25", when);
  Expect("oct_to_dec", "17", "15", when);
}

static int Use(const char* name) {
  if (setlocale(LC_NUMERIC, name) != NULL) return 1;
  printf("no %s locale\n", name);
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const int first = strcmp(argv[2], "first") == 0;
  if (!Use(first ? "C" : "de_DE.UTF-8")) return 2;
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    printf("%s\n", dlerror());
    return 2;
  }
  *(void**)&run = dlsym(library, "NumoraRun");
  if (run == NULL) return 2;

  if (first) {
    if (!Use("de_DE.UTF-8")) return 2;
    ExpectRegisterForm("first call under another locale than the load's");
  } else {
    ExpectRegisterForm("under the load locale");
    if (!Use("C")) return 2;
    ExpectRegisterForm("after the switch");
    if (!Use("de_DE.UTF-8")) return 2;
    ExpectRegisterForm("after switching back");
  }
  printf("%s\n", failed == 0 ? "ok" : "failed");
  return failed == 0 ? 0 : 1;
}
