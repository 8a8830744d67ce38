"""Fails when a file under src/ includes a header of a layer above its own.

    check_layers.py SRC

Layers, bottom up: base, textforms, export (its table engine, then its
document, then the export run), help, ui, and on top app and cli.
"""

import pathlib
import re
import sys

# Each layer and the layers its files may include from, besides its own.
ALLOWED = {
    "base": set(),
    "textforms": {"base"},
    "export/dbase": {"base", "textforms"},
    "export/document": {"base", "textforms", "export/dbase"},
    "export": {"base", "textforms", "export/dbase", "export/document"},
    "help": {"base", "textforms"},
    "ui": {"base", "textforms", "export/dbase", "export/document", "export", "help"},
    "app": {"base", "textforms", "export/dbase", "export/document", "export", "help", "ui"},
    "cli": {"base", "textforms", "export/dbase", "export/document", "export"},
}

# The one arrow up that the design needs: the main window knows the run
# modes, and writes their handshake.
EXCEPTIONS = {
    ("ui/main_window", "app/run_modes.h"),
    ("ui/main_window", "app/start_parameters.h"),
    ("ui/main_window", "app/system_profile_writer.h"),
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def layer_of(path):
    """The deepest layer whose folder holds the path (relative to src/)."""
    parts = pathlib.PurePosixPath(path).parts
    for depth in range(len(parts) - 1, 0, -1):
        name = "/".join(parts[:depth])
        if name in ALLOWED:
            return name
    return None


def main(src):
    src = pathlib.Path(src)
    faults = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in {".h", ".cpp"}:
            continue
        relative = file.relative_to(src).as_posix()
        own = layer_of(relative)
        if own is None:
            faults.append(f"{relative}: in no layer")
            continue
        for header in INCLUDE.findall(file.read_text(encoding="utf-8", errors="replace")):
            target = layer_of(header)
            module = relative.rsplit(".", 1)[0]
            if target is None or target == own or target in ALLOWED[own] or (module, header) in EXCEPTIONS:
                continue
            faults.append(f"{relative}: includes {header}, of the layer {target} above {own}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
