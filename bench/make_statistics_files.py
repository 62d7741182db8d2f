#!/usr/bin/python3
"""Writes FILES statistics files of RECORDS records each into FOLDER, for the export benchmark:
class 7 in every stream and year, one valid record of a class 7 respondent repeated
(Windows-1251, CR LF).   make_statistics_files.py FOLDER FILES RECORDS"""
import sys

ROWS = [["Петров", "1"], ["5", "4", "0", "3", "5", "4", "5", "4", "3", "5"],
        ["30", "20", "0", "10", "10", "40", "60", "20", "10", "90"],
        ["5", "10", "0", "20", "30", "40", "5", "10", "20", "30"],
        ["9", "8", "0", "7", "6", "5", "4", "3", "2", "1"],
        ["1", "4", "10", "2", "8", "9", "0", "3", "6", "9", "5"], [""] * 12, ["125", "300"]]
RECORD = "".join(v.ljust(12) for row in ROWS for v in row).encode("cp1251")
assert len(RECORD) == 804

folder, files, records = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
names = [f"7{stream} 0.{year:02d}c" for year in range(100) for stream in ["", *"АБВГДЕ"]]
for name in names[:files]:
    with open(f"{folder}/{name}", "wb") as f:
        f.write(str(records).encode() + b"\r\n" + (RECORD + b"\r\n") * records)
