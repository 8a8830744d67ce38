"""The dBase tables that Debian packages ship as sample or test data: which
packages, and fetching and unpacking their table files into a cache
folder (nothing is installed)."""

import glob
import os
import shutil
import subprocess
import tarfile
import time

TABLE_FILES = (".dbf", ".dbt", ".fpt")

# The packages, and what each brings (docs/real-tables.md describes them).
PACKAGES = [
    "r-cran-foreign",                    # sids.dbf: dBase III
    "r-cran-sf",                         # shapefile attributes; tables without fields
    "r-cran-spdata",                     # shapefile attributes, 282-field table
    "r-cran-spdep",
    "r-cran-maptools",                   # U.S. English OEM driver 1Bh
    "r-cran-gstat",
    "python3-libpysal",                  # dates, logicals, Shift-JIS text (driver 13h)
    "python3-geopandas",                 # Natural Earth names with accents
    "python3-networkx",
    "python3-mapscript",
    "golang-github-jonas-p-go-shp-dev",  # one-field tables of a shapefile library's tests
    "php-phpmyadmin-shapefile",
    "mapnik-doc",                        # Canadian place names, 4000-row table
    "glpk-utils",                        # an optimiser's table examples
    "libplplot-data",
    "libreoffice-common",                # biblio.dbf: dBase III with a .DBT memo file
    "epic4-script-lice",                 # clones.dbf: a text file named like a table
    "lazarus-src-2.2",                   # field lists ended by a line feed; a level-7 table
]

# How long fetching may take in all: a slow network skips what is left
# rather than holding up the suite.
FETCH_SECONDS = 180


def fetch(package, cache, deadline):
    """The package's table files unpacked under cache/files/package, or None
    (with a message) when the package cannot be had before the deadline."""
    debs = os.path.join(cache, "debs")
    os.makedirs(debs, exist_ok=True)
    found = glob.glob(os.path.join(debs, package + "_*.deb"))
    if not found:
        left = deadline - time.monotonic()
        if left <= 0:
            print(f"SKIP {package}: no time left to fetch it")
            return None
        try:
            result = subprocess.run(["apt-get", "download", "-o", "APT::Sandbox::User=root", package], cwd=debs,
                                    capture_output=True, text=True, timeout=left)
            message = (result.stderr.strip().splitlines() or ["no package file"])[-1]
        except (OSError, subprocess.TimeoutExpired) as error:
            result, message = None, str(error)
        found = glob.glob(os.path.join(debs, package + "_*.deb"))
        if result is None or result.returncode != 0 or not found:
            for partial in found:
                os.remove(partial)
            print(f"SKIP {package}: cannot be had ({message})")
            return None
    target = os.path.join(cache, "files", package)
    if not os.path.isdir(target):
        shutil.rmtree(target + ".part", ignore_errors=True)
        try:
            unpack(found[0], target + ".part")
        except (OSError, RuntimeError, tarfile.TarError) as error:
            os.remove(found[0])  # fetched again next time
            print(f"SKIP {package}: cannot be unpacked ({error})")
            return None
        os.rename(target + ".part", target)
    return target


def unpack(deb, target):
    """Unpacks the table files of a Debian package into target."""
    os.makedirs(target, exist_ok=True)
    with subprocess.Popen(["dpkg-deb", "--fsys-tarfile", deb], stdout=subprocess.PIPE) as unpacked:
        with tarfile.open(fileobj=unpacked.stdout, mode="r|") as archive:
            for member in archive:
                # Plain files only, and none that would land outside the target.
                if member.isfile() and member.name.lower().endswith(TABLE_FILES) and \
                        not os.path.isabs(member.name) and ".." not in member.name.split("/"):
                    archive.extract(member, target)
    if unpacked.returncode != 0:
        raise RuntimeError(f"dpkg-deb cannot unpack {deb}")


def tables_in(folder):
    for base, _, files in sorted(os.walk(folder)):
        for name in sorted(files):
            if name.lower().endswith(".dbf"):
                yield os.path.join(base, name)
