#!/usr/bin/env python3
"""Compiles Dustvane's manual (docs/help/*.md) into the Windows help file help.hlp.

    make_help.py SOURCE_DIR OUTPUT.hlp        write the help file
    make_help.py --check HELP.hlp SOURCE_DIR  read a help file back and compare it

The manual's topics come from manual.py, which make_chm.py reads them with too.

The output is a WinHelp 3.1 file (the format WinHelp 3.1 and later, and Wine's
winhlp32, read). Such a file is a small file system of its own: a 16-byte header,
internal files each behind a 9-byte file header, and a directory of them kept as a
B+ tree. Dustvane's file holds these internal files:

  |SYSTEM    title, contents topic, window caption, a start-up macro
  |FONT      the fonts the text switches between
  |TOPIC     the topics: a chain of records, cut into 4 KB blocks
  |CONTEXT   B+ tree: hash of a context name -> position of its topic
  |TTLBTREE  B+ tree: position of a topic -> its title
All numbers are little-endian. Standard library only.
"""
import struct
import sys
from pathlib import Path

from manual import BODY, CONTENTS_CONTEXT, HELP_TITLE, read_manual

ENCODING = "cp1252"
NIL = 0xFFFFFFFF  # "no position" in every pointer field

# Fonts: (face, half points, bold, colour), one for each style of run in manual.py (its
# index in this list is both the style and the font number in |FONT).
FONTS = [
    ("Arial", 20, False, (0, 0, 0)),         # BODY
    ("Arial", 20, True, (0, 0, 0)),          # BOLD
    ("Arial", 28, True, (0, 0, 128)),        # TITLE
    ("Arial", 23, True, (0, 0, 128)),        # HEADING
    ("Courier New", 20, False, (0, 0, 0)),   # CODE
]
FACES = sorted({f[0] for f in FONTS})


# ---------------------------------------------------------------------------
# Small encodings.

def u16(v):
    return struct.pack("<H", v)


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


def text_bytes(s):
    try:
        return s.encode(ENCODING)
    except UnicodeEncodeError as e:
        raise SystemExit(f"not a character of the ANSI code page: {s[e.start]!r} in {s!r}")


# Characters of a context name and their values in the hash.
HASH_VALUES = {c: i + 1 for i, c in enumerate("123456789")}
HASH_VALUES.update({"0": 10, ".": 12, "_": 13})
HASH_VALUES.update({c: 17 + i for i, c in enumerate("ABCDEFGHIJKLMNOPQRSTUVWXYZ")})
HASH_VALUES.update({c.lower(): v for c, v in list(HASH_VALUES.items()) if c.isalpha()})


def hash_of(context):
    """The 32-bit hash by which |CONTEXT and jumps name a topic (signed)."""
    h = 0
    for c in context:
        if c not in HASH_VALUES:
            raise SystemExit(f"context name {context!r}: only letters, digits, '.' and '_'")
        h = (h * 43 + HASH_VALUES[c]) & 0xFFFFFFFF
    return h - (1 << 32) if h & 0x80000000 else h


# Paragraph data packs small numbers: the low bit of the first byte says whether the
# short (1 or 2 byte) or the long (2 or 4 byte) form follows.
def cshort(v):
    """Compressed signed short: (v + 64) * 2 in one byte, else 2 bytes with bit 0 set."""
    if -64 <= v < 64:
        return bytes([(v + 64) * 2])
    return u16((v + 16384) * 2 + 1)


def cushort(v):
    """Compressed unsigned short: v * 2 in one byte, else 2 bytes with bit 0 set."""
    return bytes([v * 2]) if v < 128 else u16(v * 2 + 1)


def clong(v):
    """Compressed signed long: (v + 16384) * 2 in 2 bytes, else 4 bytes with bit 0 set."""
    return u16((v + 16384) * 2) if -16384 <= v < 16384 else u32((v + 0x40000000) * 2 + 1)


