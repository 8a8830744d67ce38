"""zorva-export end to end, on the fixture table sets.

    twin_test.py --fixtures DIR --schema XSD [--encoding cp1252] -- TWIN...

TWIN is the command that runs the twin (under Wine for the Windows build).
Every document written is validated against the schema with xmllint and read
back with a standard XML reader.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import time
import unittest
import xml.etree.ElementTree as ET

import twin_harness as harness
from twin_harness import (HERE, LOCALE, WINDOWS, canonical_tree, expected_tree, folder_digest, fx, read_tree,
                          same_letters)


class TwinTest(harness.TwinCase):
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
        shutil.copytree(os.path.join(harness.ARGS.fixtures, "school"), tables)
        with open(os.path.join(tables, "Asig.DBF"), "r+b") as asig:
            asig.seek(4)
            asig.write(b"\0\0\0\0")
        status, out, err = self.twin("--tables", tables, "--output", self.target)
        self.assertEqual((status, out), (1, ""))
        self.assertRegex(err, r"^El archivo de la tabla tiene m\S+s registros de los que cuenta su cabecera\n"
                              r"\S*Asig\.DBF\n$")
        self.assertEqual(sorted(os.listdir(self.out)), ["tablas"])

    def test_the_solution_folder_is_its_own(self):
        status, _, err = self.twin("--tables", os.path.join(harness.ARGS.fixtures, "no-soluc"),
                                   "--solution", os.path.join(harness.ARGS.fixtures, "school"), "--output", self.target)
        self.assertEqual((status, err), (0, ""))
        self.assert_valid(self.target)

    @unittest.skipIf(WINDOWS, "a file size limit would reach the Wine server too")
    def test_a_failed_save_keeps_the_earlier_file(self):
        self.write_earlier_file()
        status, _, err = self.twin("--tables", os.path.join(harness.ARGS.fixtures, "school"), "--output", self.target,
                                   limit_file_size=1024)
        self.assertEqual(status, 1)
        self.assertIn(err, (f"Fichero demasiado grande\n{self.target}\n", f"File too large\n{self.target}\n"))
        self.assert_nothing_but_earlier_file()

    @unittest.skipIf(WINDOWS, "a memory limit would reach the Wine server too")
    def test_running_out_of_memory_is_told_and_writes_nothing(self):
        tables = os.path.join(self.out, "tablas")
        shutil.copytree(os.path.join(harness.ARGS.fixtures, "school"), tables)
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

    def test_an_output_that_cannot_be_written_fails_naming_it_and_creates_nothing(self):
        os.mkdir(os.path.join(self.out, "carpeta.xml"))
        for parts in (["falta", "horario.xml"], ["carpeta.xml"]):  # a folder not there; a folder in the file's place
            with self.subTest(output=parts):
                status, _, err = self.export("school", os.path.join(self.out, *parts))
                self.assertEqual(status, 1)
                # The system's text, in the user's language, then the file.
                path = r"[\\/]".join(map(re.escape, [os.path.basename(self.out)] + parts))
                self.assertRegex(err, r"^\S[^\n]*\n[^\n]*" + path + r"\n$")
                self.assertEqual(os.listdir(self.out), ["carpeta.xml"])

    def test_an_output_that_is_one_of_the_inputs_is_refused_before_anything_is_written(self):
        tables, solution = os.path.join(self.out, "escuela"), os.path.join(self.out, "solucion")
        shutil.copytree(os.path.join(harness.ARGS.fixtures, "school"), tables)
        os.mkdir(solution)
        os.rename(os.path.join(tables, "SOLUC.DBF"), os.path.join(solution, "SOLUC.DBF"))
        os.link(os.path.join(tables, "PROF.DBF"), os.path.join(self.out, "enlace.xml"))
        os.symlink(os.path.join(tables, "Asig.DBT"), os.path.join(self.out, "simbolico.xml"))
        with open(os.path.join(tables, "Tempovia.ini"), "w") as ini:
            ini.write("[Transformadores]\n")
        cases = [
            ("enlace.xml", "the input file", "PROF.DBF"),  # a hard link
            ("simbolico.xml", "the input file", "Asig.DBT"),  # a symbolic link, to a memo file
            (os.path.join("escuela", ".", "..", "escuela", "GRUP.DBF"), "the input file", "GRUP.DBF"),
            (os.path.join("solucion", "SOLUC.DBF"), "the input file", "SOLUC.DBF"),
            (os.path.join("escuela", "Tempovia.ini"), "the host's handshake file", "Tempovia.ini"),
            (os.path.join("solucion", "SOLUC.MDX"), "the index file", "SOLUC.MDX"),  # by name, not there yet
        ]
        if WINDOWS:
            cases.append((os.path.join("escuela", "aula.dbf"), "the input file", "AULA.DBF"))  # case is ignored there
        before = folder_digest(self.out)
        for output, what, name in cases:
            with self.subTest(output=output):
                status, out, err = self.twin("--tables", tables, "--solution", solution,
                                             "--output", os.path.join(self.out, output))
                self.assertEqual((status, out), (2, ""))
                self.assertRegex(err, r"^zorva-export: --output names " + re.escape(what) + " '[^'\n]*" +
                                 re.escape(name) + "'\nusage: zorva-export")
                self.assertEqual(folder_digest(self.out), before)

    @unittest.skipIf(WINDOWS, "vfat is a POSIX system's mount here")
    def test_a_file_system_without_unnamed_files_or_permissions_serves(self):
        self.write_earlier_file()
        status, _, err = self.twin("--tables", os.path.join(harness.ARGS.fixtures, "school"), "--output", self.target,
                                   env=self.vfat_like())
        self.assertEqual((status, err), (0, ""))
        self.assertEqual(os.listdir(self.out), ["horario.xml"])
        self.assert_valid(self.target)

    @unittest.skipIf(WINDOWS, "signals are POSIX's")
    def test_a_stopped_run_leaves_the_earlier_file_and_nothing_else(self):
        school = self.big_school()
        cases = [(False, signal.SIGKILL), (False, signal.SIGTERM), (True, signal.SIGTERM), (True, signal.SIGINT),
                 (True, signal.SIGHUP)]
        for vfat_like, stop in cases:
            with self.subTest(vfat_like=vfat_like, signal=stop.name):
                for name in os.listdir(self.out):
                    os.remove(os.path.join(self.out, name))
                self.write_earlier_file()
                env = dict(os.environ, **LOCALE, **(self.vfat_like() if vfat_like else {}))
                # A shell started in the background ignores SIGINT, and so would the twin.
                run = subprocess.Popen(harness.ARGS.twin + ["--tables", school, "--output", self.target], env=env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                       preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))
                hidden = self.wait_until_writing(run)
                self.assertEqual(hidden, vfat_like, "the document is written under a name only without unnamed files")
                run.send_signal(stop)
                self.assertEqual(run.wait(timeout=60), -stop)
                self.assert_nothing_but_earlier_file()

    def vfat_like(self):
        if not harness.ARGS.vfat_like:
            self.skipTest("no file system like vfat to preload")
        return {"LD_PRELOAD": harness.ARGS.vfat_like, "ZORVA_VFAT_LIKE": "1"}

    def wait_until_writing(self, run):
        """Waits until the run writes its document into the output's folder;
        whether it has a visible name there."""
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            self.assertIsNone(run.poll(), "the run ended before it could be stopped")
            fds = os.path.join("/proc", str(run.pid), "fd")
            try:
                for fd in os.listdir(fds):
                    if os.readlink(os.path.join(fds, fd)).startswith(self.out + "/"):
                        return len(os.listdir(self.out)) > 1
            except FileNotFoundError:
                pass
            time.sleep(0.002)
        run.kill()
        self.fail("the run did not start writing")

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
        if not os.access(harness.ARGS.other_twin, os.X_OK):
            self.skipTest(f"{harness.ARGS.other_twin} has not been built")
        demo = os.path.join(HERE, "..", "..", "data", "demo")
        for folder in (os.path.join(harness.ARGS.fixtures, "school"), os.path.join(harness.ARGS.fixtures, "empty"), demo):
            with self.subTest(folder=folder):
                mine, theirs = self.target, os.path.join(self.out, "other.xml")
                self.assertEqual(self.twin("--tables", folder, "--output", mine)[0], 0)
                other = subprocess.run([harness.ARGS.other_twin, "--tables", folder, "--output", theirs],
                                       env=dict(os.environ, **LOCALE), capture_output=True, timeout=300)
                self.assertEqual(other.returncode, 0, other.stderr)
                self.assert_valid(mine)
                self.assertEqual(canonical_tree(mine), canonical_tree(theirs))

    @unittest.skipUnless("--other-twin" in sys.argv, "no other build's twin to compare with")
    def test_the_other_build_reads_every_code_page_alike(self):
        if not os.access(harness.ARGS.other_twin, os.X_OK):
            self.skipTest(f"{harness.ARGS.other_twin} has not been built")
        sets = sorted(name for name in os.listdir(harness.ARGS.fixtures) if name.startswith("code-pages-"))
        self.assertTrue(sets)
        for name in sets + ["binary-text"]:
            folder = os.path.join(harness.ARGS.fixtures, name)
            mine, theirs = self.target, os.path.join(self.out, "other.xml")
            self.assertEqual(self.twin("--tables", folder, "--output", mine)[0], 0)
            other = subprocess.run([harness.ARGS.other_twin, "--tables", folder, "--output", theirs],
                                   env=dict(os.environ, **LOCALE), capture_output=True, timeout=300)
            self.assertEqual(other.returncode, 0, other.stderr)
            windows, native = read_tree(mine), read_tree(theirs)
            self.assertEqual([(element, sorted(a)) for element, a in windows],
                             [(element, sorted(a)) for element, a in native], name)
            for (element, attributes), (_, native_attributes) in zip(windows, native):
                for attribute, value in attributes.items():
                    with self.subTest(set=name, element=element.strip(), attribute=attribute):
                        self.assertTrue(same_letters(value, native_attributes[attribute]),
                                        f"{value!r} != {native_attributes[attribute]!r}")

    def test_show_settings_follow_the_locale(self):
        status, out, _ = self.twin("--show-settings")
        self.assertEqual(status, 0)
        settings = dict(line.split("=", 1) for line in out.splitlines())
        self.assertEqual(settings["DecimalMark"], ",")
        self.assertEqual(settings["DateMark"], "/")
        self.assertEqual(len(settings["MonthLongNames"].split(",")), 12)
        self.assertEqual(len(settings["DayLongNames"].split(",")), 7)
        self.assertIn("ShortDatePicture", settings)


if __name__ == "__main__":
    harness.main()
