#!/usr/bin/env python3
"""Every library that a shipped program imports is one that Windows takes
from the system folder only, never from the program's folder: a library in
the list of known DLLs (HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session
Manager\\KnownDLLs on Windows 10 and 11), or ntdll.dll. The one exception is
comctl32.dll for a program whose manifest asks for version 6 of the common
controls, which Windows then takes from its side-by-side store. Any other
library that a program imports would be looked for in the program folder
before any of its code runs.

usage: import_table_test.py OBJDUMP PROGRAM|FOLDER...  (a folder: its .exe files)
"""
import glob
import os
import re
import subprocess
import sys

KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll", "gdi32.dll",
    "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll", "msvcrt.dll", "normaliz.dll",
    "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "rpcrt4.dll", "sechost.dll", "setupapi.dll",
    "shcore.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "wldap32.dll", "ws2_32.dll", "ntdll.dll",
}


def imports(objdump, program):
    listing = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    return sorted({name.lower() for name in re.findall(r"^\s*DLL Name: (\S+)$", listing, re.M)})


def side_by_side(program):
    with open(program, "rb") as file:
        return {"comctl32.dll"} if b'name="Microsoft.Windows.Common-Controls"' in file.read() else set()


def main():
    objdump = sys.argv[1]
    programs = [found for path in sys.argv[2:]
                for found in (sorted(glob.glob(os.path.join(path, "*.exe"))) if os.path.isdir(path) else [path])]
    failed = not programs
    for program in programs:
        names = imports(objdump, program)
        unprotected = [name for name in names if name not in KNOWN_DLLS | side_by_side(program)]
        print(f"{program}: {' '.join(names)}")
        if not names or unprotected:
            print(f"  not protected by Windows: {' '.join(unprotected) or '(no import table read)'}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