# ---------------------------------------------------------------------------
# Paragraphs: the character data (LinkData2) is a row of NUL-ended strings, the
# formatting data (LinkData1) the paragraph's layout followed by one command after
# each string: 0x80 font change, 0x82 end of paragraph, 0x83 tab, 0xE3 jump to a
# topic (hash follows), 0x89 end of the jump text, 0xFF end.

# Paragraph layout bits and what follows them (all in half points).
SPACE_ABOVE, LEFT_INDENT, FIRST_LINE_INDENT, TABS = 0x0002, 0x0010, 0x0040, 0x0200
LIST_INDENT = 48

LAYOUT = {  # kind -> (space above, left indent, first-line indent, tab stop)
    "title": (0, 0, 0, 0),
    "heading": (14, 0, 0, 0),
    "para": (8, 0, 0, 0),
    "item": (5, LIST_INDENT, -LIST_INDENT * 3 // 4, LIST_INDENT),
}


def encode_paragraph(kind, runs):
    """-> (LinkData1 after the record header, LinkData2) of one display record."""
    marker = None
    if kind == "bullet":
        marker, kind = "\u2022", "item"  # byte 0x95 in the ANSI code page
    elif kind.startswith("numbered"):
        marker, kind = kind.split()[1], "item"
    above, left, first, tab = LAYOUT[kind]
    bits, layout = 0, b""
    if above:
        bits, layout = bits | SPACE_ABOVE, layout + cshort(above)
    if left:
        bits, layout = bits | LEFT_INDENT, layout + cshort(left)
    if first:
        bits, layout = bits | FIRST_LINE_INDENT, layout + cshort(first)
    if tab:
        bits, layout = bits | TABS, layout + cshort(1) + cushort(tab)

    strings, commands, pending, font = [], bytearray(), [""], None

    def command(code):
        strings.append(text_bytes(pending[0]))
        commands.extend(code)
        pending[0] = ""

    def set_font(f):
        nonlocal font
        if f != font:
            command(b"\x80" + u16(f))
            font = f

    set_font(runs[0][0] if kind != "item" else BODY)
    if marker:
        pending[0] = marker
        command(b"\x83")
    for f, text, target in runs:
        set_font(f)
        if target:
            command(b"\xe3" + u32(hash_of(target)))
            pending[0] = text
            command(b"\x89")
        else:
            pending[0] += text
    command(b"\x82")
    command(b"\xff")
    data2 = b"\0".join(strings) + b"\0"
    # Size and length of the text (characters and string ends), then an unknown byte
    # pair and an id, the layout bits and their values, then the commands.
    data1 = (clong(len(data2)) + cushort(len(data2)) + b"\x00\x80" + u16(0) + u16(bits) +
             layout + bytes(commands))
    return data1, data2


# ---------------------------------------------------------------------------
# |TOPIC: one chain of records (TOPICLINKs). Each topic is a topic header record
# (type 2, its title as text) followed by one display record (type 0x20) per
# paragraph. A record starts with a 21-byte header:
#   block size, text size, previous record, next record, size of header + LinkData1,
#   record type
# The chain is cut into blocks of 4096 bytes, each a 12-byte block header (last
# record of the previous block, first record of this block, last topic header)
# and compressed data. The data here is LZ77 data without back references: a flag
# byte of 0 before each 8 bytes copied as they are. 4084 such bytes hold 3630
# bytes of chain, so every block holds the same amount. (Uncompressed blocks would
# do as well, but viewers disagree on how positions count in them; in compressed
# blocks every viewer counts them alike.)
#
# Positions: a TOPICPOS (where a record starts) is block * 0x4000 + 12 + offset in
# the block's data; a TOPICOFFSET (where a topic starts, what jumps and the
# contents refer to) is block * 0x8000 + the text lengths of the display records
# that start earlier in that block.

BLOCK_SIZE = 4096
BLOCK_DATA = 3630
RECORD_HEADER = 21


def topicpos(stream_offset):
    return (stream_offset // BLOCK_DATA) * 0x4000 + 12 + stream_offset % BLOCK_DATA


class Record:
    def __init__(self, kind, data1, data2, topic=None):
        self.kind, self.data1, self.data2, self.topic = kind, data1, data2, topic
        self.offset = 0  # in the chain

    def size(self):
        return RECORD_HEADER + len(self.data1) + len(self.data2)


def build_topic_chain(topics):
    """-> (|TOPIC content, TOPICOFFSET of each topic)."""
    records = []
    for t in topics:
        records.append(Record(2, bytes(28), text_bytes(t.title), t))  # header filled below
        for kind, runs in t.paragraphs:
            records.append(Record(0x20, *encode_paragraph(kind, runs)))
    at = 0
    for r in records:
        r.offset, at = at, at + r.size()
    chain_end = at

    # Topic offsets: count text lengths within each block.
    topic_offset, block, count = {}, -1, 0
    for r in records:
        if r.offset // BLOCK_DATA != block:
            block, count = r.offset // BLOCK_DATA, 0
        if r.kind == 2:
            topic_offset[r.topic.context] = block * 0x8000 + count
        else:
            count += len(r.data2)

    heads = [i for i, r in enumerate(records) if r.kind == 2]
    chain = bytearray()
    for i, r in enumerate(records):
        prev = topicpos(records[i - 1].offset) if i else NIL
        nxt = topicpos(records[i + 1].offset) if i + 1 < len(records) else NIL
        if r.kind == 2:
            n = heads.index(i)
            end = records[heads[n + 1]].offset if n + 1 < len(heads) else chain_end
            browse_back = topic_offset[topics[n - 1].context] if n else NIL
            browse_next = topic_offset[topics[n + 1].context] if n + 1 < len(topics) else NIL
            next_topic = topicpos(end) if n + 1 < len(heads) else NIL
            # Topic size, browse sequence, topic number, non-scrolling region (none),
            # scrolling region, next topic header.
            r.data1 = (u32(end - r.offset) + u32(browse_back) + u32(browse_next) + u32(n) +
                       u32(NIL) + u32(nxt) + u32(next_topic))
        chain += (u32(r.size()) + u32(len(r.data2)) + u32(prev) + u32(nxt) +
                  u32(RECORD_HEADER + len(r.data1)) + bytes([r.kind]) + r.data1 + r.data2)
    assert len(chain) == chain_end

    blocks = max(1, -(-chain_end // BLOCK_DATA))
    chain += bytes(blocks * BLOCK_DATA - chain_end)
    content = bytearray()
    for b in range(blocks):
        starts = [r for r in records if r.offset // BLOCK_DATA == b]
        before = [r for r in records if r.offset // BLOCK_DATA < b]
        heads_so_far = [r for r in records if r.kind == 2 and r.offset < (b + 1) * BLOCK_DATA]
        content += u32(topicpos(before[-1].offset) if before else NIL)
        content += u32(topicpos(starts[0].offset) if starts else NIL)
        content += u32(topicpos(heads_so_far[-1].offset) if heads_so_far else NIL)
        data = chain[b * BLOCK_DATA:(b + 1) * BLOCK_DATA]
        for i in range(0, len(data), 8):
            content += b"\0" + data[i:i + 8]
        assert len(content) == (b + 1) * BLOCK_SIZE
    return bytes(content), topic_offset


# ---------------------------------------------------------------------------
# B+ trees. A 38-byte header (magic 0x293B, flags, page size, a text describing the
# entries, root page, number of pages and levels, number of entries) is followed by
# fixed-size pages. Leaf pages (8-byte header: free bytes, entries, previous and next
# leaf) hold the sorted entries; when they take more than one page, one index page
# (6-byte header: free bytes, entries, first leaf) holds the first key of every
# further leaf with its page number.

def btree(entries, key_of, page_size, structure, flags=0x0002):
    """entries: sorted packed entries; key_of(entry) -> packed key for the index page."""
    leaves, page = [], []
    for e in entries:
        if 8 + sum(map(len, page)) + len(e) > page_size:
            leaves.append(page)
            page = []
        page.append(e)
    leaves.append(page)
    pages = []
    for i, leaf in enumerate(leaves):
        body = b"".join(leaf)
        prev = i - 1 if i else 0xFFFF
        nxt = i + 1 if i + 1 < len(leaves) else 0xFFFF
        pages.append(u16(page_size - 8 - len(body)) + u16(len(leaf)) + u16(prev) + u16(nxt) +
                     body + bytes(page_size - 8 - len(body)))
    levels = 1
    if len(leaves) > 1:
        body = b"".join(key_of(leaf[0]) + u16(i) for i, leaf in enumerate(leaves) if i)
        if 6 + len(body) > page_size:
            raise SystemExit(f"B+ tree {structure}: too many entries for two levels")
        pages.append(u16(page_size - 6 - len(body)) + u16(len(leaves) - 1) + u16(0) + body +
                     bytes(page_size - 6 - len(body)))
        levels = 2
    header = (u16(0x293B) + u16(flags) + u16(page_size) + structure.encode().ljust(16, b"\0") +
              u16(0) + u16(0) + u16(len(pages) - 1) + u16(0xFFFF) + u16(len(pages)) +
              u16(levels) + u32(len(entries)))
    return header + b"".join(pages)


# ---------------------------------------------------------------------------
# The other internal files.

def system_file(contents_offset):
    """|SYSTEM: version 3.1 header (magic, minor 21, major 1, date, flags 4 = LZ77
    compressed 4 KB topic blocks), then typed records."""
    def record(kind, data):
        return u16(kind) + u16(len(data)) + data

    # The main window: flags (name and caption given), type, name, caption, then
    # position, size, state and colours, which are left to the viewer.
    window = (u16(0x0006) + bytes(10) + b"main".ljust(9, b"\0") +
              text_bytes(HELP_TITLE).ljust(51, b"\0") + bytes(18))
    return (u16(0x036C) + u16(21) + u16(1) + u32(0) + u16(4) +
            record(1, text_bytes(HELP_TITLE) + b"\0") +
            record(3, u32(contents_offset)) +
            record(4, b"BrowseButtons()\0") +
            record(6, window))


def font_file():
    """|FONT: face names (32 bytes each), then an 11-byte descriptor per font:
    attributes, size in half points, family, face number, colour, background."""
    faces = b"".join(text_bytes(f).ljust(32, b"\0") for f in FACES)
    descriptors = b""
    for face, half_points, bold, rgb in FONTS:
        family = 1 if face == "Courier New" else 3  # modern, swiss
        descriptors += (bytes([1 if bold else 0, half_points, family]) +
                        u16(FACES.index(face)) + bytes(rgb) + bytes(3))
    return (u16(len(FACES)) + u16(len(FONTS)) + u16(8) + u16(8 + len(faces)) +
            faces + descriptors)


def container(files):
    """The help file: header (magic, directory start, free list (none), file size),
    then each internal file behind its header (reserved size, used size, flags),
    then the directory, a B+ tree of (name, offset) sorted by name."""
    body, offsets, at = bytearray(), {}, 16
    for name, content in files.items():
        offsets[name] = at
        piece = u32(len(content) + 9) + u32(len(content)) + b"\x04" + content
        body += piece
        at += len(piece)
    names = sorted(offsets, key=lambda n: n.encode())
    directory = btree([n.encode() + b"\0" + u32(offsets[n]) for n in names],
                      lambda e: e[:e.index(b"\0") + 1], 1024, "z4", flags=0x0402)
    body += u32(len(directory) + 9) + u32(len(directory)) + b"\x04" + directory
    total = 16 + len(body)
    return u32(0x00035F3F) + u32(at) + u32(NIL) + u32(total) + bytes(body)


def compile_help(topics):
    topic, offsets = build_topic_chain(topics)
    contexts = sorted((hash_of(t.context), offsets[t.context]) for t in topics)
    titles = sorted((offsets[t.context], t.title) for t in topics)
    return container({
        "|SYSTEM": system_file(offsets[CONTENTS_CONTEXT]),
        "|FONT": font_file(),
        "|TOPIC": topic,
        "|CONTEXT": btree([struct.pack("<iI", h, o) for h, o in contexts],
                          lambda e: e[:4], 2048, "L4"),
        "|TTLBTREE": btree([u32(o) + text_bytes(t) + b"\0" for o, t in titles],
                           lambda e: e[:4], 2048, "Lz"),
    })


# ---------------------------------------------------------------------------
# Reading a help file back, as a viewer walks it: directory, |SYSTEM, the record
# chain from position 12, every jump looked up in |CONTEXT.

def read_help(data):
    def at(fmt, offset):
        return struct.unpack_from(fmt, data, offset)

    magic, dir_start, _, size = at("<IIiI", 0)
    if magic != 0x00035F3F or size != len(data):
        raise ValueError("not a help file, or cut short")

    def internal(offset):
        reserved, used = at("<II", offset)
        if reserved < used + 9 or offset + 9 + used > len(data):
            raise ValueError(f"internal file at {offset} does not fit")
        return data[offset + 9:offset + 9 + used]

    def leaf_entries(tree, parse):
        magic, _, page_size = struct.unpack_from("<HHH", tree, 0)
        if magic != 0x293B:
            raise ValueError("bad B+ tree")
        root, _, _, levels = struct.unpack_from("<HHHH", tree, 26)
        page = root
        for _ in range(levels - 1):
            page = struct.unpack_from("<H", tree, 38 + page * page_size + 4)[0]
        found = []
        while page != 0xFFFF:
            base = 38 + page * page_size
            count, _, nxt = struct.unpack_from("<hhH", tree, base + 2)
            p = base + 8
            for _ in range(count):
                entry, p = parse(tree, p)
                found.append(entry)
            page = nxt
        return found

    def name_entry(t, p):
        end = t.index(b"\0", p)
        return (t[p:end].decode(), struct.unpack_from("<I", t, end + 1)[0]), end + 5

    files = dict(leaf_entries(internal(dir_start), name_entry))
    system = internal(files["|SYSTEM"])
    magic, minor, major, _, flags = struct.unpack_from("<HHHIH", system, 0)
    if (magic, major, flags) != (0x036C, 1, 4) or minor <= 16:
        raise ValueError("not a version 3.1 file with compressed topic blocks")
    title, contents, p = None, None, 12
    while p + 4 <= len(system):
        kind, n = struct.unpack_from("<HH", system, p)
        if kind == 1:
            title = system[p + 4:p + 4 + n].split(b"\0")[0].decode(ENCODING)
        elif kind == 3:
            contents = struct.unpack_from("<I", system, p + 4)[0]
        p += 4 + n

    # Each block's data is decompressed; a position names a block and an offset in it.
    topic_file = internal(files["|TOPIC"])
    chain, block_start = bytearray(), []
    for b in range(0, len(topic_file), BLOCK_SIZE):
        src, start = topic_file[b + 12:b + BLOCK_SIZE], len(chain)
        block_start.append(start)
        i = 0
        while i < len(src):  # LZ77, back references included
            flag, i = src[i], i + 1
            for bit in range(8):
                if i >= len(src):
                    break
                if flag & (1 << bit):
                    code = struct.unpack_from("<H", src, i)[0]
                    for _ in range((code >> 12) + 3):
                        chain.append(chain[-(code & 0xFFF) - 1])
                    i += 2
                else:
                    chain.append(src[i])
                    i += 1
        if len(chain) - start > 0x4000:
            raise ValueError("topic block larger than 16 KB")

    def number(d, p, wide_size, narrow_size):
        """A compressed number: the low bit of its first byte chooses the size."""
        size = wide_size if d[p] & 1 else narrow_size
        return int.from_bytes(d[p:p + size], "little") >> 1, p + size

    topics, jumps, pos, block, count = [], [], 12, -1, 0
    while pos != NIL:
        offset = block_start[pos >> 14] + (pos & 0x3FFF) - 12
        size, len2, _, nxt, len1 = struct.unpack_from("<IIIII", chain, offset)
        kind = chain[offset + 20]
        data1 = chain[offset + 21:offset + len1]
        data2 = chain[offset + len1:offset + size]
        if len(data2) != len2:
            raise ValueError(f"record at {pos:#x}: text size does not match")
        if pos >> 14 != block:
            block, count = pos >> 14, 0
        if kind == 2:
            topics.append((block * 0x8000 + count, data2.decode(ENCODING), []))
        elif kind == 0x20 and topics:
            _, p = number(data1, 0, 4, 2)             # text size
            length, p = number(data1, p, 2, 1)        # text length
            bits = struct.unpack_from("<H", data1, p + 4)[0]
            p += 6
            if bits & ~(SPACE_ABOVE | LEFT_INDENT | FIRST_LINE_INDENT | TABS):
                raise ValueError(f"record at {pos:#x}: unknown layout bits {bits:#x}")
            for bit in (SPACE_ABOVE, LEFT_INDENT, FIRST_LINE_INDENT):
                if bits & bit:
                    _, p = number(data1, p, 2, 1)
            if bits & TABS:
                tabs, p = number(data1, p, 2, 1)
                for _ in range(tabs - 64):            # a signed count: 64 is none
                    _, p = number(data1, p, 2, 1)
            strings = data2.split(b"\0")[:-1]
            text = []
            for s in strings:
                text.append(s.decode(ENCODING))
                code, p = data1[p], p + 1
                if code == 0xFF:
                    break
                if code == 0x80:
                    p += 2
                elif code == 0xE3:
                    jumps.append((struct.unpack_from("<i", data1, p)[0], topics[-1][1]))
                    p += 4
                elif code not in (0x82, 0x83, 0x89):
                    raise ValueError(f"record at {pos:#x}: unknown command {code:#x}")
            topics[-1][2].append("".join(text))
            count += length
        else:
            raise ValueError(f"record at {pos:#x}: unknown type {kind:#x}")
        pos = nxt

    contexts = dict(leaf_entries(internal(files["|CONTEXT"]),
                                 lambda t, p: (struct.unpack_from("<iI", t, p), p + 8)))
    starts = {offset: name for offset, name, _ in topics}
    for h, source in jumps:
        if contexts.get(h) not in starts:
            raise ValueError(f"a jump in {source!r} leads nowhere")
    if contents not in starts:
        raise ValueError("the contents topic is not a topic")
    titles = leaf_entries(internal(files["|TTLBTREE"]),
                          lambda t, p: ((struct.unpack_from("<I", t, p)[0],
                                         t[p + 4:t.index(b"\0", p + 4)].decode(ENCODING)),
                                        t.index(b"\0", p + 4) + 1))
    if dict(titles) != starts:
        raise ValueError("|TTLBTREE does not list the topics")
    return {"title": title, "contents": starts[contents], "topics": topics, "jumps": len(jumps)}


def check(help_path, source_dir):
    found = read_help(Path(help_path).read_bytes())
    expected = [t.title for t in read_manual(source_dir)]
    got = [name for _, name, _ in found["topics"]]
    if got != expected:
        raise SystemExit(f"{help_path}: topics {got} differ from the manual's {expected}")
    if found["title"] != HELP_TITLE or found["contents"] != expected[0]:
        raise SystemExit(f"{help_path}: title {found['title']!r}, contents {found['contents']!r}")
    print(f"{help_path}: {found['title']!r}, contents {found['contents']!r}, "
          f"{len(got)} topics, {found['jumps']} jumps")


def main(argv):
    if len(argv) == 4 and argv[1] == "--check":
        try:
            check(argv[2], argv[3])
        except (ValueError, KeyError, IndexError, struct.error) as e:
            raise SystemExit(f"{argv[2]}: {e}")
    elif len(argv) == 3:
        data = compile_help(read_manual(argv[1]))
        read_help(data)  # never ship a file that does not read back
        Path(argv[2]).write_bytes(data)
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
