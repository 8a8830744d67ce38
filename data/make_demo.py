"""Writes the demo school into data/demo: IES Valle del Jerte, a Spanish
secondary school with fourteen groups of ESO and Bachillerato, its teachers,
subjects and rooms, the subject assignments and a full week's timetable.

    /usr/bin/python3 data/make_demo.py [FOLDER]

The timetable is found by a seeded local search, so the same tables come out
on every run.
"""

import os
import random
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import school_tables as tables  # noqa: E402

DAYS, HOURS = 5, 6

SUBJECTS = [  # abbreviation, name, department, special room
    ("LCL", "Lengua Castellana y Literatura", "Lengua Castellana y Literatura", None),
    ("MAT", "Matemáticas", "Matemáticas", None),
    ("ING", "Inglés", "Inglés", None),
    ("GH", "Geografía e Historia", "Geografía e Historia", None),
    ("HES", "Historia de España", "Geografía e Historia", None),
    ("BG", "Biología y Geología", "Biología y Geología", None),
    ("BIO", "Biología", "Biología y Geología", None),
    ("FQ", "Física y Química", "Física y Química", None),
    ("QUI", "Química", "Física y Química", None),
    ("FIS", "Física", "Física y Química", None),
    ("EF", "Educación Física", "Educación Física", "gym"),
    ("MUS", "Música", "Música", "MUS"),
    ("EPV", "Educación Plástica, Visual y Audiovisual", "Dibujo", "DIB"),
    ("DT", "Dibujo Técnico", "Dibujo", "DIB"),
    ("TEC", "Tecnología y Digitalización", "Tecnología", "TALL"),
    ("FRA", "Francés (Segunda Lengua Extranjera)", "Francés", None),
    ("REL", "Religión / Atención Educativa", "Religión", None),
    ("TUT", "Tutoría", None, None),
    ("ECO", "Economía y Emprendimiento", "Economía", None),
    ("LAT", "Latín", "Cultura Clásica", None),
    ("FIL", "Filosofía", "Filosofía", None),
    ("HFI", "Historia de la Filosofía", "Filosofía", None),
    ("GRI", "Griego", "Cultura Clásica", None),  # no longer taught
]

PLANS = {  # hours a week of each subject, 30 for every level
    "1ESO": {"LCL": 4, "MAT": 4, "ING": 4, "GH": 3, "BG": 3, "EF": 2, "MUS": 2, "EPV": 2, "FRA": 2, "TEC": 2,
             "REL": 1, "TUT": 1},
    "2ESO": {"LCL": 4, "MAT": 4, "ING": 3, "GH": 3, "FQ": 3, "EF": 2, "MUS": 2, "TEC": 3, "FRA": 2, "EPV": 2,
             "REL": 1, "TUT": 1},
    "3ESO": {"LCL": 4, "MAT": 4, "ING": 4, "GH": 3, "BG": 2, "FQ": 2, "EF": 2, "TEC": 2, "MUS": 2, "FRA": 2,
             "EPV": 2, "REL": 1},
    "4ESO": {"LCL": 4, "MAT": 4, "ING": 4, "GH": 3, "FQ": 3, "BG": 3, "EF": 2, "ECO": 3, "LAT": 3, "REL": 1},
    "1BACH": {"LCL": 4, "MAT": 4, "ING": 3, "FIL": 3, "FQ": 4, "BG": 4, "EF": 2, "DT": 4, "REL": 1, "TUT": 1},
    "2BACH": {"LCL": 4, "MAT": 4, "ING": 3, "HES": 3, "QUI": 4, "FIS": 4, "BIO": 4, "HFI": 3, "TUT": 1},
}

GROUPS = [  # level, course, letters, students
    ("1ESO", "1º", "ABC", 27), ("2ESO", "2º", "ABC", 28), ("3ESO", "3º", "AB", 29),
    ("4ESO", "4º", "AB", 26), ("1BACH", "1º", "AB", 33), ("2BACH", "2º", "AB", 31),
]

