"""The six dBase tables of a school's timetable, written with python3-dbf.

NOMASG, PROF, GRUP and AULA follow the host's recorded layouts, in field
order; Asig.DBF and SOLUC hold the fields the export reads. Every table is
a dBase III table in the Windows code page 1252 unless told otherwise.
"""

import os

import dbf

# The host's layouts. "N(...)" fields are the host's numbers.
LAYOUTS = {
    "NOMASG": "N N(6,0); N2 N(6,0); ID N(6,0); ABREV C(4); ABREV8 C(8); NOMBRE C(40); POND N(4,0); "
              "ACTIV N(2,0); COLORFUENT C(10); COLORFONDO C(10); ESTILOFOND N(2,0)",
    "PROF": "N N(6,0); ID N(6,0); NOMBRE C(40); ABREV C(4); MAXHDIA N(2,0); MINHDIA N(2,0); DEPART C(40); "
            "PREF C(80); CUAD1 C(200); CUAD2 C(200)",
    "GRUP": "N N(6,0); ID N(6,0); ABREV C(4); TURNO C(1); NIVEL C(5); CURSO C(3); GRUPO C(1); MAXALUM N(5,1); "
            "DESCRIP C(40); PREF C(80); CUAD1 C(200); CUAD2 C(200)",
    "AULA": "N N(6,0); ID N(6,0); ABREV C(4); NOMBRE C(40); MAXALUM N(5,1); EDIFICIO C(1); PREF C(80); "
            "CUAD1 C(200); CUAD2 C(200)",
    "Asig": "ASIG C(4); AULA C(4); EDIFICIO C(1); GRUP C(4); NALUM N(3,0); PROF C(4); TIPO C(1); NHORAS N(2,0)",
    "SOLUC": "ASIG C(4); AULA C(4); CODGRUPO C(6); CURSO C(3); DIA N(1,0); GRUPO C(1); HORA N(2,0); "
             "NIVEL C(5); PROF C(4); SESIONES N(2,0); TAREA C(4); TURNO C(1)",
}

LAST_UPDATE = (124, 9, 1)  # 1 September 2024, as years since 1900, month, day

# The file each table lies in, as the host spells it.
FILES = {"NOMASG": "NOMASG.DBF", "PROF": "PROF.DBF", "GRUP": "GRUP.DBF", "AULA": "AULA.DBF",
         "Asig": "Asig.DBF", "SOLUC": "SOLUC.DBF"}


def field_names(layout):
    return [field.split()[0] for field in layout.split(";")]


def write_table(folder, name, rows, layout=None, codepage="cp1252"):
    """Writes a table of dicts (field name to value; missing fields stay
    blank) into folder, under the file name the host gives it."""
    layout = layout or LAYOUTS[name]
    names = field_names(layout)
    path = os.path.join(folder, FILES.get(name, name + ".DBF"))
    table = dbf.Table(path, layout, dbf_type="db3", codepage=codepage)
    table.open(dbf.READ_WRITE)
    for row in rows:
        unknown = set(row) - set(names)
        if unknown:
            raise ValueError(f"{name} has no field {sorted(unknown)}")
        table.append({key.lower(): value for key, value in row.items() if value is not None})
    table.close()
    # python3-dbf names the file as asked, but in lower case on some versions.
    written = [f for f in os.listdir(folder) if f.lower() == os.path.basename(path).lower()]
    if written and written[0] != os.path.basename(path):
        os.rename(os.path.join(folder, written[0]), path)
    # A fixed date of last update, so that the same rows give the same file.
    with open(path, "r+b") as f:
        f.seek(1)
        f.write(bytes(LAST_UPDATE))
    return path


def lower_field_names(path):
    """Spells the table's field names in lower case, as some writers do."""
    with open(path, "r+b") as f:
        offset = 32
        while True:
            f.seek(offset)
            descriptor = f.read(32)
            if not descriptor or descriptor[0] == 0x0D:
                break
            name = descriptor[:11]
            f.seek(offset)
            f.write(name.lower())
            offset += 32


def repeat_rows(path, count):
    """Grows a table to count rows by repeating its rows in order, for
    measuring the export on tables of any size."""
    import struct
    with open(path, "r+b") as f:
        header = f.read(32)
        rows, header_size, row_size = struct.unpack("<IHH", header[4:12])
        f.seek(header_size)
        block = f.read(rows * row_size)
        f.seek(header_size)
        f.truncate()
        chunk = block * max(1, 65536 // max(1, len(block)))
        chunk_rows = len(chunk) // row_size
        left = count
        while left >= chunk_rows:
            f.write(chunk)
            left -= chunk_rows
        f.write(block * (left // rows) + block[: (left % rows) * row_size])
        f.write(b"\x1a")
        f.seek(4)
        f.write(struct.pack("<I", count))
