#!/usr/bin/env python3
"""Generates the built-in font tables (C++) from the published data in data/.

Usage:
  gen_font_tables.py DATA_DIR OUT.cpp          write the tables
  gen_font_tables.py --check DATA_DIR OUT.cpp  fail when OUT.cpp is stale

Inputs: the Adobe Glyph List and the ZapfDingbats list (glyphlist/), the
Core 14 AFM files (afm/) and the code -> glyph name tables (encodings/).
Every file is verified against data/SHA256SUMS first, so a table is never
built from a modified copy.
"""
import hashlib
import os
import sys

# The order the font code indexes the metrics by.
STANDARD_FONTS = [
    "Courier", "Courier-Bold", "Courier-BoldOblique", "Courier-Oblique",
    "Helvetica", "Helvetica-Bold", "Helvetica-BoldOblique", "Helvetica-Oblique",
    "Symbol", "Times-Bold", "Times-BoldItalic", "Times-Italic", "Times-Roman",
    "ZapfDingbats",
]
ENCODINGS = [
    ("StandardEncoding", "kStandardEncoding"),
    ("WinAnsiEncoding", "kWinAnsiEncoding"),
    ("MacRomanEncoding", "kMacRomanEncoding"),
    ("MacExpertEncoding", "kMacExpertEncoding"),
    ("PDFDocEncoding", "kPDFDocEncoding"),
    ("SymbolEncoding", "kSymbolEncoding"),
    ("ZapfDingbatsEncoding", "kZapfDingbatsEncoding"),
]
# Unicode values that Windows text commonly uses for Symbol glyphs besides
# the ones the glyph list gives (no-break space, Greek Delta/Omega/mu as
# letters rather than math symbols, the euro, the division slash).
SYMBOL_EXTRAS = [(0x00A0, 32), (0x0394, 68), (0x03A9, 87), (0x03BC, 109),
                 (0x20AC, 160), (0x2215, 164)]


def fail(msg):
    sys.exit("gen_font_tables: " + msg)


def verify_checksums(data):
    with open(os.path.join(data, "SHA256SUMS"), encoding="ascii") as f:
        for line in f:
            digest, name = line.split()
            with open(os.path.join(data, name), "rb") as g:
                if hashlib.sha256(g.read()).hexdigest() != digest:
                    fail(f"{name} does not match SHA256SUMS")


def read_lines(path):
    with open(path, "rb") as f:
        text = f.read().decode("ascii")
    return text.replace("\r\n", "\n").replace("\r", "\n").split("\n")


def read_glyph_list(path):
    result = {}
    for line in read_lines(path):
        if not line or line.startswith("#"):
            continue
        name, values = line.split(";")
        # Names with several values (decompositions) use the first.
        result[name] = int(values.split()[0], 16)
    return result


def read_encoding(path):
    table = [""] * 256
    for line in read_lines(path):
        if not line or line.startswith("#"):
            continue
        code, name = line.split()
        code = int(code)
        if not 0 <= code <= 255 or table[code]:
            fail(f"{path}: bad or repeated code {code}")
        table[code] = name
    return table


def read_afm(path):
    font = {"widths": {}, "codes": [""] * 256, "ascender": None, "descender": None}
    in_metrics = False
    for line in read_lines(path):
        if line.startswith("StartCharMetrics"):
            in_metrics = True
            font["declared"] = int(line.split()[1])
            continue
        if line.startswith("EndCharMetrics"):
            in_metrics = False
            continue
        if in_metrics:
            fields = {}
            for part in line.split(";"):
                words = part.split()
                if words:
                    fields[words[0]] = words[1:]
            name = fields["N"][0]
            font["widths"][name] = int(fields["WX"][0])
            code = int(fields["C"][0])
            if 0 <= code <= 255:
                font["codes"][code] = name
            continue
        words = line.split()
        if not words:
            continue
        if words[0] == "FontName":
            font["name"] = words[1]
        elif words[0] == "FontBBox":
            font["bbox"] = [int(v) for v in words[1:5]]
        elif words[0] == "Ascender":
            font["ascender"] = int(words[1])
        elif words[0] == "Descender":
            font["descender"] = int(words[1])
    if len(font["widths"]) != font["declared"]:
        fail(f"{path}: {len(font['widths'])} glyphs, header says {font['declared']}")
    # Symbol and ZapfDingbats have no Ascender/Descender: use the box.
    if font["ascender"] is None:
        font["ascender"] = font["bbox"][3]
    if font["descender"] is None:
        font["descender"] = font["bbox"][1]
    return font


