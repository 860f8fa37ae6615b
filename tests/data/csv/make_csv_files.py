#!/usr/bin/env python3
"""Writes the spreadsheet files of the tavrel-macro import tests.

Each file holds one fault, named by the file, or a spreadsheet as a
spreadsheet program saves it. It writes them next to itself.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent

FIELDS_041 = ["Drug Number", "Drug Name", "Concentration Units", "Concentration Minimum",
              "Concentration Maximum", "Drug Vial Units", "Dose Units", "Dose Minimum", "Dose Maximum"]
FIELDS_US = ["Drug Number", "Drug Name", "Patient Weight Lower Soft Limit", "PatientWeight Upper Soft Limit",
             "Concentration units", "Concentration", "Dose Units", "Dose Rate Initial Value",
             "Dose Rate Lower Soft Limit", "Dose Rate Upper Soft Limit", "Dose Rate Lower Hard Limit",
             "Dose Rate Upper Hard Limit", "Bolus Mode", "Bolus Initial Value", "Bulus  Time Units",
             "Bolus Time Initial Value", "Bolus Rate", "Bolus Dose Lower Soft Limit",
             "Bolus Dose Upper Soft Limit", "Bolus Dose Lower Hard Limit", "Bolus Dose Upper Hard Limit"]
NAMES = {1: "ICU", 2: "Oncology", 3: "Pediatrics"}


def departments(count):
    return [f"Department {d}: {NAMES.get(d, '')}" for d in range(1, count + 1)]


def ticks(count, enabled):
    return ["x" if d in enabled else "" for d in range(1, count + 1)]


def drug041(number, name="Heparin", conc=("mg/mL", "1", "100", "mg"), dose=("mg/hr", "0.5", "10"), enabled=(1,)):
    return [str(number), name, conc[0], conc[1], conc[2], conc[3], dose[0], dose[1], dose[2]] + ticks(25, enabled)


def drug_us(number, name="Heparin"):
    return [str(number), name, "40", "120", "U/ML", "100", "U/KG/HR", "15", "10", "20", "5", "30", "WEIGHT", "50",
            "NOTIME", "", "12.5", "40", "60", "30", "80"] + ticks(24, (1,))


def csv(rows, separator=",", end="\r\n"):
    def field(text):
        if any(c in text for c in (separator, '"', "\r", "\n")) or text != text.strip():
            return '"' + text.replace('"', '""') + '"'
        return text
    return "".join(separator.join(field(c) for c in row) + end for row in rows)


def write(name, text, encoding="latin-1", bom=False):
    data = text.encode(encoding)
    if bom:
        data = b"\xef\xbb\xbf" + data
    (HERE / name).write_bytes(data)


HEAD_041 = FIELDS_041 + departments(25)
HEAD_US = FIELDS_US + departments(24)

write("unit_not_fitting041.csv",
      csv([HEAD_041, drug041(4, "Potassium", conc=("mEq/mL", "1", "2", "mEq"), dose=("mg/hr", "1", "10"))]))
write("min_above_max041.csv", csv([HEAD_041, drug041(3, "Dopamine", conc=("mg/mL", "5", "2", "mg"))]))
write("name_too_long041.csv", csv([HEAD_041, drug041(1, "Norepinephrines")]))
write("not_latin1.csv", csv([HEAD_041, drug041(1, "\u03a9mega")]), encoding="utf-8")
write("missing_column041.csv",
      csv([[c for c in HEAD_041 if c != "Dose Maximum"]] + [drug041(1)[:8] + drug041(1)[9:]]))
write("duplicate_slot041.csv", csv([HEAD_041, drug041(7), drug041(8, "Insulin"), drug041(7, "Morphine")]))
write("entries129_us.csv", csv([HEAD_US] + [drug_us(n, f"Drug {n}") for n in range(1, 130)]))
# A quoted name over two lines is one field: the next record is still row 3.
write("line_break041.csv",
      csv([HEAD_041, drug041(1, "Hepa\r\nrin"), drug041(2, "Morphine", dose=("mg/hr", "abc", "10"))]))

# The same library twice: as this program writes it, and as a spreadsheet
# program set to a European locale saves it (byte-order mark, UTF-8, ";"
# between fields, decimal commas, LF, quotes around a name with a ";").
EUROPEAN = [HEAD_041,
            drug041(2, "Héparine", dose=("mg/hr", "0.5", "12.25")),
            drug041(9, "Fentanyl; IV", conc=("mcg/mL", "10", "40.5", "mcg"), dose=("mcg/hr", "25", "100"),
                    enabled=(2, 3))]
write("plain041.csv", csv(EUROPEAN))
write("european041.csv",
      csv([[c.replace(".", ",") if i in (3, 4, 7, 8) and r > 0 else c for i, c in enumerate(row)]
           for r, row in enumerate(EUROPEAN)], separator=";", end="\n"), encoding="utf-8", bom=True)

# In a ";" file a point can only group thousands: "1.500" is never 1.5.
write("thousands_point041.csv",
      csv([HEAD_041, drug041(2, dose=("mg/hr", "0,5", "1.500"))], separator=";"))
# A file cut inside its last row: the departments it lost must not read as "not enabled".
write("cut_row041.csv", csv([HEAD_041, drug041(2), drug041(7, "Morphine", enabled=(1, 3))])[:-20])
