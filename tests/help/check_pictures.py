#!/usr/bin/python3
"""Checks the pictures that the guide and the help topics show: each one
they name lies in the pictures' folder, the help project lists it, and NA.chm
holds it as it is in the folder (read with chmlib's own tools).

    check_pictures.py NA.chm NA.hhp GUIDE.md PICTURES_DIR
"""
import re
import subprocess
import sys
import tempfile
from pathlib import Path

from check_help_file import listed_files, project_files, report

# The topics and the guide name a picture by the same relative path.
PICTURE = re.compile(r'(?:<img [^>]*src="|!\[[^\]]*\]\()(imagenes/[^")]+)')


def main() -> int:
    chm, hhp, guide, pictures = (Path(a) for a in sys.argv[1:5])
    named = {}
    for source in [guide, *sorted(hhp.parent.glob("*.htm"))]:
        for picture in PICTURE.findall(source.read_text(encoding="utf-8")):
            named.setdefault(picture, []).append(source.name)

    shown_in = sorted({source for sources in named.values() for source in sources})
    failures = []
    if guide.name not in shown_in:
        failures.append(f"{guide.name} shows no picture")
    if not set(shown_in) - {guide.name}:
        failures.append("no help topic shows a picture")
    in_project = set(project_files(hhp))
    listed = listed_files(chm)
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(["extract_chmLib", str(chm), tmp], check=True, capture_output=True)
        for picture, sources in sorted(named.items()):
            where = ", ".join(sorted(set(sources)))
            file = pictures / Path(picture).name
            if not file.is_file():
                failures.append(f"{picture}, shown in {where}, is not in {pictures}")
                continue
            if picture not in in_project:
                failures.append(f"{picture}, shown in {where}, is not in the project's [FILES]")
            if "/" + picture not in listed:
                failures.append(f"{picture}, shown in {where}, is not in NA.chm")
            elif (Path(tmp) / picture).read_bytes() != file.read_bytes():
                failures.append(f"{picture} in NA.chm differs from {file}")

    return report("pictures", failures, f"{len(named)} named, in {shown_in}")


if __name__ == "__main__":
    sys.exit(main())
