#!/usr/bin/env python3
"""Writes the delivered pay slip layout resources/report/rkv.rpl.

The layout is one A4 page in millimetres: fixed texts, lines, boxes and the
fields that print the pay slip's formulas. Positions are computed here from a
few column grids so that the columns stay aligned; run the script again after
changing it and commit both.
"""
import json
import os

LEFT, RIGHT = 12.0, 198.0
PAD = 1.6           # space between a column's rule and its text
INK = "#000000"
GREY = "#555555"
RULE = 0.2          # inner rules
FRAME = 0.35        # outer frames
SHADE = "#e6e6e6"   # headings
LIGHT = "#f3f3f3"   # totals

items = []


def r(v):
    return round(v, 2)


def text(x, y, w, h, value, font="normal", align="left", color=None):
    item = {"type": "text", "rect": [r(x), r(y), r(w), r(h)], "text": value, "font": font, "align": align}
    if font in ("caption", "label") and color is None:
        color = GREY
    if color:
        item["color"] = color
    items.append(item)


def field(x, y, w, h, formula, font="normal", align="left"):
    items.append({"type": "field", "rect": [r(x), r(y), r(w), r(h)], "formula": formula,
                  "font": font, "align": align})


def line(x1, y1, x2, y2, width=RULE):
    items.append({"type": "line", "from": [r(x1), r(y1)], "to": [r(x2), r(y2)], "width": width})


def box(x, y, w, h, width=FRAME, fill=None):
    item = {"type": "box", "rect": [r(x), r(y), r(w), r(h)], "width": width}
    if fill:
        item["fill"] = fill
    items.append(item)


def cell(columns, index, y, h, formula=None, label=None, font="normal"):
    """A value placed in column `index` of a grid: names left, figures right."""
    x1, x2, align = columns[index]
    x, w = x1 + PAD, x2 - x1 - 2 * PAD
    if formula:
        field(x, y, w, h, formula, font, align)
    else:
        text(x, y, w, h, label, font, align)


def rules(columns, top, bottom):
    for x1, _, _ in columns[1:]:
        line(x1, top, x1, bottom)


# ---------------------------------------------------------------- heading
y = 12.0
box(LEFT, y, RIGHT - LEFT, 15, fill=SHADE)
text(LEFT + 4, y + 1.5, 100, 8, "BULLETIN DE PAIE", "title")
text(LEFT + 4, y + 9.8, 100, 3.8, "Montants exprimés en francs", "caption")
text(118, y + 2.5, 20, 4.6, "Période du", "normal", "right")
field(140, y + 2.5, 56, 4.6, "DATEDEBUT", "bold")
text(118, y + 7.5, 20, 4.6, "au", "normal", "right")
field(140, y + 7.5, 56, 4.6, "DATEFIN", "bold")

# ---------------------------------------------------------------- parties
top = 31.0
ROW = 4.6
box(LEFT, top, 90, 40)
box(108, top, 90, 40)
text(LEFT + 2.5, top + 1.2, 60, 4, "EMPLOYEUR", "caption")
text(110.5, top + 1.2, 60, 4, "SALARIÉ", "caption")

rows = [top + 5.6 + i * ROW for i in range(7)]
# Employer: name, address, town, then the registrations.
ex, ew = LEFT + 2.5, 85.0
field(ex, rows[0], ew, ROW, "NOMEMPLOYEUR", "bold-large")
field(ex, rows[1], ew, ROW, "ADREMPLOYEUR")
field(ex, rows[2], 12, ROW, "CPEMPLOYEUR")
field(ex + 12.5, rows[2], ew - 12.5, ROW, "VILLEEMPLOYEUR")
for row, label, formula in ((3, "Téléphone", "TELEMPLOYEUR"), (4, "SIRET", "SIRET"),
                            (5, "Code APE", "APE"), (6, "N° URSSAF", "URSSAF")):
    text(ex, rows[row], 22, ROW, label, "label")
    field(ex + 22, rows[row], ew - 22, ROW, formula)

# Employee: labelled rows.
sx, label_w, sw = 110.5, 27.0, 85.0
employee = [("Nom", "NOMSALARIE", "bold-large"), ("Prénom", "PRENOMSALARIE", "bold"),
            ("Adresse", "ADRESALARIE", "normal"), (None, None, None),
            ("N° de sécurité sociale", "MATRICULE", "normal"), ("Emploi", "EMPLOI", "normal"),
            ("Entré(e) le", "DATEANCIEN", "normal")]
for row, (label, formula, font) in enumerate(employee):
    if label is None:
        continue
    text(sx, rows[row], label_w, ROW, label, "label")
    field(sx + label_w, rows[row], sw - label_w, ROW, formula, font)
field(sx + label_w, rows[3], 12, ROW, "CPSALARIE")
field(sx + label_w + 12.5, rows[3], sw - label_w - 12.5, ROW, "VILLESALARIE")

# ---------------------------------------------------------------- pay elements
PAY = [(LEFT, 80, "left"), (80, 108, "right"), (108, 136, "right"), (136, 167, "right"),
       (167, RIGHT, "right")]
