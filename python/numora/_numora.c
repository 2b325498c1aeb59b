/* The compiled crossing into the library for the numora package: one C call per operation,
   or per batch of operands. The library is opened by the package (the same search as its
   ctypes fallback) and reached through NumoraFind and NumoraCallIn, on a context of the calling
   thread's own (as decimal keeps one context per thread): threads never share a register or an
   angle unit, and a batch runs with the GIL released, so other threads go on meanwhile. */
#define PY_SSIZE_T_CLEAN
#include <Python.h>
#include <dlfcn.h>
#include <string.h>
#include <structmember.h>

#include "numora/numora.h"

typedef const NumoraOperation* (*FindFunction)(const char*);
typedef int (*CallInFunction)(NumoraContext*, const NumoraOperation*, const char*, NumoraOutcome*);
typedef NumoraContext* (*OpenFunction)(void);
typedef void (*CloseFunction)(NumoraContext*);

static FindFunction find_operation;
static CallInFunction call_in;
static OpenFunction open_context;
static CloseFunction close_context;
static Py_tss_t thread_context = Py_tss_NEEDS_INIT; /* this thread's NumoraContext */
static PyObject* thread_owner;  /* a threading.local whose capsule closes it when the thread ends */
static PyObject* error_classes; /* kind name -> class, set by the package */
static PyObject* base_error;    /* numora.Error */

/* An operand as the library's text: str (ASCII without a copy), bytes, or any number through
   str(). `holder` keeps a made object alive while the text is used. */
static const char* OperandText(PyObject* operand, PyObject** holder) {
  *holder = NULL;
  if (PyUnicode_Check(operand)) {
    if (PyUnicode_IS_ASCII(operand)) return PyUnicode_AsUTF8(operand);
    *holder = PyUnicode_AsLatin1String(operand);
    return *holder != NULL ? PyBytes_AS_STRING(*holder) : NULL;
  }
  if (PyBytes_Check(operand)) return PyBytes_AS_STRING(operand);
  PyObject* text = PyObject_Str(operand);
  if (text == NULL) return NULL;
  const char* result = OperandText(text, holder);
  if (*holder == NULL) {
    *holder = text;
  } else {
    Py_DECREF(text);
  }
  return result;
}

/* Several operands joined as "a,b" in `buffer` (or a larger block in *owned). */
static const char* JoinedOperands(PyObject* const* operands, Py_ssize_t count, char* buffer,
                                  size_t size, char** owned) {
  *owned = NULL;
  size_t used = 0;
  for (Py_ssize_t i = 0; i < count; ++i) {
    PyObject* holder;
    const char* text = OperandText(operands[i], &holder);
    if (text == NULL) return NULL;
    const size_t length = strlen(text);
    if (used + length + 2 > size) {
      const size_t grown = 2 * (used + length + 2);
      char* bigger = PyMem_Malloc(grown);
      if (bigger == NULL) {
        Py_XDECREF(holder);
        PyErr_NoMemory();
        return NULL;
      }
      memcpy(bigger, *owned != NULL ? *owned : buffer, used);
      PyMem_Free(*owned);
      *owned = bigger;
      size = grown;
    }
    char* target = *owned != NULL ? *owned : buffer;
    if (i > 0) target[used++] = ',';
    memcpy(target + used, text, length);
    used += length;
    target[used] = '\0';
    Py_XDECREF(holder);
  }
  return *owned != NULL ? *owned : buffer;
}

/* Raises the library's error as its class; `index` >= 0 names the operand of a batch. */
static PyObject* RaiseOutcome(int status, const NumoraOutcome* outcome, Py_ssize_t index) {
  const char* message = outcome->message != NULL ? outcome->message : "";
  if (status == 2) {
    PyErr_SetString(PyExc_ValueError, message);
    return NULL;
  }
  PyObject* kind = PyUnicode_FromString(outcome->kind != NULL ? outcome->kind : "Exception");
  PyObject* cls =
      kind != NULL && error_classes != NULL ? PyDict_GetItem(error_classes, kind) : NULL;
  if (cls == NULL) cls = base_error != NULL ? base_error : PyExc_ValueError;
  PyObject* text = PyUnicode_DecodeLatin1(message, (Py_ssize_t)strlen(message), NULL);
  PyObject* error = text != NULL ? PyObject_CallOneArg(cls, text) : NULL;
  Py_XDECREF(text);
  if (error != NULL) {
    if (kind != NULL) PyObject_SetAttrString(error, "kind", kind);
    if (index >= 0) {
      PyObject* position = PyLong_FromSsize_t(index);
      if (position != NULL) {
        PyObject_SetAttrString(error, "index", position);
        Py_DECREF(position);
      }
    }
    PyErr_SetObject(cls, error);
    Py_DECREF(error);
  }
  Py_XDECREF(kind);
  return NULL;
}