def c_str(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'


def emit_encoding(out, var, table):
    out.append(f"const char* const {var}[256] = {{")
    for row in range(0, 256, 8):
        out.append("  " + ", ".join(c_str(n) for n in table[row:row + 8]) + ",")
    out.append("};")
    out.append("")


def generate(data):
    verify_checksums(data)
    agl = read_glyph_list(os.path.join(data, "glyphlist", "glyphlist.txt"))
    zapf = read_glyph_list(os.path.join(data, "glyphlist", "zapfdingbats.txt"))
    encodings = {name: read_encoding(os.path.join(data, "encodings", name + ".txt"))
                 for name, _ in ENCODINGS}
    fonts = [read_afm(os.path.join(data, "afm", n + ".afm")) for n in STANDARD_FONTS]
    for name, font in zip(STANDARD_FONTS, fonts):
        if font["name"] != name:
            fail(f"{name}.afm names itself {font['name']}")
    # The AFM codes of the two symbolic fonts are their built-in encodings;
    # the published tables must agree with them.
    for idx, enc in ((8, "SymbolEncoding"), (13, "ZapfDingbatsEncoding")):
        if fonts[idx]["codes"] != encodings[enc]:
            fail(f"{enc} differs from the AFM codes of {STANDARD_FONTS[idx]}")

    symbol_reverse = {}
    for code, name in enumerate(encodings["SymbolEncoding"]):
        if name and name in agl:
            symbol_reverse.setdefault(agl[name], code)
    for uni, code in SYMBOL_EXTRAS:
        symbol_reverse[uni] = code

    out = []
    out.append("// Generated by tools/gen/gen_font_tables.py from the files in data/")
    out.append("// (Adobe Glyph List, Core 14 AFM metrics, standard encodings). Do not edit;")
    out.append("// rerun the generator instead. The notices of the sources are in data/.")
    out.append('#include "pdf/fonts/PDFontTables.h"')
    out.append("")
    out.append("namespace vl::fontdata {")
    out.append("")

    def emit_glyph_list(var, table):
        names = sorted(table, key=lambda s: s.encode("ascii"))
        out.append(f"const TvlGlyphUnicode {var}[] = {{")
        for n in names:
            out.append(f"  {{{c_str(n)}, 0x{table[n]:04X}}},")
        out.append("};")
        out.append(f"const std::size_t {var}Count = {len(names)};")
        out.append("")

    emit_glyph_list("kAdobeGlyphList", agl)
    emit_glyph_list("kZapfDingbatsGlyphList", zapf)

    for name, var in ENCODINGS:
        emit_encoding(out, var, encodings[name])

    out.append("const TvlSymbolCode kSymbolReverse[] = {")
    for uni in sorted(symbol_reverse):
        out.append(f"  {{0x{uni:04X}, {symbol_reverse[uni]}}},")
    out.append("};")
    out.append(f"const std::size_t kSymbolReverseCount = {len(symbol_reverse)};")
    out.append("")

    for idx, font in enumerate(fonts):
        names = sorted(font["widths"], key=lambda s: s.encode("ascii"))
        out.append(f"static const TvlGlyphWidth kWidths{idx}[] = {{")
        for n in names:
            out.append(f"  {{{c_str(n)}, {font['widths'][n]}}},")
        out.append("};")
        out.append("")
    out.append("const TvlStandardFontMetrics kStandardFonts[kStandardFontCount] = {")
    for idx, (name, font) in enumerate(zip(STANDARD_FONTS, fonts)):
        if idx in (8, 13):
            enc_var, enc_name = ("kSymbolEncoding" if idx == 8 else "kZapfDingbatsEncoding"), "CustomEncoding"
        else:
            enc_var, enc_name = "kStandardEncoding", "StandardEncoding"
        bbox = ", ".join(str(v) for v in font["bbox"])
        out.append(f"  {{{c_str(name)}, {font['ascender']}, {font['descender']}, {{{bbox}}}, "
                   f"{c_str(enc_name)}, {enc_var}, kWidths{idx}, {len(font['widths'])}}},")
    out.append("};")
    out.append("")
    out.append("}  // namespace vl::fontdata")
    return "\n".join(out) + "\n"


def main(argv):
    check = False
    if argv and argv[0] == "--check":
        check = True
        argv = argv[1:]
    if len(argv) != 2:
        fail("usage: gen_font_tables.py [--check] DATA_DIR OUT.cpp")
    text = generate(argv[0])
    if check:
        with open(argv[1], encoding="ascii") as f:
            if f.read() != text:
                fail(f"{argv[1]} is out of date; rerun the generator")
        return
    with open(argv[1], "w", encoding="ascii", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv[1:])