TEACHERS = [  # name, abbreviation, department
    ("Muñoz Ibáñez, Begoña", "MIB", "Lengua Castellana y Literatura"),
    ("Castaño Peña, José Ángel", "CPJ", "Lengua Castellana y Literatura"),
    ("Gómez de la Fuente, Ana María", "GFA", "Lengua Castellana y Literatura"),
    ("Núñez Gómez, María Jesús", "NGM", "Matemáticas"),
    ("Fernández Oñate, Íñigo", "FOI", "Matemáticas"),
    ("Sánchez Martín, Raúl", "SMR", "Matemáticas"),
    ("O'Connor Díaz, Siobhán", "ODS", "Inglés"),
    ("Rodríguez Cañas, Lucía", "RCL", "Inglés"),
    ("Jiménez Albarrán, Tomás", "JAT", "Inglés"),
    ("Hernández Patiño, Ramón", "HPR", "Geografía e Historia"),
    ("Álvarez Montaña, Inés", "AMI", "Geografía e Historia"),
    ("Peñalver Ruiz, Concepción", "PRC", "Biología y Geología"),
    ("Benítez Lozano, Andrés", "BLA", "Biología y Geología"),
    ("Ortega Muñiz, Sofía", "OMS", "Física y Química"),
    ("Martínez Vázquez, Germán", "MVG", "Física y Química"),
    ("Quiñones Sáez, Elena", "QSE", "Física y Química"),
    ("López Arroyo, Jesús", "LAJ", "Educación Física"),
    ("García Montes, Nuria", "GMN", "Educación Física"),
    ("Romero Espinar, Ángela", "REA", "Música"),
    ("Delgado Ibarra, Joaquín", "DIJ", "Dibujo"),
    ("Vidal Cortés, Marta", "VCM", "Dibujo"),
    ("Ruiz de Alarcón, Víctor", "RAV", "Tecnología"),
    ("Dubois Navarro, Émilie", "DNE", "Francés"),
    ("Morales Cid, Pedro José", "MCP", "Religión"),
    ("Santamaría Ledesma, Julián", "SLJ", "Economía"),
    ("Cabañas Ortiz, Almudena", "COA", "Cultura Clásica"),
    ("Iglesias Zúñiga, Álvaro", "IZA", "Filosofía"),
]

SPECIAL_ROOMS = [  # abbreviation, name, places, building
    ("GIM", "Gimnasio", 35, "P"), ("PIS", "Pista polideportiva", 60, "P"),
    ("MUS", "Aula de Música", 30, "A"), ("DIB", "Aula de Dibujo", 30, "A"),
    ("TALL", "Taller de Tecnología", 24, "A"), ("LABQ", "Laboratorio de Física y Química", 24, "A"),
    ("LABB", "Laboratorio de Biología y Geología", 24, "A"), ("INF", "Aula de Informática", 28, "A"),
    ("BIBL", "Biblioteca «Miguel de Cervantes»", 40, "P"),
]


def build(seed=1):
    rng = random.Random(seed)
    subjects = {s[0]: s for s in SUBJECTS}
    groups = []
    for level, course, letters, students in GROUPS:
        for letter in letters:
            code = level + letter
            abbrev = (level[0] + ("B" if "BACH" in level else "E") + letter)
            room = ("P" if "ESO" in level else "B") + level[0] + letter
            groups.append({"code": code, "abbrev": abbrev, "level": level, "course": course, "letter": letter,
                           "students": students + rng.randint(-2, 2), "room": room})

    # Each group's subjects go to the department's least busy teacher; the
    # tutorial goes to the group's least busy teacher.
    load = {t[1]: 0 for t in TEACHERS}
    by_department = {}
    for name, abbrev, department in TEACHERS:
        by_department.setdefault(department, []).append(abbrev)
    gym_of = {t: room for t, room in zip(by_department["Educación Física"], ("GIM", "PIS"))}
    assignments = []
    for group in groups:
        plan = PLANS[group["level"]]
        taught = []
        for subject, hours in plan.items():
            if subject == "TUT":
                continue
            department = subjects[subject][2]
            teacher = min(by_department[department], key=lambda t: (load[t], t))
            load[teacher] += hours
            taught.append(teacher)
            special = subjects[subject][3]
            room = gym_of[teacher] if special == "gym" else special or group["room"]
            assignments.append({"group": group, "subject": subject, "teacher": teacher, "room": room,
                                "hours": hours})
        if "TUT" in plan:
            tutor = min(taught, key=lambda t: (load[t], t))
            load[tutor] += 1
            assignments.append({"group": group, "subject": "TUT", "teacher": tutor, "room": group["room"],
                                "hours": 1})
    return groups, assignments, rng


