"""Numora from Python: the library's operations on number texts.

    >>> import numora
    >>> numora.sqrt(2)
    '1.4142135623731'
    >>> numora.power(2, 10)
    '1024'

Every operation of the library is a function named after it in lower case, without "Get_"
(``sqrt``, ``log_n``... see ``OPERATIONS``); ``and``, ``or`` and ``not`` are ``and_``, ``or_``
and ``not_``. Operands may be texts or numbers; several operands are joined as "a,b". With
no operand an operation works on the library's register, the result of the last call.
Errors raise ``numora.EConvertError``, ``numora.EOutOfMemory``, ... (all ``numora.Error``,
a ``ValueError``). ``numora.map("sqrt", operands)`` runs one operation on many operands in one
crossing into the library; an error there carries the failing operand's ``index``.

Each thread works on a context of its own, as ``decimal`` keeps one per thread: its register
(the operand-less calls), its angle unit (``set_angle_unit`` sets the calling thread's) and its
last values; threads never see each other's, and ``map`` lets other threads run while its
batch is computed.

The calls cross into the library through the compiled module ``numora._numora``; where it is
missing, through ctypes (slower, the same results).
"""

import ctypes
import keyword
import os
import threading

from ._exports import OPERATIONS

__all__ = ["call", "map", "set_angle_unit", "python_name", "OPERATIONS", "Error", "EConvertError",
           "EHeapException", "EOutOfMemory", "EInvalidPointer"]


class Error(ValueError):
    """A library error; ``kind`` is its kind as the library names it."""

    kind = "Exception"


class EConvertError(Error):
    kind = "EConvertError"


class EHeapException(Error):
    kind = "EHeapException"


class EOutOfMemory(EHeapException):
    kind = "EOutOfMemory"


class EInvalidPointer(EHeapException):
    kind = "EInvalidPointer"


_ERRORS = {cls.kind: cls for cls in (Error, EConvertError, EHeapException, EOutOfMemory,
                                     EInvalidPointer)}


class _Outcome(ctypes.Structure):
    _fields_ = [("text", ctypes.c_char_p), ("kind", ctypes.c_char_p),
                ("message", ctypes.c_char_p)]


def _library_path():
    here = os.path.dirname(os.path.abspath(__file__))
    beside = os.path.join(here, "libnumora.so.1")  # installed
    if os.path.exists(beside):
        return beside
    named = os.environ.get("NUMORA_LIBRARY")
    if named:
        return named
    built = os.path.join(here, os.pardir, os.pardir, "libnumora.so.1")  # build/<preset>/python
    if os.path.exists(built):
        return os.path.normpath(built)
    raise ImportError("numora: libnumora.so.1 is neither beside the module nor in the build "
                      "tree; set NUMORA_LIBRARY to its path")


_library_file = _library_path()

try:
    from . import _numora as _compiled
except ImportError:  # a copy of the package without its compiled part
    _compiled = None


def _text(operand):
    if isinstance(operand, bytes):
        return operand.decode("latin-1")
    return str(operand)


if _compiled is not None:
    _compiled.load(_library_file, _ERRORS, Error)
    call = _compiled.call  # call(name, operand=None), as below

    def map(name, operands):  # noqa: A001 - the batch form of call
        """The operation `name` on each of `operands`, as a list of texts, in one crossing."""
        return _compiled.map(name, operands)

    def _make_operation(export):
        return _compiled.operation(export)
else:
    _library = ctypes.CDLL(_library_file)
    _library.NumoraOpen.argtypes = []
    _library.NumoraOpen.restype = ctypes.c_void_p
    _library.NumoraClose.argtypes = [ctypes.c_void_p]
    _library.NumoraClose.restype = None
    _library.NumoraRunIn.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_char_p,
                                     ctypes.POINTER(_Outcome)]
    _library.NumoraRunIn.restype = ctypes.c_int

    class _Context:
        """A thread's own context of the library, closed when the thread ends."""

        def __init__(self):
            self.handle = _library.NumoraOpen()
            if not self.handle:
                raise MemoryError("numora: no memory for a context")

        def __del__(self, close=_library.NumoraClose):
            close(self.handle)

    _threads = threading.local()

    def _context():
        context = getattr(_threads, "context", None)
        if context is None:
            context = _threads.context = _Context()
        return context.handle

    def call(name, operand=None):
        """Runs the operation `name` ("Get_Sqrt", "sqrt", "DEC_TO_HEX") on `operand` (a text
        or a number; None works on the register) and returns the register's text."""
        outcome = _Outcome()
        encoded = None if operand is None else _text(operand).encode("latin-1")
        status = _library.NumoraRunIn(_context(), name.encode("latin-1"), encoded,
                                      ctypes.byref(outcome))
        text = outcome.text.decode("latin-1") if outcome.text is not None else ""
        kind = outcome.kind.decode("latin-1") if outcome.kind is not None else None
        message = outcome.message.decode("latin-1") if outcome.message is not None else ""
        if status == 0:
            return text
        if status == 2:
            raise ValueError(message)
        error = _ERRORS.get(kind, Error)(message)
        error.kind = kind
        raise error

    def map(name, operands):  # noqa: A001 - the batch form of call
        """The operation `name` on each of `operands`, as a list of texts."""
        results = []
        for index, operand in enumerate(operands):
            try:
                results.append(call(name, operand))
            except Error as error:
                error.index = index
                raise
        return results

    def _make_operation(export):
        def operation(*operands):
            return call(export, ",".join(_text(o) for o in operands) if operands else None)

        operation.__name__ = python_name(export)
        operation.__qualname__ = operation.__name__
        operation.__doc__ = "The library's %s on the operands (joined as \"a,b\")." % export
        return operation


def set_angle_unit(unit):
    """Sets the angle unit of trigonometric and hyperbolic operands: "RAD", "DEG" or "GRAD"."""
    call("Set_Angle_Measurement", unit)


def python_name(export):
    """The function name of an export: "Get_LogN" -> "logn", "Get_And" -> "and_"."""
    name = export.lower()
    if name.startswith("get_"):
        name = name[4:]
    return name + "_" if keyword.iskeyword(name) else name


for _export in OPERATIONS:
    globals()[python_name(_export)] = _make_operation(_export)
    __all__.append(python_name(_export))
del _export