top = 75.0
HEAD = 5.4
box(LEFT, top, RIGHT - LEFT, HEAD, RULE, SHADE)
for i, heading in enumerate(("Éléments de salaire", "Nombre / Base", "Taux", "À payer", "À retenir")):
    x1, x2, _ = PAY[i]
    text(x1 + PAD, top, x2 - x1 - 2 * PAD, HEAD, heading, "heading", "left" if i == 0 else "centre")

y = top + HEAD + 0.6
# Eight element rows here and 21 contribution rows below: both kept tight so
# that the net block still ends above the notice.
ROW = 4.6
pay_rows = [
    (None, "Salaire de base", "BASE", "TAUX", "BRUTB", None),
    ("HCOMP", None, "BHC", "THS", "APC", None),
    ("HSUP", None, "BHS", "THC", "APS", None),
    ("HCSU", None, "HSS", "THH", "TTHS", None),
    ("HPAIE", None, "HPAIEB", "HPAIET", "HPAIER", None),
    ("HINT", None, "INTER", "TAUXINTER", "INTAP", None),
    # The bonus has no caption formula of its own: the line is always named,
    # its amount printed only when there is one.
    (None, "Prime", None, None, "PRIME", None),
    ("HABS", None, "ABS", "TAUAB", None, "ABRET"),
]
for label_formula, label, count, rate, gain, deduction in pay_rows:
    cell(PAY, 0, y, ROW, label_formula, label)
    if count:
        cell(PAY, 1, y, ROW, count)
    if rate:
        cell(PAY, 2, y, ROW, rate)
    if gain:
        cell(PAY, 3, y, ROW, gain)
    if deduction:
        cell(PAY, 4, y, ROW, deduction)
    y += ROW
y += 0.6
box(LEFT, y, RIGHT - LEFT, 5.6, RULE, LIGHT)
cell(PAY, 0, y, 5.6, label="SALAIRE BRUT", font="bold")
cell(PAY, 3, y, 5.6, "SALAIREBRUT", font="bold")
y += 5.6
rules(PAY, top, y)
box(LEFT, top, RIGHT - LEFT, y - top)

# ---------------------------------------------------------------- contributions
COT = [(LEFT, 80, "left"), (80, 106, "right"), (106, 122, "right"), (122, 150, "right"),
       (150, 168, "right"), (168, RIGHT, "right")]
top = y + 4.0
box(LEFT, top, RIGHT - LEFT, 9.6, RULE, SHADE)
text(106 + PAD, top + 0.3, 44 - 2 * PAD, 4.5, "Part salariale", "heading", "centre")
text(150 + PAD, top + 0.3, 48 - 2 * PAD, 4.5, "Part patronale", "heading", "centre")
line(106, top + 4.8, RIGHT, top + 4.8)
for i, heading in enumerate(("Cotisations", "Base", "Taux %", "Montant", "Taux %", "Montant")):
    x1, x2, _ = COT[i]
    hy, hh = (top, 9.6) if i < 2 else (top + 4.8, 4.8)
    text(x1 + PAD, hy, x2 - x1 - 2 * PAD, hh, heading, "heading", "left" if i == 0 else "centre")
head_bottom = top + 9.6

# Line n: label "n+1", its base, employee rate and amount, employer rate and amount.
BASES = ["C1", "C2"] + ["B%d" % n for n in range(1, 19)]
RATE_FIELDS = list(range(44, 57)) + list(range(63, 70))
EMPLOYEE_AMOUNT = ["R62"] + ["R%d" % (6 + 2 * n) for n in range(9)] + ["R%d" % (25 + 2 * n) for n in range(10)]
EMPLOYER_AMOUNT = ["R61"] + ["R%d" % (7 + 2 * n) for n in range(9)] + ["R%d" % (24 + 2 * n) for n in range(10)]

y = head_bottom + 0.6
ROW = 4.3
for n in range(20):
    cell(COT, 0, y, ROW, str(n + 1), font="table")
    cell(COT, 1, y, ROW, BASES[n], font="table")
    cell(COT, 2, y, ROW, "%d1" % RATE_FIELDS[n], font="table")
    cell(COT, 3, y, ROW, EMPLOYEE_AMOUNT[n], font="table")
    cell(COT, 4, y, ROW, "%d0" % RATE_FIELDS[n], font="table")
    cell(COT, 5, y, ROW, EMPLOYER_AMOUNT[n], font="table")
    y += ROW
# The mutual insurance paid by the employer, counted in the employer total.
cell(COT, 0, y, ROW, "21", font="table")
cell(COT, 5, y, ROW, "BASE3", font="table")
y += ROW + 0.6
box(LEFT, y, RIGHT - LEFT, 5.6, RULE, LIGHT)
cell(COT, 0, y, 5.6, label="TOTAL DES COTISATIONS", font="bold")
cell(COT, 3, y, 5.6, "RETENUES", font="bold")
cell(COT, 5, y, 5.6, "RETENUEP", font="bold")
y += 5.6
rules(COT, head_bottom, y)
line(80, top, 80, head_bottom)
line(106, top, 106, head_bottom)
line(150, top, 150, head_bottom)
for x in (122, 168):
    line(x, top + 4.8, x, head_bottom)