def schedule(groups, assignments, rng, steps=20000):
    """Places every hour of every assignment in the week: each group's hours
    fill its thirty periods, no teacher or room is in two places at once, and
    a subject comes at most once a day where the search manages it."""
    slots = [(d, h) for d in range(DAYS) for h in range(HOURS)]
    sessions = []  # [assignment, slot]
    for group in groups:
        mine = [a for a in assignments if a["group"] is group for _ in range(a["hours"])]
        places = slots[:]
        rng.shuffle(places)
        sessions += [[a, s] for a, s in zip(mine, places)]
    by_group = {}
    for session in sessions:
        by_group.setdefault(session[0]["group"]["code"], []).append(session)

    teacher_at, room_at, subject_day = {}, {}, {}

    def add(session, sign):
        a, (d, h) = session
        for table, key in ((teacher_at, (a["teacher"], d, h)), (room_at, (a["room"], d, h)),
                           (subject_day, (a["group"]["code"], a["subject"], d))):
            table[key] = table.get(key, 0) + sign

    for session in sessions:
        add(session, 1)

    def session_cost(session):
        a, (d, h) = session
        clash = teacher_at[(a["teacher"], d, h)] - 1 + room_at[(a["room"], d, h)] - 1
        repeat = subject_day[(a["group"]["code"], a["subject"], d)] - 1
        return 10 * clash + repeat

    for _ in range(steps):
        bad = [s for s in sessions if session_cost(s) > 0]
        if not bad:
            break
        session = rng.choice(bad)
        best, best_delta = None, None
        for other in by_group[session[0]["group"]["code"]]:
            if other is session:
                continue
            before = session_cost(session) + session_cost(other)
            add(session, -1), add(other, -1)
            session[1], other[1] = other[1], session[1]
            add(session, 1), add(other, 1)
            delta = session_cost(session) + session_cost(other) - before
            add(session, -1), add(other, -1)
            session[1], other[1] = other[1], session[1]
            add(session, 1), add(other, 1)
            if best_delta is None or delta < best_delta or (delta == best_delta and rng.random() < 0.3):
                best, best_delta = other, delta
        add(session, -1), add(best, -1)
        session[1], best[1] = best[1], session[1]
        add(session, 1), add(best, 1)
    if any(session_cost(s) >= 10 for s in sessions):
        raise SystemExit("no timetable found")
    return sorted(sessions, key=lambda s: (s[1], s[0]["group"]["code"]))


def write(folder):
    groups, assignments, rng = build()
    sessions = schedule(groups, assignments, rng)
    if os.path.exists(folder):
        shutil.rmtree(folder)
    os.makedirs(folder)

    subject_rows = [{"N": i, "N2": i, "ID": i, "ABREV": abbrev, "ABREV8": abbrev, "NOMBRE": name, "POND": 1,
                     "ACTIV": 0 if abbrev == "GRI" else 1, "COLORFUENT": "clBlack", "COLORFONDO": "clWhite",
                     "ESTILOFOND": 0}
                    for i, (abbrev, name, _, _) in enumerate(SUBJECTS, 1)]
    teacher_rows = [{"N": i, "ID": i, "NOMBRE": name, "ABREV": abbrev, "MAXHDIA": 5, "MINHDIA": 1,
                     "DEPART": department}
                    for i, (name, abbrev, department) in enumerate(TEACHERS, 1)]
    group_rows = [{"N": i, "ID": i, "ABREV": g["abbrev"], "TURNO": "M", "NIVEL": "ESO" if "ESO" in g["level"] else "BACH", "CURSO": g["course"], "GRUPO": g["letter"],
                   "MAXALUM": 30 if "ESO" in g["level"] else 35,
                   "DESCRIP": f"{g['course']} {'ESO' if 'ESO' in g['level'] else 'Bachillerato'} {g['letter']}"}
                  for i, g in enumerate(groups, 1)]
    rooms = [(g["room"], f"Aula {g['room']} ({g['course']} {g['letter']})", 30, "P") for g in groups]
    room_rows = [{"N": i, "ID": i, "ABREV": abbrev, "NOMBRE": name, "MAXALUM": places, "EDIFICIO": building}
                 for i, (abbrev, name, places, building) in enumerate(rooms + SPECIAL_ROOMS, 1)]
    building_of = {r["ABREV"]: r["EDIFICIO"] for r in room_rows}
    assignment_rows = [{"ASIG": a["subject"], "AULA": a["room"], "EDIFICIO": building_of[a["room"]],
                        "GRUP": a["group"]["abbrev"], "NALUM": a["group"]["students"], "PROF": a["teacher"],
                        "TIPO": "T" if a["subject"] == "TUT" else "C", "NHORAS": a["hours"]}
                       for a in assignments]
    solution_rows = [{"ASIG": a["subject"], "AULA": a["room"], "CODGRUPO": a["group"]["code"][:6],
                      "CURSO": a["group"]["course"], "DIA": d + 1, "GRUPO": a["group"]["letter"], "HORA": h + 1,
                      "NIVEL": "ESO" if "ESO" in a["group"]["level"] else "BACH", "PROF": a["teacher"],
                      "SESIONES": 1, "TAREA": "TUTO" if a["subject"] == "TUT" else "CLAS", "TURNO": "M"}
                     for a, (d, h) in sessions]

    tables.write_table(folder, "NOMASG", subject_rows)
    tables.write_table(folder, "PROF", teacher_rows)
    tables.write_table(folder, "GRUP", group_rows)
    tables.write_table(folder, "AULA", room_rows)
    tables.write_table(folder, "Asig", assignment_rows)
    tables.write_table(folder, "SOLUC", solution_rows)
    print(f"demo: {len(groups)} groups, {len(TEACHERS)} teachers, {len(assignment_rows)} assignments, "
          f"{len(solution_rows)} periods in {folder}")


if __name__ == "__main__":
    write(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "demo"))
