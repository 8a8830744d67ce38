"""The harness of the twin's end-to-end test: the command line it runs under,
the XML trees it compares, and the base of its test cases."""

import argparse
import hashlib
import os
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
import make_school_fixtures as fx  # noqa: E402

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


def beyond_ansi_code_page(letter):
    """Whether the letter is one that code page 1252, the Windows build's
    text under the Spanish locale, lacks (its five unassigned bytes stand for
    the control characters of the same number). The replacement character
    is no letter: no conversion of a table's text may give it."""
    try:
        letter.encode("cp1252")
        return False
    except UnicodeEncodeError:
        return ord(letter) not in (0x81, 0x8D, 0x8F, 0x90, 0x9D, 0xFFFD)


def same_letters(windows, native):
    """Whether the Windows build's text is the native build's, where code
    page 1252 holds its letters; a letter beyond the page leaves one letter
    of Windows' choice ("?" or a close one) on that build."""
    return len(windows) == len(native) and all(
        w == n or beyond_ansi_code_page(n) for w, n in zip(windows, native))


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


class TwinCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.inputs_before = folder_digest(ARGS.fixtures)

    @classmethod
    def tearDownClass(cls):
        assert folder_digest(ARGS.fixtures) == cls.inputs_before, "an export changed its input tables"
        if cls.big:
            shutil.rmtree(cls.big)

    big = None

    @classmethod
    def big_school(cls):
        """The school with two million rows in SOLUC, whose export lasts long
        enough to be stopped half way."""
        if not cls.big:
            cls.big = tempfile.mkdtemp(prefix="zorva-twin-big-")
            school = os.path.join(cls.big, "school")
            shutil.copytree(os.path.join(ARGS.fixtures, "school"), school)
            fx.tables.repeat_rows(os.path.join(school, "SOLUC.DBF"), 2000000)
        return os.path.join(cls.big, "school")

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


def main():
    """Runs the test cases of the script that calls it."""
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--fixtures", required=True)
    parser.add_argument("--schema", required=True)
    parser.add_argument("--encoding", default="utf-8")
    parser.add_argument("--windows", action="store_true")
    parser.add_argument("--other-twin", help="the other build's twin, whose trees must be the same")
    parser.add_argument("--vfat-like", help="the library that, preloaded, makes file systems look like vfat")
    parser.add_argument("twin", nargs="+")
    ARGS, rest = parser.parse_known_args()
    keeper = None
    if ARGS.windows:
        # Wine starts its services, and its desktop at a program's first use
        # of windows, as processes that inherit that program's standard error
        # and live as long as the Wine session: a twin run would then wait for
        # them to let go of its output, and take what they print. A program
        # that lives through the tests, writing nowhere, holds the session,
        # and the desktop is started from it beforehand.
        wine = ARGS.twin[:-1]
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        keeper = subprocess.Popen(wine + ["cmd", "/k"], stdin=subprocess.PIPE, **quiet)
        subprocess.run(wine + ["rundll32", "user32.dll,GetDesktopWindow"], stdin=subprocess.DEVNULL,
                       timeout=120, **quiet)
    try:
        result = unittest.main(argv=[sys.argv[0]] + rest, verbosity=2, exit=False).result
    finally:
        if keeper:
            keeper.stdin.close()
            try:
                keeper.wait(timeout=30)
            except subprocess.TimeoutExpired:
                keeper.kill()
    sys.exit(0 if result.wasSuccessful() else 1)
