/* Numora: math plug-in library. Plain C interface.
   A host writes an operand text with SetFile, calls one operation, reads the result with GetFile.
 */
#ifndef NUMORA_H
#define NUMORA_H

#include <stdint.h>

#include "numora_exports.h"

/* The library's version; the shared object's SONAME carries the major number. */
#define NUMORA_VERSION_MAJOR 1
#define NUMORA_VERSION_MINOR 0
#define NUMORA_VERSION_PATCH 1

#if defined(_WIN32) && !defined(_WIN64)
#define NUMORA_CALL __stdcall
#else
#define NUMORA_CALL
#endif

#if defined(NUMORA_BUILDING_LIBRARY) && !defined(_WIN32)
#define NUMORA_API __attribute__((visibility("default")))
#else
#define NUMORA_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

NUMORA_API const char* NUMORA_CALL Copyright(void);
NUMORA_API const char* NUMORA_CALL GetShortInfo(void);
NUMORA_API const char* NUMORA_CALL GetInfo(void);
NUMORA_API int32_t NUMORA_CALL GetType(void);
NUMORA_API void* NUMORA_CALL SetParentWindow(void* window);
NUMORA_API int32_t NUMORA_CALL Draw(void* device_context);
NUMORA_API void NUMORA_CALL SetPath(const char* path);
NUMORA_API void NUMORA_CALL SetFile(const char* text);
NUMORA_API const char* NUMORA_CALL GetFile(void);
NUMORA_API intptr_t NUMORA_CALL SetData(intptr_t data);
NUMORA_API intptr_t NUMORA_CALL GetData(void);

#define NUMORA_DECLARE_OPERATION(name, ordinal) NUMORA_API void NUMORA_CALL name(void);
NUMORA_OPERATION_EXPORTS(NUMORA_DECLARE_OPERATION)
#undef NUMORA_DECLARE_OPERATION

/* Windows: a library error leaves an entry point as a structured exception with this code,
   flags EXCEPTION_NONCONTINUABLE and 7 arguments: [0] the raise address, [1] NumoraError*. */
#define NUMORA_ERROR_EXCEPTION_CODE 0x0EEDFADEu
#define NUMORA_ERROR_EXCEPTION_ARGUMENTS 7

typedef struct NumoraError NumoraError;
typedef struct NumoraErrorKind NumoraErrorKind;

struct NumoraErrorKind {
  const char* name;                    /* "EConvertError", "EOutOfMemory", ... */
  const NumoraErrorKind* base;         /* NULL for "Exception" */
  void (*release)(NumoraError* error); /* call once done; no-op for the preallocated errors */
};

struct NumoraError {
  const NumoraErrorKind* kind;
  const char* message;  /* NUL-terminated; its int32_t length is stored just before it */
  int32_t help_context; /* always 0 */
};

#ifndef _WIN32
/* Linux: one operation by name, its error returned as a value, for callers that cannot catch
   the C++ exceptions of numora.hpp (C, Python through ctypes).

   Threads. The 79 entry points above share one process-wide state (the register, the operand
   fields, the angle unit): call them from one thread at a time. NumoraRun and NumoraCall work
   on that same state and may be called from any number of threads at once: their calls are
   serialised, and each thread's outcome stays valid until that thread's next NumoraRun or
   NumoraCall (do not mix them with the 79 entry points from other threads at the same time).
   A NumoraContext is a state of a caller's own: calls on different contexts run in parallel,
   one context is used by one thread at a time, and its outcomes stay valid until its next
   call. Every call computes under the calling thread's x87 control word; with an exception
   unmasked, its fault (SIGFPE) leaves from inside the call, and a call left by a jump from a
   signal handler leaves a shared lock held, so unmask faults only on a context. */
typedef struct NumoraOutcome {
  const char* text;    /* the register after the call */
  const char* kind;    /* the error kind ("EConvertError", "EOutOfMemory", ...), or NULL */
  const char* message; /* the error message, or NULL */
} NumoraOutcome;

/* Writes `operand` into the register (NULL keeps it, so calls chain) and runs the operation
   named `operation` (any case, "Get_" optional: "Get_Sqrt", "sqrt", "DEC_TO_HEX").
   Returns 0 on success, 1 when the operation raised an error (the register is unchanged),
   2 for an unknown operation name (`message` says so). Never throws; unmasked x87 faults stay
   SIGFPE. */
NUMORA_API int NumoraRun(const char* operation, const char* operand, NumoraOutcome* outcome);

/* The same in two steps, for callers that run one operation many times: NumoraFind resolves a
   name once (NULL for an unknown one), NumoraCall runs it as NumoraRun does (2 for NULL). */
typedef struct NumoraOperation NumoraOperation;
NUMORA_API const NumoraOperation* NumoraFind(const char* operation);
NUMORA_API int NumoraCall(const NumoraOperation* operation, const char* operand,
                          NumoraOutcome* outcome);

/* A context: a state of its own (register, operand fields, angle unit, last values), as the
   library has at load. NumoraOpen returns NULL when memory is exhausted; NumoraClose releases
   it (NULL does nothing). NumoraRunIn and NumoraCallIn run as NumoraRun and NumoraCall do, on
   the context; a NULL context gives 2. */
typedef struct NumoraContext NumoraContext;
NUMORA_API NumoraContext* NumoraOpen(void);
NUMORA_API void NumoraClose(NumoraContext* context);
NUMORA_API int NumoraRunIn(NumoraContext* context, const char* operation, const char* operand,
                           NumoraOutcome* outcome);
NUMORA_API int NumoraCallIn(NumoraContext* context, const NumoraOperation* operation,
                            const char* operand, NumoraOutcome* outcome);
#endif

#ifdef __cplusplus
}
#endif

#endif
