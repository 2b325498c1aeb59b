/* A C caller (ISO C99) of the Linux library: errors come back as values, never as an abort. */
#include <stdio.h>
#include <string.h>

#include "numora/numora.h"

static int passed, failed;

static void Expect(int ok, const char* what, const NumoraOutcome* o) {
  if (ok) {
    ++passed;
    return;
  }
  ++failed;
  printf("FAIL: %s (text \"%s\", kind %s, message %s)\n", what, o->text ? o->text : "(null)",
         o->kind ? o->kind : "(null)", o->message ? o->message : "(null)");
}

int main(void) {
  NumoraOutcome o;
  int status;

  status = NumoraRun("Get_Sqrt", "abc", &o);
  Expect(status == 1 && o.kind != NULL && strcmp(o.kind, "EConvertError") == 0 &&
             strcmp(o.message, "'abc' is not a valid floating point value") == 0 &&
             strcmp(o.text, "abc") == 0,
         "a rejected operand is error 1, EConvertError, register unchanged", &o);

  status = NumoraRun("Get_Sqrt", "2", &o);
  Expect(
      status == 0 && o.kind == NULL && o.message == NULL && strcmp(o.text, "1.4142135623731") == 0,
      "sqrt 2", &o);

  NumoraRun("Get_Power", "2,10", &o);
  status = NumoraRun("Get_Sqrt", NULL, &o);
  Expect(status == 0 && strcmp(o.text, "32") == 0, "a NULL operand works on the register", &o);

  status = NumoraRun("dec_to_hex", "255", &o);
  Expect(status == 0 && strcmp(o.text, "FF") == 0, "names in any case, Get_ optional", &o);
  status = NumoraRun("DEC_TO_HEX", "-1", &o);
  Expect(status == 0 && strcmp(o.text, "FFFFFFFF") == 0, "upper-case name", &o);

  status = NumoraRun("frobnicate", "1", &o);
  Expect(
      status == 2 && o.kind == NULL && o.message != NULL && strstr(o.message, "frobnicate") != NULL,
      "an unknown name is 2 and says so", &o);
  status = NumoraRun("Get_", "1", &o);
  Expect(status == 2, "\"Get_\" alone names nothing", &o);

  status = NumoraRun("Get_Frac", "2.5", NULL);
  Expect(status == 0 && strcmp(GetFile(), "0.5") == 0, "the outcome may be NULL", &o);

  status = NumoraRun("Get_And", "x,1", &o);
  Expect(status == 1 && strcmp(o.kind, "EConvertError") == 0, "integer text errors too", &o);

  printf("%d passed, %d failed\n", passed, failed);
  return failed != 0;
}
