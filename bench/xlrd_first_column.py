#!/usr/bin/python3
"""The peer of `survey-data roster`: prints the first column of the first sheet's used range,
one text per line, with Debian's python3-xlrd."""
import sys

import xlrd

book = xlrd.open_workbook(sys.argv[1])
sheet = book.sheet_by_index(0)
out = sys.stdout
for r in range(sheet.nrows):
    value = sheet.cell_value(r, 0)
    if isinstance(value, float) and value.is_integer():
        value = int(value)
    out.write(f"{value}\n")
