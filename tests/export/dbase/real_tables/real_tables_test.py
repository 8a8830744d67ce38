"""Real tables that nobody here wrote: dBase tables (with their memo files)
that Debian packages ship as sample or test data, read by the table engine
(through table_dump) and by python3-dbfread, value by value.

    real_tables_test.py --dump TABLE_DUMP --cache FOLDER

The packages are fetched with `apt-get download` into FOLDER (kept between
runs) and unpacked there; nothing is installed. A package that cannot be had
is skipped with a message; when none can be had the test is skipped (exit
status 77). Every disagreement between the two readers fails the test.
"""

import argparse
import codecs
import datetime
import os
import subprocess
import sys
import tempfile
import time

from debian_tables import FETCH_SECONDS, PACKAGES, fetch, tables_in

# The engine's code page numbers that Python names otherwise.
PYTHON_CODECS = {10000: "mac_roman", 10006: "mac_greek", 10007: "mac_cyrillic", 10029: "mac_latin2"}


def question_marks(error):
    """A byte without a character becomes "?", as the engine makes it."""
    return "?", error.end


codecs.register_error("zorva-question-marks", question_marks)


def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        c = text[i + 1]
        if c == "x":
            out.append(chr(int(text[i + 2:i + 4], 16)))
            i += 4
            continue
        out.append({"t": "\t", "r": "\r", "n": "\n"}.get(c, c))
        i += 2
    return "".join(out)


def engine_reading(dump, path):
    """(code page or "oem", field names, rows of (field, kind, value)) or the
    engine's failure text."""
    result = subprocess.run([dump, os.path.dirname(path), os.path.basename(path)], capture_output=True,
                            timeout=300)
    if result.returncode != 0:
        return result.stderr.decode("utf-8", "replace").strip() or f"exit status {result.returncode}"
    lines = result.stdout.decode("utf-8").split("\n")
    code_page = lines[0].split("\t")[1]
    fields = [f for f in lines[1].split("\t", 1)[1].split(",") if f]
    rows = []
    for line in lines[2:]:
        if line.startswith("rows\t"):
            rows += [{} for _ in range(int(line.split("\t")[1]) - len(rows))]
        elif line:
            number, field, kind, value = line.split("\t", 3)
            number = int(number)
            while len(rows) <= number:
                rows.append({})
            rows[number][field] = (kind, value)
    return code_page, fields, rows


def python_codec(code_page):
    """The codec the other reader must read the table's text with: the
    engine's own, and under the tests' Spanish locale 850 for a table that
    names none."""
    number = 850 if code_page == "oem" else int(code_page)
    return PYTHON_CODECS.get(number, "cp%d" % number)


def nul_blank_parser():
    """dbfread's field parser, taking NUL bytes in numbers as blanks, as the
    engine does: some writers end a number with one, as C ends a string."""
    import dbfread

    class Parser(dbfread.FieldParser):
        def parseN(self, field, data):
            return super().parseN(field, data.replace(b"\0", b" "))

        def parseF(self, field, data):
            return super().parseF(field, data.replace(b"\0", b" "))

    return Parser


def other_reading(path, codec):
    """dbfread's rows and how it had to be helped, or its failure text."""
    import dbfread
    failure = None
    with tempfile.TemporaryDirectory() as folder:
        readable, help = as_dbase3(path, folder)
        nul_help = ", ".join(filter(None, (help, "with NUL in numbers as blank")))
        for parser, how in ((dbfread.FieldParser, help), (nul_blank_parser(), nul_help)):
            try:
                table = dbfread.DBF(readable, encoding=codec, char_decode_errors="zorva-question-marks", load=False,
                                    parserclass=parser)
                names = [f for f in table.field_names if f != "_NullFlags"]
                return names, [dict(record) for record in table], how
            except Exception as error:  # any refusal: the engine must refuse too
                failure = failure or f"{type(error).__name__}: {error}"
    return failure


LEVEL7 = (0x04, 0x8C)


def descriptors(data):
    """The field descriptors of a table's first bytes as (name, type, width,
    decimals), and where their list ends: 32-byte ones after the 32-byte head,
    or level 7's 48-byte ones after its 68-byte head; the list ends at 0Dh, or
    at 0Ah where the header does."""
    level7 = data[0] in LEVEL7
    at, size, name_size = (68, 48, 32) if level7 else (32, 32, 11)
    width_at = name_size + (1 if level7 else 5)
    header_length = int.from_bytes(data[8:10], "little")
    fields = []
    while at + size <= min(len(data), header_length) and data[at] != 0x0D and \
            (data[at] != 0x0A or at + 1 != header_length):
        d = data[at:at + size]
        fields.append((d[:name_size].split(b"\0")[0], chr(d[name_size]), d[width_at], d[width_at + 1]))
        at += size
    return fields, at