static PyObject* TextOf(const NumoraOutcome* outcome) {
  const char* text = outcome->text != NULL ? outcome->text : "";
  return PyUnicode_DecodeLatin1(text, (Py_ssize_t)strlen(text), NULL);
}

static int Loaded(void) {
  if (call_in != NULL) return 1;
  PyErr_SetString(PyExc_ImportError, "numora: the library is not loaded");
  return 0;
}

static void CloseContext(PyObject* capsule) {
  NumoraContext* context = PyCapsule_GetPointer(capsule, "numora.context");
  if (context != NULL) close_context(context);
}

/* The calling thread's context, opened on its first call; NULL with an exception set. */
static NumoraContext* ThreadContext(void) {
  NumoraContext* context = PyThread_tss_get(&thread_context);
  if (context != NULL) return context;
  context = open_context();
  if (context == NULL) return (NumoraContext*)PyErr_NoMemory();
  PyObject* capsule = PyCapsule_New(context, "numora.context", CloseContext);
  if (capsule == NULL) {
    close_context(context);
    return NULL;
  }
  const int kept = PyObject_SetAttrString(thread_owner, "context", capsule);
  Py_DECREF(capsule); /* the thread's local now owns it, or it is closed here */
  if (kept != 0 || PyThread_tss_set(&thread_context, context) != 0) {
    if (kept == 0) PyErr_SetString(PyExc_RuntimeError, "numora: no thread-specific storage");
    return NULL;
  }
  return context;
}

static int CallOperation(const NumoraOperation* operation, const char* operand,
                         NumoraOutcome* outcome) {
  NumoraContext* context = ThreadContext();
  if (context == NULL) return -1;
  return call_in(context, operation, operand, outcome);
}

/* An operation bound to its handle: numora.sqrt(2), numora.power(2, 10). */
typedef struct {
  PyObject_HEAD const NumoraOperation* operation;
  PyObject* name;
  vectorcallfunc vectorcall;
} Bound;

static PyObject* BoundCall(PyObject* self, PyObject* const* args, size_t nargsf,
                           PyObject* kwnames) {
  const Bound* bound = (const Bound*)self;
  const Py_ssize_t count = PyVectorcall_NARGS(nargsf);
  if (kwnames != NULL && PyTuple_GET_SIZE(kwnames) > 0) {
    PyErr_SetString(PyExc_TypeError, "operations take no keyword arguments");
    return NULL;
  }
  char buffer[512];
  char* owned = NULL;
  PyObject* holder = NULL;
  const char* operand = NULL;
  if (count == 1) {
    operand = OperandText(args[0], &holder);
    if (operand == NULL) return NULL;
  } else if (count > 1) {
    operand = JoinedOperands(args, count, buffer, sizeof buffer, &owned);
    if (operand == NULL) return NULL;
  }
  NumoraOutcome outcome;
  const int status = CallOperation(bound->operation, operand, &outcome);
  Py_XDECREF(holder);
  PyMem_Free(owned);
  if (status < 0) return NULL;
  return status == 0 ? TextOf(&outcome) : RaiseOutcome(status, &outcome, -1);
}

static void BoundDealloc(PyObject* self) {
  Py_XDECREF(((Bound*)self)->name);
  PyObject_Free(self);
}

static PyObject* BoundRepr(PyObject* self) {
  return PyUnicode_FromFormat("<numora operation %U>", ((Bound*)self)->name);
}

static PyMemberDef kBoundMembers[] = {
    {"__name__", T_OBJECT, offsetof(Bound, name), READONLY, "the operation's export name"},
    {NULL, 0, 0, 0, NULL},
};

