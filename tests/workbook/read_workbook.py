#!/usr/bin/python3
"""Reads a workbook back the way a spreadsheet program does, with openpyxl, and prints what the
tests check, one "KEY=VALUE" line each:
  sheets=NAME,NAME,...            title=, creator=, description=  (the document properties)
  SHEET!freeze=CELL               SHEET!filter=RANGE
  SHEET!scale=RANGE:N             a colour scale of N colours over RANGE
  SHEET!CELL=s:TEXT | n:NUMBER | d:ISO DATE | b:True|False   every cell that holds a value
  SHEET!CELL!style=bold,BORDER    every cell in bold or with a border
  SHEET!CELL!fill=PATTERN         every cell with a fill pattern
  SHEET!CELL!strike=1             every cell whose value is struck through
  SHEET!CELL!comment=TEXT         every cell with a comment
"""
import sys

import openpyxl


def cell_text(value):
    if isinstance(value, bool):
        return f"b:{value}"
    if isinstance(value, str):
        return "s:" + value.replace("\n", "\\n")
    if hasattr(value, "isoformat"):
        return "d:" + value.isoformat()
    return "n:" + repr(float(value))


def dump_sheet(sheet):
    name = sheet.title
    if sheet.freeze_panes:
        print(f"{name}!freeze={sheet.freeze_panes}")
    if sheet.auto_filter.ref:
        print(f"{name}!filter={sheet.auto_filter.ref}")
    for area in sheet.conditional_formatting:
        for rule in area.rules:
            if rule.colorScale is not None:
                print(f"{name}!scale={area.sqref}:{len(rule.colorScale.color)}")
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None:
                print(f"{name}!{cell.coordinate}={cell_text(cell.value)}")
            if cell.font.b or cell.border.left.style:
                print(f"{name}!{cell.coordinate}!style="
                      f"{'bold' if cell.font.b else ''},{cell.border.left.style or ''}")
            if cell.fill.fill_type:
                print(f"{name}!{cell.coordinate}!fill={cell.fill.fill_type}")
            if cell.font.strike:
                print(f"{name}!{cell.coordinate}!strike=1")
            if cell.comment is not None:
                print(f"{name}!{cell.coordinate}!comment={cell.comment.text}")


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    print("sheets=" + ",".join(book.sheetnames))
    print(f"title={book.properties.title}")
    print(f"creator={book.properties.creator}")
    print(f"description={book.properties.description}")
    for sheet in book:
        dump_sheet(sheet)


main()
