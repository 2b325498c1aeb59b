"""Numora from Python: the library's operations on number texts, through ctypes.

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
a ``ValueError``).
"""

import ctypes
import keyword
import os
import threading

from ._exports import OPERATIONS

__all__ = ["call", "set_angle_unit", "python_name", "OPERATIONS", "Error", "EConvertError",
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


_library = ctypes.CDLL(_library_path())
_library.NumoraRun.argtypes = [ctypes.c_char_p, ctypes.c_char_p, ctypes.POINTER(_Outcome)]
_library.NumoraRun.restype = ctypes.c_int
# The library keeps one register for the whole process: one call at a time.
_lock = threading.Lock()


def _text(operand):
    if isinstance(operand, bytes):
        return operand.decode("latin-1")
    return str(operand)


def call(name, operand=None):
    """Runs the operation `name` ("Get_Sqrt", "sqrt", "DEC_TO_HEX") on `operand` (a text or
    a number; None works on the register) and returns the register's text."""
    outcome = _Outcome()
    encoded = None if operand is None else _text(operand).encode("latin-1")
    with _lock:
        status = _library.NumoraRun(name.encode("latin-1"), encoded, ctypes.byref(outcome))
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


def set_angle_unit(unit):
    """Sets the angle unit of trigonometric and hyperbolic operands: "RAD", "DEG" or "GRAD"."""
    call("Set_Angle_Measurement", unit)


def python_name(export):
    """The function name of an export: "Get_LogN" -> "logn", "Get_And" -> "and_"."""
    name = export.lower()
    if name.startswith("get_"):
        name = name[4:]
    return name + "_" if keyword.iskeyword(name) else name


def _make_operation(export):
    def operation(*operands):
        return call(export, ",".join(_text(o) for o in operands) if operands else None)

    operation.__name__ = python_name(export)
    operation.__qualname__ = operation.__name__
    operation.__doc__ = "The library's %s on the operands (joined as \"a,b\")." % export
    return operation


for _export in OPERATIONS:
    globals()[python_name(_export)] = _make_operation(_export)
    __all__.append(python_name(_export))
del _export
