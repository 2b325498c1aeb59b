"""The Python module over the Linux library: operations, numbers as operands, errors."""

import os
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest

import numora


class Operations(unittest.TestCase):
    def setUp(self):
        numora.set_angle_unit("RAD")

    def test_texts_and_numbers(self):
        self.assertEqual(numora.sqrt("2"), "1.4142135623731")
        self.assertEqual(numora.sqrt(2), "1.4142135623731")
        self.assertEqual(numora.sqrt(6.25), "2.5")
        self.assertEqual(numora.power("2,10"), "1024")
        self.assertEqual(numora.power(2, 10), "1024")
        self.assertEqual(numora.dec_to_hex(255), "FF")
        self.assertEqual(numora.and_(12, 10), "8")
        self.assertEqual(numora.pi(), "3.14159265358979")

    def test_no_operand_works_on_the_register(self):
        numora.power(2, 10)
        self.assertEqual(numora.sqrt(), "32")
        self.assertEqual(numora.call("sqrt"), "5.65685424949238")

    def test_call_matches_names_as_the_host_does(self):
        for name in ("Get_Sqrt", "sqrt", "SQRT", "get_sqrt"):
            self.assertEqual(numora.call(name, "16"), "4")
        self.assertEqual(numora.call("DEC_TO_HEX", 4096), "1000")

    def test_angle_unit(self):
        numora.set_angle_unit("DEG")
        self.assertEqual(numora.sin(90), "1")
        numora.set_angle_unit("RAD")
        self.assertEqual(numora.cos(0), "1")

    def test_every_operation_is_a_function(self):
        self.assertEqual(len(numora.OPERATIONS), 68)
        for export in numora.OPERATIONS:
            self.assertTrue(callable(getattr(numora, numora.python_name(export))), export)
        self.assertEqual(numora.python_name("Get_LogN"), "logn")
        self.assertEqual(numora.python_name("Get_Not"), "not_")
        self.assertEqual(numora.python_name("Hex_To_Dec"), "hex_to_dec")


class Errors(unittest.TestCase):
    def test_a_rejected_text_raises_and_the_interpreter_goes_on(self):
        numora.sqrt(4)
        with self.assertRaises(numora.EConvertError) as caught:
            numora.sqrt("abc")
        self.assertEqual(str(caught.exception), "'abc' is not a valid floating point value")
        self.assertEqual(caught.exception.kind, "EConvertError")
        self.assertIsInstance(caught.exception, numora.Error)
        self.assertIsInstance(caught.exception, ValueError)
        self.assertEqual(numora.sqrt("2"), "1.4142135623731")

    def test_the_register_keeps_the_operand_an_error_left(self):
        with self.assertRaises(numora.EConvertError):
            numora.sqrt("abc")
        self.assertEqual(numora.hex_to_bin(), "101010111100")

    def test_kinds_are_classes(self):
        self.assertTrue(issubclass(numora.EOutOfMemory, numora.EHeapException))
        self.assertTrue(issubclass(numora.EInvalidPointer, numora.EHeapException))
        self.assertTrue(issubclass(numora.EHeapException, numora.Error))

    def test_an_unknown_name(self):
        with self.assertRaises(ValueError) as caught:
            numora.call("frobnicate", 1)
        self.assertNotIsInstance(caught.exception, numora.Error)
        self.assertIn("frobnicate", str(caught.exception))


class Batches(unittest.TestCase):
    """numora.map: one operation on many operands, one crossing into the library."""

    def test_results_in_order(self):
        self.assertEqual(numora.map("sqrt", [4, "6.25", 2.25, b"16"]), ["2", "2.5", "1.5", "4"])
        self.assertEqual(numora.map("Get_Power", ("2,10", "3,3")), ["1024", "27"])
        self.assertEqual(numora.map("sqrt", (str(x) for x in (1, 4, 9))), ["1", "2", "3"])
        self.assertEqual(numora.map("sqrt", []), [])

    def test_the_same_texts_as_one_call_at_a_time(self):
        operands = ["%.17g" % (1.37 ** k) for k in range(-300, 300, 7)]
        self.assertEqual(numora.map("ln", operands), [numora.ln(x) for x in operands])

    def test_an_error_names_the_failing_operand(self):
        with self.assertRaises(numora.EConvertError) as caught:
            numora.map("sqrt", ["4", "9", "x", "16"])
        self.assertEqual(caught.exception.index, 2)
        self.assertEqual(str(caught.exception), "'x' is not a valid floating point value")
        self.assertEqual(numora.hex_to_dec(), "0")  # the register kept the failing operand 'x'
        with self.assertRaises(ValueError):
            numora.map("frobnicate", ["1"])


