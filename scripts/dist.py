#!/usr/bin/env python3
"""Packs what the windows build puts beside Dustvane.exe into the two Windows packages.

    dist.py [--build build/windows] [--out build/dist]

writes into the output folder
    Dustvane-<version>-win64.zip   the portable program: unpack and run
    Dustvane-<version>-setup.exe   the installer (made with makensis from packaging/Dustvane.nsi)

Both hold the same files: Dustvane.exe, its cleaning rules Rules.ini, the LANGUAGE tree,
the manual (help.chm and help.hlp) when the build made it, README.txt, LICENSE.txt and an
empty BackFile folder. Nothing else of the build folder (test programs, build files) goes
in. The version is the one the build made Dustvane.exe with: generated/dustvane_version.h
in the build folder, made from resources/VERSION.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import time
import zipfile
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
NSIS_SCRIPT = REPO / "packaging" / "Dustvane.nsi"

# Language files the installer offers, by their value in LANGUAGE\language.ini.
LANGUAGE_VALUES = {"Chinese-GB.lng": 1, "Chinese-Big5.lng": 2, "English.lng": 3, "Japanese.lng": 4}
# The language choice: the installer writes it rather than copying it.
CHOICE_FILE = "LANGUAGE/language.ini"


def fail(message):
    sys.exit(f"dist: {message}")


def read_version(build):
    header = build / "generated" / "dustvane_version.h"
    if not header.is_file():
        fail(f"{header} is missing: build the program first (scripts/build.sh windows Dustvane)")
    text = header.read_text()
    found = {}
    for name in ("DV_VERSION_DOTTED", "DV_VERSION_TEXT"):
        m = re.search(rf'#define {name} "([0-9.]+)"', text)
        if not m:
            fail(f"{header} does not define {name}")
        found[name] = m.group(1)
    return found["DV_VERSION_DOTTED"], found["DV_VERSION_TEXT"]


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1252")


def payload(build, version_text):
    """The package's files as {relative path with '/': bytes or source Path}, and its folders."""
    exe = build / "Dustvane.exe"
    if not exe.is_file():
        fail(f"{exe} is missing: build it first (scripts/build.sh windows Dustvane)")
    rules = build / "Rules.ini"
    if not rules.is_file():
        fail(f"{rules} is missing: build the program first (scripts/build.sh windows Dustvane)")
    files = {"Dustvane.exe": exe, "Rules.ini": rules}
    languages = build / "LANGUAGE"
    if languages.is_dir():
        for path in sorted(languages.rglob("*")):
            if path.is_file():
                files[path.relative_to(build).as_posix()] = path
    for manual in ("help.chm", "help.hlp"):
        if (build / manual).is_file():
            files[manual] = build / manual
    readme = (REPO / "packaging" / "README.txt").read_text(encoding="utf-8")
    files["README.txt"] = crlf(readme.replace("@VERSION@", version_text))
    files["LICENSE.txt"] = crlf((REPO / "LICENSE").read_text(encoding="utf-8"))
    folders = {"BackFile"}
    for name in files:
        parts = name.split("/")[:-1]
        folders.update("/".join(parts[:i]) for i in range(1, len(parts) + 1))
    return files, sorted(folders)


def content(item):
    return item if isinstance(item, bytes) else item.read_bytes()


def stage(files, folders, root):
    if root.exists():
        shutil.rmtree(root)
    for folder in folders:
        (root / folder).mkdir(parents=True, exist_ok=True)
    for name, item in files.items():
        (root / name).write_bytes(content(item))


def source_time():
    """The time stamped on every zip entry: SOURCE_DATE_EPOCH, else the last commit's."""
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", str(REPO), "log", "-1", "--format=%ct"],
                             capture_output=True, text=True, check=True).stdout.strip()
        return int(out)
    except (OSError, subprocess.CalledProcessError, ValueError):
        return int(time.time())


def write_zip(files, folders, path):
    """Everything below one folder Dustvane\\, in name order, with one fixed time stamp."""
    stamp = time.gmtime(max(source_time(), 315532800))[:6]  # zip times start in 1980
    entries = [(f + "/", None) for f in folders] + list(files.items())
    tmp = path.with_suffix(".tmp")
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name, item in sorted(entries, key=lambda e: e[0].lower()):
            info = zipfile.ZipInfo("Dustvane/" + name, stamp)
            info.create_system = 0  # MS-DOS attributes
            if item is None:
                info.external_attr = 0x10  # folder
                z.writestr(info, b"")
            else:
                info.external_attr = 0x20  # archive
                info.compress_type = zipfile.ZIP_DEFLATED
                z.writestr(info, content(item))
    tmp.replace(path)


