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

  /* Every operation by its own name, in upper and lower case and without "Get_", resolves to
     one handle of its own; near misses and the boundary entry points resolve to nothing. */
  {
    static const char* const names[] = {
#define NAME_OF(name, ordinal) #name,
        NUMORA_OPERATION_EXPORTS(NAME_OF)
#undef NAME_OF
    };
    const NumoraOperation* handles[sizeof names / sizeof names[0]];
    size_t i, j;
    int all = 1, distinct = 1;
    for (i = 0; i < sizeof names / sizeof names[0]; ++i) {
      char upper[64], lower[64];
      size_t k;
      for (k = 0; names[i][k] != '\0'; ++k) {
        upper[k] =
            (char)(names[i][k] >= 'a' && names[i][k] <= 'z' ? names[i][k] - 32 : names[i][k]);
        lower[k] =
            (char)(names[i][k] >= 'A' && names[i][k] <= 'Z' ? names[i][k] + 32 : names[i][k]);
      }
      upper[k] = lower[k] = '\0';
      handles[i] = NumoraFind(names[i]);
      all = all && handles[i] != NULL && NumoraFind(upper) == handles[i] &&
            NumoraFind(lower) == handles[i] &&
            (strncmp(names[i], "Get_", 4) != 0 || NumoraFind(lower + 4) == handles[i]);
      for (j = 0; j < i; ++j) distinct = distinct && handles[j] != handles[i];
    }
    Expect(all, "every operation in every spelling", &o);
    Expect(distinct, "one handle per operation", &o);
  }
  Expect(NumoraFind("Get_Sqrtx") == NULL && NumoraFind("sqr") == NULL &&
             NumoraFind("get_get_sqrt") == NULL && NumoraFind("SetFile") == NULL &&
             NumoraFind("Get_SetFile") == NULL && NumoraFind("") == NULL &&
             NumoraFind(NULL) == NULL && NumoraFind("Dec_To_Hex ") == NULL &&
             NumoraFind("to_hex") == NULL,
         "near misses and boundary entry points name nothing", &o);
  /* Only letters fold: a byte 0x20 above a name's '_', or a letter with the top bit set, names
     nothing; nor does a trailing space, a name past the longest, or one a character short. */
  Expect(NumoraFind("Get\x7fSqrt") == NULL && NumoraFind("Dec\x7fTo\x7fHex") == NULL &&
             NumoraFind("Get_\xd3qrt") == NULL && NumoraFind("Get_Sqrt\x20") == NULL &&
             NumoraFind("Get_Sqrt_Get_Sqrt_Get_Sqrt_Get_Sqrt") == NULL &&
             NumoraFind("Get_SimpleRoundTo_") == NULL && NumoraFind("Get_SimpleRoundT") == NULL &&
             NumoraFind("GET_SIMPLEROUNDTO") != NULL,
         "only letters fold, and the whole name counts", &o);

  /* Resolved once, called many times; the outcome as NumoraRun gives it. */
  {
    const NumoraOperation* sqrt_op = NumoraFind("SQRT");
    status = NumoraCall(sqrt_op, "6.25", &o);
    Expect(status == 0 && strcmp(o.text, "2.5") == 0, "NumoraCall runs the found operation", &o);
    status = NumoraCall(sqrt_op, "x", &o);
    Expect(status == 1 && strcmp(o.kind, "EConvertError") == 0 && strcmp(o.text, "x") == 0,
           "NumoraCall returns the error", &o);
    status = NumoraCall(NULL, "1", &o);
    Expect(status == 2 && o.message != NULL, "NumoraCall of no operation is 2", &o);
  }

  printf("%d passed, %d failed\n", passed, failed);
  return failed != 0;
}