class Threads(unittest.TestCase):
    """Each thread works on a context of its own: its register and its angle unit."""

    def in_thread(self, function):
        result = []
        thread = threading.Thread(target=lambda: result.append(function()))
        thread.start()
        thread.join()
        return result[0]

    def test_the_angle_unit_is_the_threads_own(self):
        numora.set_angle_unit("DEG")
        self.assertEqual(numora.sin(90), "1")
        self.assertEqual(self.in_thread(lambda: numora.sin(90)), "0.893996663600558")
        self.assertEqual(numora.sin(90), "1")
        numora.set_angle_unit("RAD")

    def test_the_register_is_the_threads_own(self):
        numora.power(2, 10)
        self.assertEqual(self.in_thread(lambda: (numora.sqrt(81), numora.sqrt())), ("9", "3"))
        self.assertEqual(numora.sqrt(), "32")

    def test_threads_get_what_one_thread_gets(self):
        operands = ["%.17g" % (1.37 ** k) for k in range(-300, 300)]
        expected = {name: [numora.call(name, x) for x in operands]
                    for name in ("ln", "sqrt", "exp")}
        failures = []

        def work(name):
            for _ in range(20):
                if numora.map(name, operands) != expected[name]:
                    failures.append(name)
                if [numora.call(name, x) for x in operands[:50]] != expected[name][:50]:
                    failures.append(name)

        threads = [threading.Thread(target=work, args=(name,)) for name in expected for _ in "ab"]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(failures, [])

    def test_a_batch_lets_other_threads_run(self):
        ticks = [0]
        running = [True]

        def count():
            while running[0]:
                ticks[0] += 1

        counter = threading.Thread(target=count)
        counter.start()
        try:
            operands = ["2"] * 400000
            before = ticks[0]
            numora.map("sqrt", operands)
            during = ticks[0] - before
        finally:
            running[0] = False
            counter.join()
        self.assertGreater(during, 1000)


class Locale(unittest.TestCase):
    """The locale may change after the module is loaded: every operation reads the separator
    once and uses it for the translation, the parse and the print alike."""

    def test_a_comma_locale_set_after_the_import(self):
        with tempfile.TemporaryDirectory() as folder:
            built = subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8",
                                    os.path.join(folder, "de_DE.UTF-8")], capture_output=True)
            if not os.path.exists(os.path.join(folder, "de_DE.UTF-8", "LC_NUMERIC")):
                self.fail("localedef could not compile de_DE.UTF-8: %s" % built.stderr)
            program = ("import locale, numora\n"
                       "locale.setlocale(locale.LC_ALL, 'de_DE.UTF-8')\n"
                       "print(locale.localeconv()['decimal_point'], numora.sqrt('2.5'), "
                       "numora.power(1.5, 2), numora.map('sqrt', ['6.25']))")
            env = dict(os.environ, LOCPATH=folder)
            result = subprocess.run([sys.executable, "-c", program], env=env,
                                    capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, ", 1.58113883008419 2.25 ['2.5']\n")


class Crossing(unittest.TestCase):
    """The compiled crossing is what the build tree uses; without it ctypes gives the same."""

    def test_the_build_uses_the_compiled_module(self):
        self.assertIsNotNone(numora._compiled)

    def test_without_the_compiled_module(self):
        program = ("import numora; assert numora._compiled is None; "
                   "print(numora.sqrt(2), numora.power(2, 10), numora.map('sqrt', [4, 9]))\n"
                   "try:\n numora.map('sqrt', ['1', 'x'])\n"
                   "except numora.EConvertError as e:\n print(e.index, e.kind)")
        result = Finding().run_copy({"NUMORA_LIBRARY": numora._library_file}, program,
                                    without=("_numora*",))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "1.4142135623731 1024 ['2', '3']\n1 EConvertError\n")


class Finding(unittest.TestCase):
    """Away from the build tree the module takes NUMORA_LIBRARY, or says what is missing."""

    def run_copy(self, environment, program="import numora; print(numora.sqrt(2))",
                 without=()):
        with tempfile.TemporaryDirectory() as folder:
            shutil.copytree(os.path.dirname(numora.__file__), os.path.join(folder, "numora"),
                            ignore=shutil.ignore_patterns("__pycache__", *without))
            env = dict(os.environ)
            env.pop("NUMORA_LIBRARY", None)
            env.update(environment, PYTHONPATH=folder)
            return subprocess.run([sys.executable, "-c", program],
                                  env=env, cwd=folder, capture_output=True, text=True)

    def test_numora_library_names_the_library(self):
        result = self.run_copy({"NUMORA_LIBRARY": numora._library_file})
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, "1.4142135623731\n")

    def test_without_a_library_the_import_says_so(self):
        result = self.run_copy({})
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("NUMORA_LIBRARY", result.stderr)


if __name__ == "__main__":
    unittest.main()