static PyTypeObject BoundType = {
    PyVarObject_HEAD_INIT(NULL, 0).tp_name = "numora._numora.Operation",
    .tp_basicsize = sizeof(Bound),
    .tp_dealloc = BoundDealloc,
    .tp_vectorcall_offset = offsetof(Bound, vectorcall),
    .tp_call = PyVectorcall_Call,
    .tp_repr = BoundRepr,
    .tp_members = kBoundMembers,
    .tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_VECTORCALL,
    .tp_doc = "A library operation: call it with its operands (joined as \"a,b\").",
};

static const NumoraOperation* Resolve(PyObject* name) {
  const char* text = PyUnicode_AsUTF8(name);
  if (text == NULL) return NULL;
  const NumoraOperation* operation = find_operation(text);
  if (operation == NULL) PyErr_Format(PyExc_ValueError, "unknown operation '%s'", text);
  return operation;
}

/* operation(name): the bound operation of that name. */
static PyObject* Operation(PyObject* module, PyObject* name) {
  (void)module;
  if (!Loaded()) return NULL;
  const NumoraOperation* operation = Resolve(name);
  if (operation == NULL) return NULL;
  Bound* bound = PyObject_New(Bound, &BoundType);
  if (bound == NULL) return NULL;
  bound->operation = operation;
  bound->vectorcall = BoundCall;
  Py_INCREF(name);
  bound->name = name;
  return (PyObject*)bound;
}

/* call(name, operand=None): one operation by name. */
static PyObject* Call(PyObject* module, PyObject* const* args, Py_ssize_t count) {
  (void)module;
  if (count < 1 || count > 2) {
    PyErr_SetString(PyExc_TypeError, "call(name, operand=None)");
    return NULL;
  }
  if (!Loaded()) return NULL;
  const NumoraOperation* operation = Resolve(args[0]);
  if (operation == NULL) return NULL;
  PyObject* holder = NULL;
  const char* operand = NULL;
  if (count == 2 && args[1] != Py_None) {
    operand = OperandText(args[1], &holder);
    if (operand == NULL) return NULL;
  }
  NumoraOutcome outcome;
  const int status = CallOperation(operation, operand, &outcome);
  Py_XDECREF(holder);
  if (status < 0) return NULL;
  return status == 0 ? TextOf(&outcome) : RaiseOutcome(status, &outcome, -1);
}

/* The results of a batch, appended without the GIL: texts end to end, NUL-separated. */
typedef struct {
  char* bytes;
  size_t used, size;
} Texts;

static int Append(Texts* texts, const char* text) {
  const size_t length = strlen(text) + 1;
  if (texts->used + length > texts->size) {
    const size_t grown = 2 * (texts->used + length) + 256;
    char* bigger = PyMem_RawRealloc(texts->bytes, grown);
    if (bigger == NULL) return 0;
    texts->bytes = bigger;
    texts->size = grown;
  }
  memcpy(texts->bytes + texts->used, text, length);
  texts->used += length;
  return 1;
}

/* map(name, operands): the operation on each operand, one crossing for the whole batch. The
   operands' texts are taken first; the calls then run with the GIL released. */