box(LEFT, top, RIGHT - LEFT, y - top)

# ---------------------------------------------------------------- net and cumulatives
top = y + 4.0
ROW = 5.0
# Right: from the net salary to the net to pay, then the taxable net.
NX, NW = 108.0, 90.0
box(NX, top, NW, 3 * ROW + 1.0)
net_rows = [(None, "Salaire net", "SALAP"), ("MAP", None, "MUTUELLE"), ("ACOM", None, "ACOMPTE")]
ny = top + 0.5
for label_formula, label, amount in net_rows:
    if label_formula:
        field(NX + 2.5, ny, 55, ROW, label_formula)
    else:
        text(NX + 2.5, ny, 55, ROW, label)
    field(NX + 59, ny, NW - 59 - 2.5, ROW, amount, "normal", "right")
    ny += ROW
ny = top + 3 * ROW + 1.0 + 2.0
box(NX, ny, NW, 15.0, 0.5, SHADE)
text(NX + 2.5, ny + 1.2, 45, 6.5, "NET À PAYER", "net")
field(NX + 50, ny + 1.2, NW - 50 - 2.5, 6.5, "NET", "net", "right")
text(NX + 2.5, ny + 8.0, 45, 5.5, "Soit en euros", "bold")
field(NX + 50, ny + 8.0, NW - 50 - 2.5, 5.5, "EURO", "bold", "right")
ny += 15.0 + 2.0
box(NX, ny, NW, ROW + 1.0)
text(NX + 2.5, ny + 0.5, 55, ROW, "Net imposable")
field(NX + 59, ny + 0.5, NW - 59 - 2.5, ROW, "NETIMP", "normal", "right")
net_bottom = ny + ROW + 1.0

# Left: cumulatives and paid leave.
CX, CW = LEFT, 90.0
box(CX, top, CW, net_bottom - top)
cy = top + 1.0
text(CX + 2.5, cy, 60, 4, "CUMULS DE L'ANNÉE", "caption")
cy += 4.6
for label, formula in (("Salaire brut", "CUM"), ("Net imposable", "T48")):
    text(CX + 2.5, cy, 46, ROW, label)
    field(CX + 50, cy, CW - 50 - 2.5, ROW, formula, "normal", "right")
    cy += ROW
cy += 2.5
line(CX, cy - 1.3, CX + CW, cy - 1.3)
text(CX + 2.5, cy, 80, 4, "CONGÉS PAYÉS (EN HEURES)", "caption")
cy += 4.6
for label, formula in (("Restant dûs au début de la période", "T78"), ("Restant dûs après cette paie", "CONB")):
    text(CX + 2.5, cy, 61, ROW, label)
    field(CX + 64, cy, CW - 64 - 2.5, ROW, formula, "normal", "right")
    cy += ROW

# ---------------------------------------------------------------- notice
text(LEFT, 281.5, RIGHT - LEFT, 5, "Dans votre intérêt et pour vous aider à faire valoir vos droits, "
     "conservez ce bulletin de paie sans limitation de durée.", "notice", "centre")

layout = {
    "format": "quorvan-layout",
    "version": 1,
    "page": {"size": "A4", "orientation": "portrait", "unit": "mm"},
    "fonts": {
        "normal": {"family": "DejaVu Sans", "size": 8},
        "table": {"family": "DejaVu Sans", "size": 7.5},
        "bold": {"family": "DejaVu Sans", "size": 8, "weight": "bold"},
        "bold-large": {"family": "DejaVu Sans", "size": 9, "weight": "bold"},
        "label": {"family": "DejaVu Sans", "size": 7},
        "heading": {"family": "DejaVu Sans", "size": 7.5, "weight": "bold"},
        "caption": {"family": "DejaVu Sans", "size": 6.5, "weight": "bold"},
        "title": {"family": "DejaVu Sans", "size": 16, "weight": "bold"},
        "net": {"family": "DejaVu Sans", "size": 11, "weight": "bold"},
        "notice": {"family": "DejaVu Sans", "size": 6.5, "italic": True},
    },
    "items": items,
}

here = os.path.dirname(os.path.abspath(__file__))
target = os.path.join(here, "..", "resources", "report", "rkv.rpl")
def dumps(value):
    return json.dumps(value, ensure_ascii=False)


with open(target, "w", encoding="utf-8") as out:
    out.write("{\n")
    for key in ("format", "version", "page"):
        out.write(' "%s": %s,\n' % (key, dumps(layout[key])))
    out.write(' "fonts": {\n')
    out.write(",\n".join('  "%s": %s' % (k, dumps(v)) for k, v in layout["fonts"].items()))
    out.write('\n },\n "items": [\n')
    out.write(",\n".join("  " + dumps(item) for item in items))
    out.write("\n ]\n}\n")
print("%s: %d items, %d formula fields" % (os.path.normpath(target), len(items),
                                           sum(1 for i in items if i["type"] == "field")))
