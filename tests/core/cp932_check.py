#!/usr/bin/env python3
"""Compares the compiled code page 932 (cp932_dump's lines on standard input)
with Python's cp932 codec, for every byte pair and every code unit.

Python's codec follows Microsoft's mapping table but leaves out the five
single bytes only Windows' conversion defines (80, A0, FD, FE, FF), and where a
character has an NEC and an IBM code it writes the NEC-selected one (ED/EE xx)
where Windows writes the IBM one (FA-FC xx). Both differences are allowed, and
nothing else."""
import sys

WINDOWS_EXTRAS = {b"\x80": 0x0080, b"\xa0": 0xF8F0, b"\xfd": 0xF8F1, b"\xfe": 0xF8F2, b"\xff": 0xF8F3}

decoded = {}
encoded = {}
for line in sys.stdin:
    kind, a, b = line.split()
    if kind == "D":
        decoded[bytes.fromhex(a)] = int(b, 16)
    else:
        encoded[int(a, 16)] = bytes.fromhex(b)

problems = []
# Every single byte and pair: the same character, or undefined in both. A pair
# that Python reads as two characters (a single-byte character first) is no
# pair for either.
for lead in range(256):
    for trail in list(range(256)) + [None]:
        raw = bytes([lead]) if trail is None else bytes([lead, trail])
        try:
            text = raw.decode("cp932")
            python = ord(text) if len(text) == 1 else None
        except UnicodeDecodeError:
            python = None
        ours = decoded.get(raw)
        if raw in WINDOWS_EXTRAS:
            if ours != WINDOWS_EXTRAS[raw]:
                problems.append("byte %s: %r" % (raw.hex(), ours))
        elif ours != python:
            problems.append("decode %s: ours %r, Python %r" % (raw.hex(), ours, python))

# Every unit: written as Python writes it, or as the IBM code of a character
# whose NEC-selected code Python writes; held exactly where Python can write it.
for unit in range(0x10000):
    if 0xD800 <= unit <= 0xDFFF:
        continue
    try:
        python = chr(unit).encode("cp932")
    except UnicodeEncodeError:
        python = None
    ours = encoded.get(unit)
    if ours is not None and chr(unit) == "\0":
        continue
    if python is not None and python.decode("cp932") != chr(unit):
        python = None  # not a round trip
    if python is not None and python[0] in (0xED, 0xEE):
        # Every NEC-selected code has an IBM twin, which Windows writes.
        if ours is not None and 0xFA <= ours[0] <= 0xFC and ours.decode("cp932") == chr(unit):
            continue
    elif ours == python:
        continue
    if python is None and ours is not None and ours in WINDOWS_EXTRAS:
        continue
    problems.append("encode U+%04X: ours %s, Python %s" % (unit, ours and ours.hex(), python and python.hex()))

for p in problems[:20]:
    print(p)
print("cp932: %d decoded, %d encoded, %d differences from Python's codec" % (len(decoded), len(encoded), len(problems)))
sys.exit(1 if problems else 0)
