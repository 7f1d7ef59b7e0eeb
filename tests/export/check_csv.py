#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the program's CSV file with Python's csv module, independently of our reader:
the header, nine fields in every row, dates and numbers that parse.
    check_csv.py <csv_sample_writer program>"""
import csv
import datetime
import math
import subprocess
import sys
import tempfile

ROWS = 600

def main():
    with tempfile.TemporaryDirectory() as folder:
        path = folder + "/sample.csv"
        subprocess.run([sys.argv[1], path], check=True)
        raw = open(path, "rb").read()
        assert not raw.startswith(b"\xef\xbb\xbf"), "byte-order mark"
        assert raw.count(b"\n") == raw.count(b"\r\n") == ROWS + 4, "line ends"
        with open(path, newline="", encoding="utf-8") as f:
            lines = list(csv.reader(f))
    for banner in lines[:3]:
        assert len(banner) == 1 and len(banner[0]) == 58, banner
    assert lines[3] == ["DATE", "VBUS(V)", "IBUS(A)", "POWER(W)", "PD(V)", "PM(V)",
                        "CC1(V)", "CC2(V)", "CPU_TEMP(\u2103)", ""], lines[3]
    rows = lines[4:]
    assert len(rows) == ROWS, len(rows)
    nans = 0
    for row in rows:
        assert len(row) == 9, row
        datetime.datetime.strptime(row[0], "%Y-%m-%d_%H:%M:%S")
        values = [float(field) for field in row[1:]]
        nans += sum(math.isnan(v) for v in values)
        for field, decimals in zip(row[1:], [6, 6, 6, 3, 3, 3, 3, 1]):
            assert field == "nan" or len(field.split(".")[1]) == decimals, row
    assert nans == 1, nans
    print("ok: %d rows of nine fields" % len(rows))

main()