static PyObject* Map(PyObject* module, PyObject* const* args, Py_ssize_t count) {
  (void)module;
  if (count != 2) {
    PyErr_SetString(PyExc_TypeError, "map(name, operands)");
    return NULL;
  }
  if (!Loaded()) return NULL;
  const NumoraOperation* operation =
      PyObject_TypeCheck(args[0], &BoundType) ? ((Bound*)args[0])->operation : Resolve(args[0]);
  if (operation == NULL) return NULL;
  NumoraContext* context = ThreadContext();
  if (context == NULL) return NULL;
  PyObject* sequence = PySequence_Fast(args[1], "map: operands must be iterable");
  if (sequence == NULL) return NULL;
  const Py_ssize_t size = PySequence_Fast_GET_SIZE(sequence);
  PyObject** items = PySequence_Fast_ITEMS(sequence);
  PyObject* results = NULL;
  const char** operands = PyMem_Malloc((size_t)(size > 0 ? size : 1) * sizeof *operands);
  PyObject** holders = PyMem_Calloc((size_t)(size > 0 ? size : 1), sizeof *holders);
  Texts texts = {NULL, 0, 0};
  if (operands == NULL || holders == NULL) {
    PyErr_NoMemory();
    goto done;
  }
  for (Py_ssize_t i = 0; i < size; ++i) {
    operands[i] = OperandText(items[i], &holders[i]);
    if (operands[i] == NULL) goto done;
  }
  NumoraOutcome outcome;
  int status = 0;
  int appended = 1;
  Py_ssize_t done_count = 0;
  Py_BEGIN_ALLOW_THREADS for (; done_count < size; ++done_count) {
    status = call_in(context, operation, operands[done_count], &outcome);
    if (status != 0 || !(appended = Append(&texts, outcome.text))) break;
  }
  Py_END_ALLOW_THREADS if (!appended) {
    PyErr_NoMemory();
    goto done;
  }
  if (status != 0) {
    RaiseOutcome(status, &outcome, done_count);
    goto done;
  }
  results = PyList_New(size);
  if (results == NULL) goto done;
  const char* text = texts.bytes;
  for (Py_ssize_t i = 0; i < size; ++i) {
    const size_t length = strlen(text);
    PyObject* item = PyUnicode_DecodeLatin1(text, (Py_ssize_t)length, NULL);
    if (item == NULL) {
      Py_CLEAR(results);
      goto done;
    }
    PyList_SET_ITEM(results, i, item);
    text += length + 1;
  }
done:
  if (holders != NULL) {
    for (Py_ssize_t i = 0; i < size; ++i) Py_XDECREF(holders[i]);
  }
  PyMem_Free(holders);
  PyMem_Free(operands);
  PyMem_RawFree(texts.bytes);
  Py_DECREF(sequence);
  return results;
}

/* load(path, error_classes, base_error): opens the library and takes the error classes. */
static PyObject* Load(PyObject* module, PyObject* args) {
  (void)module;
  const char* path;
  PyObject* classes;
  PyObject* base;
  if (!PyArg_ParseTuple(args, "sO!O", &path, &PyDict_Type, &classes, &base)) return NULL;
  void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    PyErr_Format(PyExc_ImportError, "numora: %s", dlerror());
    return NULL;
  }
  FindFunction find = (FindFunction)dlsym(library, "NumoraFind");
  CallInFunction call = (CallInFunction)dlsym(library, "NumoraCallIn");
  OpenFunction opener = (OpenFunction)dlsym(library, "NumoraOpen");
  CloseFunction closer = (CloseFunction)dlsym(library, "NumoraClose");
  if (find == NULL || call == NULL || opener == NULL || closer == NULL) {
    PyErr_Format(PyExc_ImportError,
                 "numora: %s lacks NumoraFind, NumoraCallIn, NumoraOpen or "
                 "NumoraClose",
                 path);
    return NULL;
  }
  if (!PyThread_tss_is_created(&thread_context) && PyThread_tss_create(&thread_context) != 0) {
    PyErr_SetString(PyExc_ImportError, "numora: no thread-specific storage");
    return NULL;
  }
  PyObject* threading = PyImport_ImportModule("threading");
  PyObject* owner = threading != NULL ? PyObject_CallMethod(threading, "local", NULL) : NULL;
  Py_XDECREF(threading);
  if (owner == NULL) return NULL;
  Py_XSETREF(thread_owner, owner);
  find_operation = find;
  call_in = call;
  open_context = opener;
  close_context = closer;
  Py_INCREF(classes);
  Py_XSETREF(error_classes, classes);
  Py_INCREF(base);
  Py_XSETREF(base_error, base);
  Py_RETURN_NONE;
}

static PyMethodDef kMethods[] = {
    {"load", Load, METH_VARARGS, "load(path, error_classes, base_error)"},
    {"operation", Operation, METH_O, "operation(name): the operation bound to its handle"},
    {"call", (PyCFunction)(void (*)(void))Call, METH_FASTCALL, "call(name, operand=None)"},
    {"map", (PyCFunction)(void (*)(void))Map, METH_FASTCALL,
     "map(name, operands): the operation on each operand, as a list of texts"},
    {NULL, NULL, 0, NULL},
};

static struct PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT,
    "_numora",
    "The compiled crossing into the Numora library.",
    -1,
    kMethods,
    NULL,
    NULL,
    NULL,
    NULL,
};

PyMODINIT_FUNC PyInit__numora(void) {
  if (PyType_Ready(&BoundType) < 0) return NULL;
  return PyModule_Create(&kModule);
}
