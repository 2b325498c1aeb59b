/* A host that loads Numora.dll by name, runs operations and catches the library's error, the
   structured exception 0x0EEDFADE, reading its kind and message from the error object.

     MinGW:  i686-w64-mingw32-gcc -Wall -Wextra -I include examples/loading_host.c -o host.exe
     MSVC:   cl /W4 /I include examples\loading_host.c

   MSVC catches the exception with __try/__except; MinGW's C has no __try, so a vectored
   exception handler takes the error object and jumps back to the call. */
#include <stdio.h>
#include <windows.h>

#include "numora/numora.h"

typedef void(NUMORA_CALL* SetFileFn)(const char*);
typedef const char*(NUMORA_CALL* GetFileFn)(void);
typedef void(NUMORA_CALL* OperationFn)(void);

/* GetProcAddress's FARPROC cast through the generic function pointer void (*)(void). */
#define NUMORA_FIND(module, type, name) ((type)(void (*)(void))GetProcAddress((module), (name)))

/* The error of the last call that failed: its kind and message, copied before the error object
   is released. */
static char failure[256];

static void KeepError(const EXCEPTION_RECORD* record) {
  NumoraError* error = (NumoraError*)record->ExceptionInformation[1];
  snprintf(failure, sizeof failure, "%s: %s", error->kind->name, error->message);
  error->kind->release(error);
}

#ifdef _MSC_VER
static int Filter(const EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode != NUMORA_ERROR_EXCEPTION_CODE) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  KeepError(info->ExceptionRecord);
  return EXCEPTION_EXECUTE_HANDLER;
}

/* 1 when the operation returned, 0 when it raised the library's error. */
static int Call(OperationFn operation) {
  __try {
    operation();
    return 1;
  } __except (Filter(GetExceptionInformation())) {
    return 0;
  }
}
#else
static void* jump_back[5];

static LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
  if (info->ExceptionRecord->ExceptionCode != NUMORA_ERROR_EXCEPTION_CODE) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  KeepError(info->ExceptionRecord);
  __builtin_longjmp(jump_back, 1); /* nothing in the library's frames needs unwinding */
}

static int Call(OperationFn operation) {
  PVOID handler = AddVectoredExceptionHandler(1, OnException);
  int returned = 0;
  if (__builtin_setjmp(jump_back) == 0) {
    operation();
    returned = 1;
  }
  RemoveVectoredExceptionHandler(handler);
  return returned;
}
#endif

int main(void) {
  HMODULE numora = LoadLibraryA("Numora.dll");
  if (numora == NULL) {
    printf("Numora.dll did not load (error %lu)\n", (unsigned long)GetLastError());
    return 1;
  }
  SetFileFn set_file = NUMORA_FIND(numora, SetFileFn, "SetFile");
  GetFileFn get_file = NUMORA_FIND(numora, GetFileFn, "GetFile");
  OperationFn square_root = NUMORA_FIND(numora, OperationFn, "Get_Sqrt");
  OperationFn power = NUMORA_FIND(numora, OperationFn, MAKEINTRESOURCEA(36)); /* Get_Power */

  set_file("2");
  if (Call(square_root)) printf("sqrt 2 = %s\n", get_file());
  set_file("2,10");
  if (Call(power)) printf("power 2,10 = %s\n", get_file());
  set_file("abc");
  if (!Call(square_root))
    printf("sqrt abc failed: %s (the register keeps %s)\n", failure, get_file());
  /* The library works on after a caught error, and a second one is caught the same way. */
  set_file("16");
  if (Call(square_root)) printf("sqrt 16 = %s\n", get_file());
  set_file("2,x");
  if (!Call(power)) printf("power 2,x failed: %s\n", failure);
  FreeLibrary(numora);
  return 0;
}
