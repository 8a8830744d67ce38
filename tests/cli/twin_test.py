"""zorva-export end to end, on the fixture table sets.

    twin_test.py --fixtures DIR --schema XSD [--encoding cp1252] -- TWIN...

TWIN is the command that runs the twin (under Wine for the Windows build).
Every document written is validated against the schema with xmllint and read
back with a standard XML reader.
"""

import argparse
import hashlib
import os
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "fixtures"))
import make_fixtures as fx  # noqa: E402

ARGS = None
WINDOWS = "--windows" in sys.argv
LOCALE = {"LC_ALL": "es_ES.UTF-8", "LANG": "es_ES.UTF-8"}

SECTIONS = [
    ("ASIGT", "ASIGF", True, [("ASIG", "ASIG"), ("AULA", "AULA"), ("EDIFICIO", "EDIFICIO"), ("GRUP", "GRUP"),
                              ("NALUM", "NALUM"), ("PROF", "PROF"), ("TIPO", "TIPO"), ("HORASEM", "NHORAS")]),
    ("NOMASIGT", "NOMASIGF", True, [("ABREV", "ABREV"), ("NOMBRE", "NOMBRE"), ("ACTIV", "ACTIV")]),
    ("PROFT", "PROFF", True, [("ABREV", "ABREV"), ("NOMBRE", "NOMBRE"), ("DEPART", "DEPART")]),
    ("GRUPT", "GRUPF", True, [("ABREV", "ABREV"), ("CURSO", "CURSO"), ("GRUPO", "GRUPO"), ("MAXALUM", "MAXALUM"),
                              ("NIVEL", "NIVEL"), ("TURNO", "TURNO"), ("DESCRIP", "DESCRIP")]),
    ("AULAT", "AULAF", True, [("ABREV", "ABREV"), ("NOMBRE", "NOMBRE"), ("EDIFICIO", "EDIFICIO"),
                              ("MAXALUM", "MAXALUM")]),
    ("SOLUCT", "SOLUCF", False, [(n, n) for n in ("ASIG", "AULA", "CODGRUPO", "CURSO", "DIA", "GRUPO", "HORA",
                                                  "NIVEL", "PROF", "SESIONES", "TAREA", "TURNO")]),
]


def text(value):
    """A fixture value as the document carries it under es_ES."""
    if value is None:
        return ""
    if isinstance(value, (int, float)):
        return ("%g" % value).replace(".", ",")
    return value.rstrip(" ")


def integer(value):
    return str(round(value)) if value is not None else "0"  # round() goes half to even


def expected_tree(table_rows):
    """The document's tree, as (element, attributes) pairs, fecha aside."""
    tree = [("SERVICIO", {"autor": "TEMPOVIA", "modulo": "HORARIOS"})]
    for (section, row, numbered, columns), rows in zip(SECTIONS, table_rows):
        tree.append(("  " + section, {}))
        for number, values in enumerate(rows, 1):
            attributes = {"ID": str(number)} if numbered else {}
            for attribute, column in columns:
                value = values.get(column)
                attributes[attribute] = integer(value) if attribute == "MAXALUM" else text(value)
            tree.append(("    " + row, attributes))
    return tree


def read_tree(path):
    root = ET.parse(path).getroot()
    tree = []

    def walk(element, depth):
        attributes = dict(element.attrib)
        if depth == 0:
            attributes.pop("fecha")
        tree.append(("  " * depth + element.tag, attributes))
        for child in element:
            walk(child, depth + 1)
    walk(root, 0)
    return tree


def canonical_tree(path):
    """The document in canonical form, without "fecha", which tells when it
    was made."""
    root = ET.parse(path).getroot()
    root.attrib.pop("fecha")
    return ET.canonicalize(ET.tostring(root, encoding="unicode"))


def folder_digest(folder):
    digest = hashlib.sha256()
    for base, _, files in sorted(os.walk(folder)):
        for name in sorted(files):
            path = os.path.join(base, name)
            digest.update(path.encode())
            with open(path, "rb") as f:
                digest.update(f.read())
            digest.update(str(os.stat(path).st_mtime_ns).encode())
    return digest.hexdigest()


class TwinTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.inputs_before = folder_digest(ARGS.fixtures)

    @classmethod
    def tearDownClass(cls):
        assert folder_digest(ARGS.fixtures) == cls.inputs_before, "an export changed its input tables"

    def setUp(self):
        self.out = tempfile.mkdtemp(prefix="zorva-twin-")
        self.target = os.path.join(self.out, "horario.xml")

    def tearDown(self):
        shutil.rmtree(self.out)

    def twin(self, *arguments, env=None, limit_file_size=None, limit_memory=None):
        def limit():
            if limit_file_size is not None:
                signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
                resource.setrlimit(resource.RLIMIT_FSIZE, (limit_file_size, limit_file_size))
            if limit_memory is not None:
                resource.setrlimit(resource.RLIMIT_AS, (limit_memory, limit_memory))
        environment = dict(os.environ, **LOCALE, **(env or {}))
        result = subprocess.run(ARGS.twin + list(arguments), env=environment, capture_output=True,
                                preexec_fn=limit, timeout=300)
        def decode(output):
            return output.decode(ARGS.encoding).replace("\r\n", "\n")
        return result.returncode, decode(result.stdout), decode(result.stderr)

    def export(self, table_set, output=None):
        folder = os.path.join(ARGS.fixtures, table_set)
        return self.twin("--tables", folder, "--output", output or self.target)

    def assert_valid(self, path):
        check = subprocess.run(["xmllint", "--noout", "--schema", ARGS.schema, path], capture_output=True)
        self.assertEqual(check.returncode, 0, check.stderr.decode())

    def assert_nothing_but_earlier_file(self):
        self.assertEqual(os.listdir(self.out), ["horario.xml"])
        with open(self.target) as f:
            self.assertEqual(f.read(), "earlier")

    def write_earlier_file(self):
        with open(self.target, "w") as f:
            f.write("earlier")

    def test_school_every_section_in_order_with_its_values(self):
        status, _, err = self.export("school")
        self.assertEqual((status, err), (0, ""))
        self.assert_valid(self.target)
        self.assertEqual(read_tree(self.target),
                         expected_tree([fx.ASIG, fx.NOMASG, fx.PROF, fx.GRUP, fx.AULA, fx.SOLUC]))
        with open(self.target, "rb") as f:
            self.assertTrue(f.read().startswith(b'<?xml version="1.0"'))
        fecha = ET.parse(self.target).getroot().get("fecha")
        self.assertRegex(fecha, r"^\d{1,2}/\d{1,2}/\d{2,4} \d{1,2}:\d{2}:\d{2}$")

    def test_tables_without_rows_give_empty_sections(self):
        status, _, err = self.export("empty")
        self.assertEqual((status, err), (0, ""))
        self.assert_valid(self.target)
        self.assertEqual(read_tree(self.target), expected_tree([[]] * 6))

    def test_a_missing_field_fails_naming_component_and_field_and_keeps_the_earlier_file(self):
        self.write_earlier_file()
        status, out, err = self.export("missing-field")
        self.assertEqual((status, out, err), (1, "", "wwTableSoluc: No se encuentra el campo 'CODGRUPO'\n"))
        self.assert_nothing_but_earlier_file()

    def test_a_table_without_rows_may_lack_a_field(self):
        status, _, err = self.export("missing-field-no-rows")
        self.assertEqual((status, err), (0, ""))
        self.assert_valid(self.target)
        self.assertEqual(read_tree(self.target),
                         expected_tree([fx.ASIG, fx.NOMASG, fx.PROF, fx.GRUP, fx.AULA, []]))

    def test_a_missing_solution_fails_and_keeps_the_earlier_file(self):
        self.write_earlier_file()
        status, _, err = self.export("no-soluc")
        self.assertEqual(status, 1)
        self.assertRegex(err, r"^[^\r\n]+\n[^\r\n]+SOLUC[^\r\n]*\n$")  # the engine's text, then the path
        self.assert_nothing_but_earlier_file()

    def test_a_table_that_undercounts_its_rows_fails_and_writes_nothing(self):
        tables = os.path.join(self.out, "tablas")
        shutil.copytree(os.path.join(ARGS.fixtures, "school"), tables)
        with open(os.path.join(tables, "Asig.DBF"), "r+b") as asig:
            asig.seek(4)
            asig.write(b"\0\0\0\0")
        status, out, err = self.twin("--tables", tables, "--output", self.target)
        self.assertEqual((status, out), (1, ""))
        self.assertRegex(err, r"^El archivo de la tabla tiene m\S+s registros de los que cuenta su cabecera\n"
                              r"\S*Asig\.DBF\n$")
        self.assertEqual(sorted(os.listdir(self.out)), ["tablas"])

    def test_the_solution_folder_is_its_own(self):
        status, _, err = self.twin("--tables", os.path.join(ARGS.fixtures, "no-soluc"),
                                   "--solution", os.path.join(ARGS.fixtures, "school"), "--output", self.target)
        self.assertEqual((status, err), (0, ""))
        self.assert_valid(self.target)

    @unittest.skipIf(WINDOWS, "a file size limit would reach the Wine server too")
    def test_a_failed_save_keeps_the_earlier_file(self):
        self.write_earlier_file()
        status, _, err = self.twin("--tables", os.path.join(ARGS.fixtures, "school"), "--output", self.target,
                                   limit_file_size=1024)
        self.assertEqual(status, 1)
        self.assertIn(err, ("Fichero demasiado grande\n", "File too large\n"))  # the system's text
        self.assert_nothing_but_earlier_file()

    @unittest.skipIf(WINDOWS, "a memory limit would reach the Wine server too")
    def test_running_out_of_memory_is_told_and_writes_nothing(self):
        tables = os.path.join(self.out, "tablas")
        shutil.copytree(os.path.join(ARGS.fixtures, "school"), tables)
        # The first row's memo becomes 60 MB of text, which the run holds more than once.
        with open(os.path.join(tables, "Asig.DBT"), "r+b") as memo:
            size = memo.seek(0, os.SEEK_END)
            memo.write(b"\0" * (-size % 512) + b"x" * (60 << 20) + b"\x1a\x1a")
            block = (size + 511) // 512
        with open(os.path.join(tables, "Asig.DBF"), "r+b") as asig:
            header_length = int.from_bytes(asig.read(12)[8:10], "little")
            asig.seek(header_length + 1 + 4 + 4 + 1 + 4 + 3 + 4)  # the first row's TIPO
            asig.write(b"%10d" % block)
        status, out, err = self.twin("--tables", tables, "--output", self.target, limit_memory=120 << 20)
        self.assertEqual((status, out, err), (1, "", "No hay memoria suficiente para terminar la operación\n"))
        self.assertEqual(sorted(os.listdir(self.out)), ["tablas"])

    def test_a_name_without_extension_gets_xml(self):
        status, _, _ = self.export("school", os.path.join(self.out, "horario"))
        self.assertEqual(status, 0)
        self.assertEqual(os.listdir(self.out), ["horario.xml"])
        self.assert_valid(self.target)

    def test_a_folder_that_is_not_there_fails_and_creates_nothing(self):
        status, _, err = self.export("school", os.path.join(self.out, "falta", "horario.xml"))
        self.assertEqual(status, 1)
        self.assertRegex(err, r"^\S[^\n]*\n$")  # the system's text, in the user's language
        self.assertEqual(os.listdir(self.out), [])

    def test_the_command_line(self):
        cases = [
            ([], 2, "", "zorva-export: --output is required\nusage: zorva-export"),
            (["--tables"], 2, "", "zorva-export: --tables needs a value\nusage: zorva-export"),
            (["--bogus"], 2, "", "zorva-export: unknown option '--bogus'\nusage: zorva-export"),
            (["--help"], 0, "usage: zorva-export", ""),
            (["--version"], 0, "zorva-export 1.", ""),
        ]
        for arguments, status, out, err in cases:
            with self.subTest(arguments=arguments):
                got_status, got_out, got_err = self.twin(*arguments)
                self.assertEqual(got_status, status)
                self.assertTrue(got_out.startswith(out), got_out)
                self.assertTrue(got_err.startswith(err), got_err)

    @unittest.skipUnless("--other-twin" in sys.argv, "no other build's twin to compare with")
    def test_the_other_build_gives_the_same_tree(self):
        if not os.access(ARGS.other_twin, os.X_OK):
            self.skipTest(f"{ARGS.other_twin} has not been built")
        demo = os.path.join(HERE, "..", "..", "data", "demo")
        for folder in (os.path.join(ARGS.fixtures, "school"), os.path.join(ARGS.fixtures, "empty"), demo):
            with self.subTest(folder=folder):
                mine, theirs = self.target, os.path.join(self.out, "other.xml")
                self.assertEqual(self.twin("--tables", folder, "--output", mine)[0], 0)
                other = subprocess.run([ARGS.other_twin, "--tables", folder, "--output", theirs],
                                       env=dict(os.environ, **LOCALE), capture_output=True, timeout=300)
                self.assertEqual(other.returncode, 0, other.stderr)
                self.assert_valid(mine)
                self.assertEqual(canonical_tree(mine), canonical_tree(theirs))

    def test_show_settings_follow_the_locale(self):
        status, out, _ = self.twin("--show-settings")
        self.assertEqual(status, 0)
        settings = dict(line.split("=", 1) for line in out.splitlines())
        self.assertEqual(settings["DecimalMark"], ",")
        self.assertEqual(settings["DateMark"], "/")
        self.assertEqual(len(settings["MonthLongNames"].split(",")), 12)
        self.assertEqual(len(settings["DayLongNames"].split(",")), 7)
        self.assertIn("ShortDatePicture", settings)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--fixtures", required=True)
    parser.add_argument("--schema", required=True)
    parser.add_argument("--encoding", default="utf-8")
    parser.add_argument("--windows", action="store_true")
    parser.add_argument("--other-twin", help="the other build's twin, whose trees must be the same")
    parser.add_argument("twin", nargs="+")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
