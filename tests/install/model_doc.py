#!/usr/bin/env python3
"""Checks the numbers in the model document against the export tool's own output: the factory parameters,
the potentials at the listed ratios, and the crossing value and potential for each quantity with a closed
form.

Usage: model_doc.py MODEL.md KELVORA-EXPORT
"""
import os
import re
import subprocess
import sys
import tempfile

doc_path, tool = sys.argv[1], os.path.abspath(sys.argv[2])
doc = open(doc_path, encoding="utf-8").read().replace("\u2212", "-")
failures = []


def section(title):
    start = doc.index(title)
    end = doc.find("\n## ", start + 1)
    return doc[start:end if end >= 0 else len(doc)]


def rows(text, columns):
    """The body rows of the markdown tables in text that have the given number of columns."""
    found = []
    for line in text.splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if line.startswith("|") and len(cells) == columns and not set(cells[0]) <= set("-"):
            found.append(cells)
    return found


def export(args, workdir):
    run = subprocess.run([tool, "table", "--decimal", "point"] + args, cwd=workdir, capture_output=True,
                         env=dict(os.environ, LC_ALL="C", LANG="C"))
    if run.returncode != 0:
        sys.exit(f"kelvora-export table {' '.join(args)} failed: {run.stderr.decode()}")
    lines = run.stdout.decode().split("\r\n")[1:-1]
    return [line.split("\t") for line in lines]


# The factory parameters: index, name, unit, symbol, meaning, value, min, max (the header row is the
# one whose first cell is not a number).
parameters = [r for r in rows(section("## Parameters and units"), 8) if r[0].isdigit()]
assert len(parameters) == 20, f"{len(parameters)} parameter rows"
pka2 = re.search(r"`pKa2`, the second pK of phosphate, is ([0-9.]+)", doc).group(1)
index = {r[1]: int(r[0]) for r in parameters} | {"ATPin/ADPin": -1}


def settings(workdir, yaxis):
    """A settings file with the document's parameters and the given y axis."""
    values = [v for r in parameters for v in r[5:8]] + [pka2, "-160", "-80", "0", "3", str(yaxis)]
    path = os.path.join(workdir, f"y{yaxis}.ini")
    with open(path, "w") as f:
        f.write("\r\n".join(values) + "\r\n")
    return path


def decimals4(text):
    return "%.4f" % float(text)


with tempfile.TemporaryDirectory() as work:
    # The document's parameters give exactly the built-in state: the same table, parameter column and all.
    table = export([], work)
    if export(["--config", settings(work, -1)], work) != table:
        failures.append("the parameter table does not give the state of the built-in defaults")

    # The potentials at the listed ratios, from the built-in defaults (no settings file).
    byratio = {line[0]: line for line in table}
    potentials = [r for r in rows(section("## Reference values"), 3) if re.fullmatch(r"-?[0-9.]+", r[1])]
    ratios = [r for r in potentials if r[0] not in index]
    assert len(ratios) >= 3, "no potentials table"
    for y, ant, atpase in ratios:
        line = byratio.get(y)
        if line is None or (decimals4(line[1]), decimals4(line[2])) != (ant, atpase):
            failures.append(f"ratio {y}: document {ant} {atpase}, program {line and line[1:3]}")

    # The crossings: the automatic frame's row where both potentials are nearest.
    crossings = [r for r in potentials if r[0] in index]
    assert len(crossings) == 6, f"{len(crossings)} crossing rows"
    for name, value, potential in crossings:
        # The ratio from the built-in defaults; the others need a settings file to choose their axis.
        chosen = ["--config", settings(work, index[name])] if index[name] != -1 else []
        lines = export(["--auto"] + chosen, work)
        best = min(lines, key=lambda line: abs(float(line[1]) - float(line[2])))
        digits = len(value.replace(".", "").lstrip("0"))
        got = float("%.*g" % (digits, float(best[0])))
        if got != float(value) or decimals4(best[1]) != potential or decimals4(best[2]) != potential:
            failures.append(f"crossing {name}: document {value} {potential}, program {best[:3]}")

if failures:
    sys.exit("\n".join("FAILED: " + f for f in failures))
print(f"model document: {len(parameters)} parameters, {len(ratios)} ratios and {len(crossings)} crossings"
      " agree with kelvora-export")