def as_dbase3(path, folder):
    """The table as dbfread can read it, and how it was helped: dbfread reads
    only 32-byte field descriptors, so a level-7 table is given to it in a copy
    under a dBase III header with the same fields and records (the types
    both levels store alike)."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 68 or data[0] not in LEVEL7:
        return path, ""
    fields, _ = descriptors(data)
    head = bytes([0x03]) + data[1:8] + (32 + 32 * len(fields) + 1).to_bytes(2, "little") + data[10:32]
    for name, type, width, decimals in fields:
        head += name[:11].ljust(11, b"\0") + type.encode("latin-1") + bytes(4) + bytes([width, decimals]) + bytes(14)
    copy = os.path.join(folder, os.path.basename(path))
    with open(copy, "wb") as f:
        f.write(head + b"\r" + data[int.from_bytes(data[8:10], "little"):])
    return copy, "under a dBase III header"


def same(kind, engine, other, field_type):
    """Whether the engine's value (kind, text) is the other reader's."""
    if engine == "null":
        return other is None or other == "" or other == b""
    if other is None:
        return False
    if kind in ("Character", "Memo"):
        text = unescape(engine)
        if field_type == "C":
            # The engine ends a character field at its first NUL.
            other = other.split("\0", 1)[0].rstrip(" ")
        return text == other
    if kind == "Bytes":
        return bytes.fromhex(engine) == bytes(other)
    if kind in ("Float", "Money", "Int32", "AutoInc", "Int16", "UInt16", "Int64"):
        return float(engine) == float(other)
    if kind == "Logical":
        return engine == ("true" if other else "false")
    if kind == "Date":
        return isinstance(other, datetime.date) and engine == other.isoformat()
    if kind == "DateTime":
        return isinstance(other, datetime.datetime) and engine == other.strftime("%Y-%m-%d %H:%M:%S.") + \
            "%03d" % (other.microsecond // 1000)
    return False


def field_types(path):
    """Field name to type letter, from the header."""
    with open(path, "rb") as f:
        data = f.read(65536)
    return {name.decode("latin-1"): type for name, type, _, _ in descriptors(data)[0]}


def describe(path):
    with open(path, "rb") as f:
        header = f.read(68)
    if len(header) < 32:
        return "%d bytes" % len(header)
    driver = "%02Xh" % header[29]
    if header[0] in LEVEL7 and len(header) == 68:
        driver += " and %s" % (header[32:64].split(b"\0")[0].decode("latin-1") or "no name")
    return "version %02Xh, language driver %s, %d records" % (header[0], driver, int.from_bytes(header[4:8], "little"))


def compare(dump, path):
    """The disagreements between the two readers of one table."""
    engine = engine_reading(dump, path)
    codec = python_codec(engine[0] if isinstance(engine, tuple) else "oem")
    other = other_reading(path, codec)
    if isinstance(engine, str) and isinstance(other, str):
        return [], f"both refuse it: engine \"{engine.splitlines()[0]}\"; dbfread \"{other}\""
    if isinstance(engine, str):
        return [f"the engine refuses it (\"{engine}\"), dbfread reads it"], ""
    if isinstance(other, str):
        return [f"dbfread refuses it ({other}), the engine reads it"], ""
    code_page, fields, rows = engine
    other_fields, other_rows, help = other
    problems = []
    if fields != other_fields:
        problems.append(f"fields: engine {fields}, dbfread {other_fields}")
    if len(rows) != len(other_rows):
        problems.append(f"rows: engine {len(rows)}, dbfread {len(other_rows)}")
    types = field_types(path)
    for number, (row, other_row) in enumerate(zip(rows, other_rows)):
        for field in fields:
            if field not in row or field not in other_row:
                continue
            kind, value = row[field]
            if not same(kind, value, other_row[field], types.get(field, "?")):
                problems.append(f"row {number} {field} ({kind}): engine {value!r}, dbfread {other_row[field]!r}")
    fields_text = "no fields" if not fields else "%d fields" % len(fields)
    help = f", dbfread {help}" if help else ""
    return problems, f"{len(rows)} rows, {fields_text}, code page {code_page} read as {codec}{help}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dump", required=True)
    parser.add_argument("--cache", required=True)
    args = parser.parse_args()
    try:
        import dbfread  # noqa: F401
    except ImportError:
        print("SKIP: python3-dbfread is not installed (scripts/setup.sh installs it)")
        return 77

    failures, tables = 0, 0
    deadline = time.monotonic() + FETCH_SECONDS
    for package in PACKAGES:
        folder = fetch(package, args.cache, deadline)
        if folder is None:
            continue
        for path in tables_in(folder):
            tables += 1
            name = os.path.relpath(path, folder)
            problems, summary = compare(args.dump, path)
            outcome = "FAIL" if problems else "OK"
            failures += bool(problems)
            line = f"{outcome} {package}: /{name} ({describe(path)}): {summary}"
            print(line)
            for problem in problems[:10]:
                print("    " + problem)
            if len(problems) > 10:
                print(f"    ... and {len(problems) - 10} more")
    if tables == 0:
        print("SKIP: no package could be had, so no real table was read")
        return 77
    print(f"{tables} tables, {failures} with disagreements")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
