#!/usr/bin/python3
"""Reads the compiled help file with chmlib's own tools, independently of the
compiler, and checks it against its project: every topic is inside, the table
of contents lists them all, and context 1 opens the main topic.

    check_help_file.py NA.chm NA.hhp
"""
import re
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

MAIN_TOPIC = "principal.htm"


def project_files(hhp: Path) -> list[str]:
    files, section = [], None
    for line in hhp.read_text(encoding="ascii").splitlines():
        line = line.strip()
        if line.startswith("["):
            section = line
        elif section == "[FILES]" and line:
            files.append(line)
    return files


def project_topics(hhp: Path) -> list[str]:
    return [f for f in project_files(hhp) if f.endswith(".htm")]


def listed_files(chm: Path) -> set[str]:
    out = subprocess.run(["enum_chmLib", str(chm)], check=True, capture_output=True, text=True).stdout
    return {line.split()[-1] for line in out.splitlines() if "file" in line}


def context_map(folder: Path) -> dict[int, str]:
    ivb = (folder / "#IVB").read_bytes()
    strings = (folder / "#STRINGS").read_bytes()
    (size,) = struct.unpack_from("<I", ivb)
    pairs = struct.iter_unpack("<II", ivb[4 : 4 + size])
    return {ident: strings[offset : strings.index(b"\0", offset)].decode("ascii") for ident, offset in pairs}


def report(label: str, failures: list[str], summary: str) -> int:
    """Prints each failure and the summary; the exit code."""
    for failure in failures:
        print(f"{label}: {failure}")
    print(f"{label}: {summary}")
    return 1 if failures else 0


def main() -> int:
    chm, hhp = Path(sys.argv[1]), Path(sys.argv[2])
    topics = project_topics(hhp)
    failures = []

    listed = listed_files(chm)
    for name in ["/" + t for t in topics] + ["/NA.hhc", "/NA.hhk", "/#SYSTEM", "/#IVB"]:
        if name not in listed:
            failures.append(f"{name} is not in the file")

    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(["extract_chmLib", str(chm), tmp], check=True, capture_output=True)
        folder = Path(tmp)
        toc = (folder / "NA.hhc").read_text(encoding="latin-1")
        in_toc = re.findall(r'<param name="Local" value="([^"]+)">', toc)
        if sorted(in_toc) != sorted(topics):
            failures.append(f"the table of contents lists {in_toc}, the project {topics}")
        if len(re.findall(r'<param name="Name" value="[^"]+">', toc)) != len(in_toc):
            failures.append("a table of contents entry has no name")

        contexts = context_map(folder)
        if contexts.get(1, "").lstrip("/") != MAIN_TOPIC:
            failures.append(f"context 1 maps to {contexts.get(1)!r}, not to {MAIN_TOPIC}")
        for ident, page in contexts.items():
            if "/" + page.lstrip("/") not in listed:
                failures.append(f"context {ident} maps to {page!r}, which the file lacks")

    return report("NA.chm", failures, f"{len(topics)} topics, {len(in_toc)} in the table of contents, contexts {contexts}")


if __name__ == "__main__":
    sys.exit(main())
