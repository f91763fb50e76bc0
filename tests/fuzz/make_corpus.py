#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (tests/fuzz/corpus/<target>/) from the shipped
data and a few hand-made cases. The seeds are small on purpose: a few records of each file,
so that libFuzzer mutates them quickly. Run from anywhere; the result is committed.

The chart_settings seeds (the settings a default chart writes, one value a line) are kept as
they are: they come from the program, not from this script. Files found by fuzzing are added
to the corpora by hand, under names saying what they found."""

import math
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parents[2]
DATA = ROOT / "data"
SOURCES = DATA / "sources"
CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"
SEP = b"\n==SKYVANE-FUZZ-PART==\n"


def records(path, size, first, count):
    raw = (DATA / path).read_bytes()
    return raw[first * size:(first + count) * size]


def lines(path, count, start=0):
    text = path.read_bytes().splitlines(keepends=True)
    return b"".join(text[start:start + count])


def nan_record(record, offset, width=8):
    """The record with a not-a-number written over the field at offset."""
    fill = struct.pack("<d", math.nan) if width == 8 else struct.pack("<f", math.nan)
    return record[:offset] + fill + record[offset + width:]


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def fixed_record_seeds(target, path, size, count):
    good = records(path, size, 0, count)
    write(target, "shipped-prefix", good)
    write(target, "cut-mid-record", good[:size * 2 + size // 2])
    write(target, "empty", b"")
    write(target, "all-ff", b"\xff" * size * 3)
    write(target, "nan-fields", b"".join(nan_record(good[i:i + size], 0) for i in range(0, size * 3, size)))


def tycho_star(packed, tyc2, ra_h, dec, bt, vt):
    """A 20-byte Tycho-2 star record: packed TYC1/TYC3, TYC2, the direction in units of
    2^-31, BT and VT in milli-magnitudes."""
    ra = math.radians(ra_h * 15.0)
    d = math.radians(dec)
    vec = [int(c * 2147483647) for c in (math.cos(d) * math.cos(ra), math.cos(d) * math.sin(ra), math.sin(d))]
    return struct.pack("<hhiiihh", packed, tyc2, *vec, bt, vt)


def tycho_store():
    index = b""
    main = b""
    supplement = b""
    boxes = [(300.0, 315.0, 30.0, 45.0), (0.0, 10.0, -5.0, 5.0), (80.0, 100.0, -65.0, -55.0)]
    for region, (ra_low, ra_high, dec_low, dec_high) in enumerate(boxes, start=1):
        index += struct.pack("<ii4d", len(main) // 20 + 1, len(supplement) // 20 + 1,
                             ra_low, ra_high, dec_low, dec_high)
        ra = (ra_low + ra_high) / 30.0
        dec = (dec_low + dec_high) / 2.0
        for k in range(5):
            main += tycho_star(region, k + 1, ra + 0.01 * k, dec, 11000, 10500 + k)
        supplement += tycho_star(region + 10000, 900, ra, dec, 12000, 11000)
    closing = struct.pack("<ii4d", len(main) // 20 + 1, len(supplement) // 20 + 1, 0, 0, 0, 0)
    whole = index + closing
    write("tycho_store", "three-regions", whole + SEP + main + SEP + supplement)
    write("tycho_store", "index-only", whole)
    write("tycho_store", "counts-past-end", struct.pack("<ii4d", 1, 1, 0, 10, 0, 10) +
          struct.pack("<ii4d", 2000000000, 2000000000, 0, 0, 0, 0) + SEP + main + SEP + supplement)
    write("tycho_store", "falling-counts", struct.pack("<ii4d", 50, 9, 0, 10, 0, 10) +
          struct.pack("<ii4d", 3, 1, 0, 0, 0, 0) + SEP + main + SEP + supplement)
    write("tycho_store", "nan-box", struct.pack("<ii4d", 1, 1, math.nan, math.inf, -math.inf, 1e308) +
          closing + SEP + main + SEP + supplement)


def tycho2_text():
    def tyc(t1, t2, t3):
        return "%04d %05d %d" % (t1, t2, t3)

    def num(v, width, decimals):
        return " " * width if v is None else "%*.*f" % (width, decimals, v)

    def catalog_line(t1, t2, t3, ra, dec, bt, vt):
        return (tyc(t1, t2, t3) + "| |" + num(ra, 12, 8) + "|" + num(dec, 12, 8) + "|" +
                num(-12.5, 7, 1) + "|" + num(3.4, 7, 1) + "|" + num(40, 3, 0) + "|" + num(41, 3, 0) +
                "|" + num(2.1, 4, 1) + "|" + num(2.2, 4, 1) + "|" + num(1989.12, 7, 2) + "|" +
                num(1990.03, 7, 2) + "|" + num(5, 2, 0) + "|" + num(1.1, 3, 1) + "|" +
                num(0.9, 3, 1) + "|" + num(1.0, 3, 1) + "|" + num(1.2, 3, 1) + "|" + num(bt, 6, 3) +
                "|" + num(0.1, 5, 3) + "|" + num(vt, 6, 3) + "|" + num(0.1, 5, 3) + "|999|T|" +
                " " * 9 + "|" + num(ra, 12, 8) + "|" + num(dec, 12, 8) + "|1.62|1.71| 55.0| 60.1| |-0.2")

    def supplement_line(t1, t2, t3, ra, dec, bt, vt):
        return (tyc(t1, t2, t3) + "|T|" + num(ra, 12, 8) + "|" + num(dec, 12, 8) + "|" +
                num(None, 7, 1) + "|" + num(None, 7, 1) + "|" + num(12.0, 5, 1) + "|" +
                num(11.0, 5, 1) + "|" + num(None, 5, 1) + "|" + num(None, 5, 1) + "| |" +
                num(bt, 6, 3) + "|" + num(0.2, 5, 3) + "|" + num(vt, 6, 3) + "|" + num(0.2, 5, 3) +
                "|123| |       ")

    catalog = [catalog_line(1, k, 1, 1.0 + 0.01 * k, 2.0, 11.0, 10.5) for k in range(1, 6)]
    catalog += [catalog_line(2, 1, 1, 10.0, 5.0, 8.6, 8.0), catalog_line(9537, 1, 3, 350.0, -80.0, 12.5, 12.0)]
    supplement = [supplement_line(1, 6, 1, 1.2, 2.2, 10.9, 10.1), supplement_line(3, 1, 1, 20.0, 7.0, 8.1, 7.5)]
    index = ["%7d|%6d|%6.2f|%6.2f|%6.2f|%6.2f" % (1, 1, 0.0, 7.5, 0.0, 7.5),
             "%7d|%6d|%6.2f|%6.2f|%6.2f|%6.2f" % (6, 2, 7.49, 15.0, 0.0, 7.5),
             "%7d|%6d|      |      |      |      " % (7, 2)]
    text = lambda rows: "".join(r + "\r\n" for r in rows).encode()
    write("tycho2_convert", "small-sky", text(index) + SEP + text(catalog) + SEP + text(supplement))
    write("tycho2_convert", "lf-lines", text(index).replace(b"\r\n", b"\n") + SEP +
          text(catalog).replace(b"\r\n", b"\n"))
    write("tycho2_convert", "out-of-order", text(index) + SEP + text(list(reversed(catalog))))
    write("tycho2_convert", "truncated-line", text(index) + SEP + text([catalog[0][:150]] + catalog[1:]))


def main():
    for target, path, size, count in [("boundaries", "Boundaries.skd", 24, 120),
                                      ("boundary_bands", "BoundariesC.skd", 48, 40),
                                      ("constellation_list", "Constellations.skd", 112, 88),
                                      ("figures", "Figures.skd", 40, 60)]:
        fixed_record_seeds(target, path, size, count)

    sky2000 = records("SKY2000_data.skd", 64, 0, 24)
    bright = records("bright_data.skd", 36, 0, 24)
    write("star_catalog", "shipped-prefix", sky2000 + SEP + bright + SEP)
    write("star_catalog", "cut-mid-record", sky2000[:100] + SEP + bright[:50] + SEP + b"\0" * 30)
    write("star_catalog", "no-names-file", sky2000)
    write("star_catalog", "faint-resident", sky2000 + SEP + bright + SEP +
          tycho_star(1, 1, 1.0, 2.0, 9000, 8800) + tycho_star(2, 3, 23.9, -89.9, 9400, 9300))
    write("star_catalog", "nan-fields", nan_record(sky2000[:64], 0) + nan_record(sky2000[64:128], 8) +
          SEP + bright[:36] + SEP)

    ngc = records("ngc2000.skd", 104, 0, 12)
    names = records("ngc2000names.skd", 71, 0, 12)
    write("deep_sky", "shipped-prefix", ngc + SEP + names)
    write("deep_sky", "cut-mid-record", ngc[:150] + SEP + names[:100])
    write("deep_sky", "no-names", ngc)
    write("deep_sky", "nan-position", nan_record(ngc[:104], 0) + ngc[104:] + SEP + names)
    write("deep_sky", "all-ff", b"\xff" * 312 + SEP + b"\xff" * 142)

    places = records("places.skd", 128, 200, 14)
    user = records("places.skd", 128, 0, 2)
    write("places", "shipped-prefix", places + SEP + user)
    write("places", "permanent-only", places)
    write("places", "cut-user-record", places + SEP + user[:200])
    write("places", "nan-position", nan_record(places[:128], 104) + places[128:] + SEP +
          nan_record(user[:128], 112, 4))
    write("places", "no-terminators", b"A" * 128 * 2 + SEP + b"\xe9" * 128)

    asteroids = lines(DATA / "asteroids" / "sbdb_asteroids.skd", 8)
    comets = lines(DATA / "comets" / "sbdb_comets.skd", 8)
    write("minor_body_catalogs", "asteroids", asteroids)
    write("minor_body_catalogs", "comets", comets)
    write("minor_body_catalogs", "crlf-blank-long", asteroids.replace(b"\n", b"\r\n") + b"\n   \n" +
          b"x" * 900 + b"\n")
    write("minor_body_lines", "asteroids", asteroids)
    write("minor_body_lines", "comets", comets)
    write("minor_body_lines", "short-lines", b"".join(line[:95] + b"\n" for line in asteroids.splitlines()))

    write("converter_lines", "ngc2000", lines(SOURCES / "ngc2000" / "ngc2000.dat", 12))
    write("converter_lines", "messier", lines(SOURCES / "ngc2000" / "messier.dat", 12))
    write("converter_lines", "mpcorb", (CORPUS / "converter_lines" / "mpcorb").read_bytes()
          if (CORPUS / "converter_lines" / "mpcorb").exists() else b"")
    write("converter_lines", "words", "K19A01B\nK20F03a\n~0000\nPLS2040\nT1S3138\nNGC 224\nic 434\n"
          "M 8\nα2\nψ10\n58\nK0IIIbCN-0.5\nWC8+O9I\nEA/SD\nSRB:\nχ Persei\n     1 Ceres (A801 AA)\n"
          "(3708) 1974 FV1\n    1P/Halley\n".encode())

    write("star_sources", "bsc5", b"\0" + lines(SOURCES / "bsc5" / "bsc5.dat", 6))
    write("star_sources", "cross-id", b"\1" + lines(SOURCES / "stellarium" / "cross-id.dat", 8))
    write("star_sources", "designations", b"\2" + lines(SOURCES / "stellarium" / "name.fab", 8))
    write("star_sources", "star-names", b"\3" + b'{"63":{"name":"","bayer":"","flam":"","c":"And"},'
          b'"88":{"name":"","bayer":"\xcf\x84","flam":"","c":"Phe"},'
          b'"32349":{"name":"Sirius","bayer":"\xce\xb1","flam":"9","c":"CMa"}}')
    write("star_sources", "gcvs", b"\4" + lines(SOURCES / "stellarium" / "gcvs_hip_part.dat", 8))
    write("star_sources", "wds", b"\5" + lines(SOURCES / "stellarium" / "wds_hip_part.dat", 8))

    settings = [b"0 0 0", b"255 255 255", b"256 0 0", b"-1 2 3", b"12 34", b"1e2 3 4",
                b"         2         1         0", b"         7         1         0",
                b"         0      1001  11842815", b"         0         1  16777216",
                b"00013000000000000000004000000000000000000000100000000000000000000Arial",
                b"00013000000000000000004000000000000000000000100000000000000000000" + "Ä".encode() * 20,
                b"10.00 60.00 80.00 5.00 80.00 -80.00", b"0.00 0.00 0.00 0.00 0.00 0.00",
                b"nan inf -inf 1e40 -1e40 5", b"1.5e3", b""]
    for i, text in enumerate(settings):
        write("settings_codecs", "case-%02d" % i, text)

    tycho_store()
    tycho2_text()


if __name__ == "__main__":
    main()
