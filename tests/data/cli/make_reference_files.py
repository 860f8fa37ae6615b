#!/usr/bin/env python3
"""Writes the reference macro files of the tavrel-macro tests.

Each file is a clean library or one fault, named by the file. The checksums
are worked out here independently of the program, so that a fault in the
program's checksum shows up as a refused clean file.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent


def checksum(line):
    s = f = 0

    def add(b):
        nonlocal s, f
        s += b
        if s > 255:
            s -= 256
        f *= 2
        if f > 255:
            f -= 255
        f += b
        if f > 255:
            f -= 256

    for ch in line[9:23]:
        add(ord(ch))
    for i in range(24, 48, 2):
        add(int(line[i:i + 2], 16))
    return f"{s:02X}{f:02X}"


def dep(d, name):
    return f"DEP:{d:02d}={name}".ljust(27)


def d41(n, name="", unit=0, cmin=0, cmax=0, dmin=0, dmax=0, mask=0, check=None):
    line = f"D41:{n:04d}={name}".ljust(23) + f",{unit:02X}{cmin:04X}{cmax:04X}{dmin:04X}{dmax:04X}{mask:06X}"
    return line + (check if check is not None else checksum(line))


def d36(n, name="", unit=0, cmin=0, cmax=0, dmin=0, dmax=0, mask=0):
    return f"D36:{n:04d}={name}".ljust(19) + f",{unit:02X}{cmin:04X}{cmax:04X}{dmin:04X}{dmax:04X}{mask:06X}"


DEPARTMENTS = {1: "ICU", 2: "Oncology", 3: "Pediatrics", 4: "Surgery"}
# Limit codes: thousandths up to 10, then coarser (see the 510 limit codes).
DRUGS_041 = {
    2: dict(name="Heparin", unit=0x07, cmin=1000, cmax=19000, dmin=500, dmax=10000, mask=0b11),
    7: dict(name="Morphine", unit=0x07, cmin=1000, cmax=1000, dmin=500, dmax=10000, mask=0b101),
    9: dict(name="Fentanyl", unit=0x27, cmin=10000, cmax=13000, dmin=11500, dmax=19000, mask=0b100),
}
DRUGS_036 = {
    3: dict(name="Dopamine", unit=3, cmin=150, cmax=200, dmin=50, dmax=1000, mask=0b101),
    5: dict(name="Insulin", unit=2, cmin=100, cmax=100, dmin=10, dmax=2000, mask=0b10),
}
# mg/mL with mg/hr (unit 0x07) and mcg/hr (0x06); limits in thousandths (above 10 in hundredths from code 10000).
SAME_AS_036 = {
    3: dict(name="Dopamine", unit=0x07, cmin=1500, cmax=2000, dmin=500, dmax=10000, mask=0b101),
    5: dict(name="Insulin", unit=0x06, cmin=1000, cmax=1000, dmin=100, dmax=11000, mask=0b10),
}


def library041(departments=DEPARTMENTS, drugs=DRUGS_041, name="CITYHOSP", edit=None):
    lines = [dep(d, departments.get(d, "")) for d in range(1, 26)]
    lines += [d41(n, **drugs.get(n, {})) for n in range(1, 101)]
    lines.append(f"LIBRARY={name}".ljust(19))
    if edit:
        lines = edit(lines)
    return lines


def library036(drugs=DRUGS_036, edit=None):
    lines = [dep(d, DEPARTMENTS.get(d, "")) for d in range(1, 26)]
    lines += [d36(n, **drugs.get(n, {})) for n in range(1, 101)]
    if edit:
        lines = edit(lines)
    return lines


def changed(drugs, slot, **fields):
    result = {n: dict(d) for n, d in drugs.items()}
    result.setdefault(slot, {}).update(fields)
    return result


def replace(index, line):
    def edit(lines):
        lines = list(lines)
        lines[index] = line
        return lines
    return edit


# Drug n is at index 24 + n of the lines, on file line 25 + n.


def swap(a, b):
    def edit(lines):
        lines = list(lines)
        lines[a], lines[b] = lines[b], lines[a]
        return lines
    return edit


FILES = {
    "clean041.tm2": library041(),
    "bad_checksum041.tm2": library041(edit=replace(24 + 7, d41(7, **DRUGS_041[7], check="1A2B"))),
    "bad_hex041.tm2": library041(edit=replace(24 + 2, d41(2, **DRUGS_041[2])[:38] + "27G0" + d41(2, **DRUGS_041[2])[42:])),
    "out_of_order041.tm2": library041(edit=swap(24 + 7, 24 + 9)),
    "missing_lines041.tm2": library041()[:24 + 50],
    # Morphine in the last slot, its dose minimum above its maximum; a last department.
    "ok_fails041.tm2": library041(departments={**DEPARTMENTS, 25: "Spare"},
                                  drugs={2: DRUGS_041[2], 9: DRUGS_041[9], 100: dict(DRUGS_041[7], dmin=19000)}),
    "not_a_macro.tm2": ["<html><body>this is a web page saved as .tm2</body></html>"],
    "clean036.tm2": library036(),
    "ok_fails036.tm2": library036(drugs=changed(DRUGS_036, 5, cmin=300)),
    # Pairs for diff, each against clean041.tm2 / clean036.tm2.
    "diff_dose041.tm2": library041(drugs=changed(DRUGS_041, 7, dmax=10200)),  # 10 -> 12 mg/hr
    "diff_department041.tm2": library041(departments={**DEPARTMENTS, 3: "Paediatrics"}),
    "diff_moved041.tm2": library041(drugs={**{n: d for n, d in DRUGS_041.items() if n != 7}, 8: DRUGS_041[7]}),
    "diff_added041.tm2": library041(drugs={**DRUGS_041, 100: dict(name="Propofol", unit=0x07, cmin=10000,
                                                                cmax=10000, dmin=1000, dmax=10000, mask=1)}),
    "diff_library041.tm2": library041(name="CITYHOS2"),
    "diff_dose036.tm2": library036(drugs=changed(DRUGS_036, 3, dmin=75)),
    # The drugs of clean036.tm2 as release 041 saves them: the same values in
    # the units the 041 page shows (mg/mL, mg/hr, mcg/hr), and one 10 times off.
    "same036as041.tm2": library041(drugs=SAME_AS_036, name="WARD3"),
    "tenfold036as041.tm2": library041(drugs=changed(SAME_AS_036, 3, cmin=10500), name="WARD3"),
    # What the reader takes but Save would never write.
    "lower_hex041.tm2": library041(edit=replace(24 + 9, d41(9, **DRUGS_041[9]).lower().replace("d41:", "D41:")
                                                .replace("fentanyl", "Fentanyl"))),
}

LINE_ENDS = {"lf_only041.tm2": "\n"}

def protocol_macro(extra=(), last=None):
    """A macro of RX_Macro_Creator whose settings pass "OK" and whose 26
    protocols were never filled but for the values `last` gives protocol Z,
    in the order the writer puts its lines."""
    settings = ["Send:DATACOM_:1234", "Send:DATACOMT:11", "Send:DATACOMU:33", "Send:DATACOMV:22",
                "Send:DATACOM`:2", "Send:DATACOMa:0", "Send:DATACOMb:1", "Send:DATACOMc:3", "Send:DATACOMd:2",
                "Send:DATACOMe:2", "Send:DATACOMf:1", "Send:DATACOMg:3", "Send:COM1E", "Send:DATACOMW:0.1",
                "Send:DATACOMX:2", "Send:DATACOMY:0.5", "Send:COM1D", "Send:DATACOMH:400", "Send:DATACOMP:1",
                "Send:DATACOML:0", "Send:DATACOM3:0.5", "Send:DATACOM4:2", "Send:DATACOME:350",
                "Send:DATACOM5:100", "Send:DATACOM6:1", "Send:DATACOM7:30", "Send:DATACOMR:5", "Send:DATACOMZ:4",
                "Send:COM21", "Send:COM23", "Send:DATACOM[:24", "Send:DATACOMG:5", "Send:DATACOM^:10",
                "Send:DATACOM\\:5"]
    protocols = []
    for n in range(1, 27):
        values = last if n == 26 and last else {}
        protocols += ["Send:PDT06:%d" % n] + ["Send:PDT%s:%s" % (key, values.get(key, "")) for key in
                      ("07", "19", "23", "20", "02", "05", "16", "01", "21", "09", "22", "10", "17")
                      if key != "05" or key in values]
    return settings + list(extra) + ["Send:K0010", "Send:K0010", "Send:KFF87"] + protocols + ["Send:PDT30:CLEAN   "]


LAST_PROTOCOL = {"07": "Last", "19": "0", "23": "0", "20": "0", "02": "100", "05": "2", "16": "1.5", "01": "2.0",
                 "21": "0", "09": "0.5", "22": "1.0", "17": "10.0"}

PROTOCOL_FILES = {
    "clean.tb2": protocol_macro(),
    "clean.tv9": protocol_macro(),
    "unknown_lines.tb2": protocol_macro(["Send:NOSUCHCOMMAND", "hello"]),
    # Maximum Basal Rate 300 mL/hr: neither PCA (100) nor EPIDURAL (30) takes it.
    "basal300.tb2": [l.replace("Send:DATACOM7:30", "Send:DATACOM7:300") for l in protocol_macro()],
    # Maximum Basal Rate 50 mL/hr: PCA takes it (up to 100), EPIDURAL does not (up to 30); a .tb2 goes
    # to a pump in either mode, so one mode taking it is enough.
    **{name: [l.replace("Send:DATACOM7:30", "Send:DATACOM7:50") for l in protocol_macro()]
       for name in ("basal50.tv8", "basal50.tv9", "basal50.tb2")},
    # A second Maximum Basal Rate before the real one; the reader keeps the last.
    "twice.tb2": [l for line in protocol_macro() for l in
                  (["Send:DATACOM7:300", line] if line == "Send:DATACOM7:30" else [line])],
    # The last protocol, Z, filled as its page stores it (2 mg/mL, Dosavia OFF), and a line
    # no reader knows; then the same with a lockout time above 255 minutes.
    **{name: protocol_macro(["hello"], dict(LAST_PROTOCOL, **{"10": lockout}))
       for name, lockout in (("last.tb2", "15"), ("last_refused.tb2", "300"))},
}

for name, lines in {**FILES, **PROTOCOL_FILES}.items():
    (HERE / name).write_bytes("".join(l + "\r\n" for l in lines).encode("latin-1"))
for name, end in LINE_ENDS.items():
    (HERE / name).write_bytes("".join(l + end for l in library041()).encode("latin-1"))
