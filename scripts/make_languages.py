#!/usr/bin/env python3
"""Writes the LANGUAGE folder that ships beside Dustvane.exe.

    make_languages.py SOURCE_DIR OUT_DIR

SOURCE_DIR holds one UTF-8 table per language (*.txt) and the INI files of the
LANGUAGE folder (*.ini, also in subfolders). A table reads:

    # comment
    @file Chinese-GB.lng        where it goes in OUT_DIR (one or more lines)
    @codepage 936               the Windows code page it is written in
    1=text of key 1
    2=text of key 2             ... every key from 1 up, in order, no gaps

The text runs to the end of the line exactly as written, spaces included. Each
table becomes "key=text" lines in its code page with CR LF line ends; a
character the code page lacks stops the build. INI files are copied with CR LF
line ends. Language files in OUT_DIR that no table writes any more are removed.
"""
import pathlib
import sys

# Windows code pages and the Python codecs that write them.
CODECS = {1252: "cp1252", 932: "cp932", 936: "gbk", 950: "cp950"}


class TableError(Exception):
    pass


def read_table(path):
    """Returns (output names, code page, texts in key order) of one table."""
    files, codepage, texts = [], None, []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        where = f"{path.name}:{number}"
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("@file "):
            files.append(line[6:].strip())
        elif line.startswith("@codepage "):
            codepage = int(line[10:])
            if codepage not in CODECS:
                raise TableError(f"{where}: no codec for code page {codepage}")
        else:
            key, sep, text = line.partition("=")
            if not sep or not key.isdigit():
                raise TableError(f"{where}: expected key=text")
            if int(key) != len(texts) + 1:
                raise TableError(f"{where}: key {key} where key {len(texts) + 1} belongs")
            if any(ord(c) < 0x20 for c in text):
                raise TableError(f"{where}: control character in the text")
            texts.append(text)
    if not files or codepage is None or not texts:
        raise TableError(f"{path.name}: needs @file, @codepage and texts")
    return files, codepage, texts


def encode_table(name, codepage, texts):
    lines = []
    for key, text in enumerate(texts, 1):
        try:
            lines.append(f"{key}={text}\r\n".encode(CODECS[codepage]))
        except UnicodeEncodeError as e:
            bad = text[e.start:e.end]
            raise TableError(f"{name}: key {key}: {bad!r} is not in code page {codepage}")
    return b"".join(lines)


def write_if_changed(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)


def main(source, out):
    written = set()
    for table in sorted(source.glob("*.txt")):
        files, codepage, texts = read_table(table)
        data = encode_table(table.name, codepage, texts)
        for name in files:
            target = out / name
            write_if_changed(target, data)
            written.add(target.resolve())
    for ini in sorted(source.rglob("*.ini")):
        text = ini.read_text(encoding="ascii")
        target = out / ini.relative_to(source)
        write_if_changed(target, "".join(l + "\r\n" for l in text.splitlines()).encode("ascii"))
    for stale in out.rglob("*.lng"):
        if stale.resolve() not in written:
            stale.unlink()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    try:
        main(pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]))
    except (TableError, OSError, UnicodeError) as e:
        sys.exit(f"make_languages: {e}")
