#!/usr/bin/python3
"""Writes the rosters of the roster-reading benchmark: a class of 40 names and a sheet of 60,000
rows, the names in column A from A1 (python3-xlwt, as the test workbooks)."""
import sys

import xlwt

SURNAMES = ["Абрамова", "Белов", "Васильева", "Горбунов", "Давыдова", "Егоров", "Жукова",
            "Зайцев", "Ильина", "Кузнецов", "Лебедева", "Морозов", "Никитина", "Орлов",
            "Павлова", "Романов", "Соколова", "Тихонов", "Ушакова", "Фёдоров", "Харитонова",
            "Цветков", "Чернова", "Шилов", "Щербакова", "Яковлев", "Андреев", "Борисова",
            "Волков", "Громова", "Дмитриев", "Ершова", "Захаров", "Калинина", "Лазарев",
            "Макарова", "Новиков", "Осипова", "Петров", "Сергеева"]


def write(path, rows):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("Лист1")
    for r in range(rows):
        name = SURNAMES[r % len(SURNAMES)]
        sheet.write(r, 0, name if rows <= len(SURNAMES) else f"{name}{r // len(SURNAMES)}")
    book.save(path)


if __name__ == "__main__":
    folder = sys.argv[1]
    write(f"{folder}/roster40.xls", 40)
    write(f"{folder}/roster60000.xls", 60000)