def nsis_path(path):
    return str(path).replace("$", "$$")


def windows_name(name):
    return name.replace("/", "\\").replace("$", "$$")


def write_file_list(files, folders, root, path):
    """The NSIS macros that install and remove exactly the package's files."""
    lines = ["; Made by scripts/dist.py: the files of this package.", ""]
    for name, value in LANGUAGE_VALUES.items():
        if f"LANGUAGE/{name}" in files:
            lines.append(f"!define DV_LANGUAGE_{value}")
    size = sum(len(content(item)) for item in files.values())
    lines += [f"!define DV_SIZE_KB {(size + 1023) // 1024}", "", "!macro DV_INSTALL_FILES"]
    by_folder = {}
    for name in files:
        if name != CHOICE_FILE:
            by_folder.setdefault(name.rpartition("/")[0], []).append(name)
    for folder in sorted(by_folder):
        below = "\\" + windows_name(folder) if folder else ""
        lines.append(f'  SetOutPath "$INSTDIR{below}"')
        for name in by_folder[folder]:
            target = name.rpartition("/")[2].replace("$", "$$")
            # Settings files the program rewrites are the user's once installed; its own
            # cleaning rules are renewed with the program.
            keep = name.lower().endswith(".ini") and name != "Rules.ini"
            if keep:
                lines.append("  SetOverwrite off")
            lines.append(f'  File "/oname={target}" "{nsis_path(root / name)}"')
            if keep:
                lines.append("  SetOverwrite on")
    for folder in folders:
        lines.append(f'  CreateDirectory "$INSTDIR\\{windows_name(folder)}"')
    lines += ["!macroend", "", "!macro DV_REMOVE_FILES"]
    for name in sorted(files):
        lines.append(f'  Delete "$INSTDIR\\{windows_name(name)}"')
    # Deepest folders first; RMDir without /r leaves a folder that still holds anything.
    for folder in sorted(folders, key=lambda f: (-f.count("/"), f)):
        lines.append(f'  RMDir "$INSTDIR\\{windows_name(folder)}"')
    lines += ["!macroend", ""]
    path.write_text("\n".join(lines), encoding="utf-8")


def make_installer(version, version_text, file_list, out_file, log):
    makensis = shutil.which("makensis")
    if not makensis:
        fail("makensis is missing: run scripts/deps.sh (Debian package nsis)")
    command = [makensis, "-V2", "-INPUTCHARSET", "UTF8",
               f"-DVERSION={version}", f"-DVERSION_TEXT={version_text}",
               f"-DFILES={file_list}", f"-DOUTFILE={out_file}", f"-DROOT={REPO}",
               str(NSIS_SCRIPT)]
    with open(log, "w") as f:
        rc = subprocess.run(command, stdout=f, stderr=subprocess.STDOUT).returncode
    if rc != 0 or not out_file.is_file():
        sys.stderr.write(Path(log).read_text())
        fail(f"makensis failed (log: {log})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", type=Path, default=REPO / "build" / "windows")
    parser.add_argument("--out", type=Path, default=None,
                        help="output folder (default: dist/ beside the build folder)")
    args = parser.parse_args()
    build = args.build.resolve()
    out = (args.out or build.parent / "dist").resolve()
    version, version_text = read_version(build)
    files, folders = payload(build, version_text)

    out.mkdir(parents=True, exist_ok=True)
    root = out / "stage" / "Dustvane"
    stage(files, folders, root)
    zip_path = out / f"Dustvane-{version_text}-win64.zip"
    write_zip(files, folders, zip_path)
    file_list = out / "files.nsh"
    write_file_list(files, folders, root, file_list)
    setup = out / f"Dustvane-{version_text}-setup.exe"
    make_installer(version, version_text, file_list, setup, out / "makensis.log")

    for path in (zip_path, setup):
        print(f"dist: {path} ({path.stat().st_size // 1024} KB)")


if __name__ == "__main__":
    main()
