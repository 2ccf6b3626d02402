#!/usr/bin/env python3
"""Reads the CSV files of telvoran-report --csv back with Python's csv module.

Archives with Polish letters, commas, quotes, blanks, values that are not numbers, texts that a
spreadsheet would take for formulas, dates that name no real moment, and four, two and no
channels are written here byte by byte. Every value
read back is checked against what the archive holds, and each line against the row of the text
report that the same view gives, so that the CSV file lists the rows in the view's order.

Usage: CsvRoundTripTest.py TELVORAN_REPORT
"""

import csv
import datetime
import re
import struct
import subprocess
import sys
import tempfile
from decimal import Decimal
from pathlib import Path

INTERVAL_KIND = 26
EVENT_KIND = 33
FAILURES = []


def check(condition, message):
    if not condition:
        FAILURES.append(message)


def record(payload: bytes, kind: int) -> bytes:
    assert len(payload) <= 36
    return payload.ljust(36, b"\0") + struct.pack("<I", kind)


def date_bytes(year, month, day, hour, minute, second) -> bytes:
    return bytes(v + 10 for v in (year - 2000, month, day, hour, minute, second))


def cp(text: str) -> bytes:
    return text.encode("cp1250")


def interval_archive(channels):
    """Header records naming `channels` (name, unit) pairs; the count digit is their number."""
    header = bytearray(b"H" + str(len(channels)).encode())
    for k, (name, unit) in enumerate(channels, start=1):
        header = header.ljust(26 * k - 24, b" ")
        header += cp(name).ljust(4, b" ")[:4] + cp(unit).ljust(4, b" ")[:4]
    header = bytes(header.ljust(132, b" "))
    return b"".join(record(header[33 * i:33 * i + 33], INTERVAL_KIND) for i in range(4))


def interval_record(date: bytes, values) -> bytes:
    return record(date + b"".join(v.ljust(5, b" ")[:5] for v in values), INTERVAL_KIND)


def event_record(address, date: bytes, channel: bytes, code: bytes, reading: bytes,
                 medium: bytes, unit: bytes) -> bytes:
    return record(bytes([address + 10]) + date + channel + code + reading + medium + unit,
                  EVENT_KIND)


# --- What the CSV file should say, worked out from the bytes ------------------------------

def as_text(text: str) -> str:
    """A text a spreadsheet would take for a formula (or lose a tab or CR of) marked as text."""
    return "'" + text if text[:1] in ("=", "+", "-", "@", "\t", "\r") else text


def expected_date(six: bytes) -> str:
    """ISO 8601; a date that names no real moment as the row shows it (fields of 0 to 99),
    marked as text."""
    fields = [b - 10 for b in six]
    fields[0] += 2000
    text = "%04d-%02d-%02dT%02d:%02d:%02d" % tuple(fields)
    try:
        datetime.datetime(*fields)
        return text
    except ValueError:
        return "'" + text


def expected_text(raw: bytes) -> str:
    return as_text(raw.strip(b" \0").replace(b"\0", b" ").decode("cp1250"))


NUMBER = re.compile(r"[+-]?(\d*)(?:[.,](\d*))?")


def expected_value(raw: bytes) -> str:
    text = raw.strip(b" \0").decode("cp1250")
    match = NUMBER.fullmatch(text)
    if not match or not (match.group(1) or match.group(2)):
        return expected_text(raw)
    decimals = len(match.group(2) or "")
    value = Decimal(text.replace(",", ".").rstrip(".") or "0")
    written = f"{value:.{decimals}f}"
    return written[1:] if written.startswith("-") and set(written) <= set("-0.") else written


def record_text(rec: bytes) -> bytes:
    text = rec[:33]
    return text.split(b"\0", 1)[0]


DIGITS = {"G": "0", "L": "1", "H": "2", "M": "3", "W": "4", "O": "5", "F": "5"}


def expected_event_fields(rec: bytes):
    code = chr(rec[8])
    if code not in "GLHMW" or rec[8] == 0:
        return ["", "", "", "", ""]
    text = record_text(rec)
    return [str(rec[0] - 10), expected_text(rec[7:8]), expected_text(text[14:18]),
            expected_value(text[9:14]), expected_text(text[18:22])]


# --- Running the tool -----------------------------------------------------------------------

def run_tool(tool, archive: Path, sort: int, csv_path: Path):
    done = subprocess.run([tool, "--sort", str(sort), "--csv", str(csv_path), str(archive)],
                          capture_output=True)
    check(done.returncode == 0, f"{archive.name} --sort {sort}: exit {done.returncode} "
          f"{done.stderr.decode(errors='replace')}")
    check(done.stdout == b"", f"{archive.name}: --csv alone wrote to standard output")
    if done.returncode != 0:
        return [[]], []
    report = subprocess.run([tool, "--sort", str(sort), str(archive)], capture_output=True)
    rows = report.stdout.decode("cp1250").split("\r\n")[5:-1]
    raw = csv_path.read_bytes()
    check(not raw.startswith(b"\xef\xbb\xbf"), f"{archive.name}: a byte-order mark")
    check(raw.endswith(b"\r\n"), f"{archive.name}: the last line is not ended by CR LF")
    check(b"\n" not in raw.replace(b"\r\n", b""), f"{archive.name}: a bare line feed")
    with open(csv_path, newline="", encoding="utf-8") as file:  # strict UTF-8
        lines = list(csv.reader(file, strict=True))
    return lines, rows


def check_interval(tool, folder: Path, name, channels, records):
    archive = folder / name
    archive.write_bytes(interval_archive(channels) + b"".join(records))
    headings = ["date_time"]
    for k, (n, u) in enumerate(channels, start=1):
        n, u = n.strip(), u.strip()
        headings.append(as_text((n or str(k)) + (f" [{u}]" if u else "")))
    expected_rows = sorted(
        [expected_date(r[:6])] + [expected_value(r[6 + 5 * k:11 + 5 * k])
                                  for k in range(len(channels))]
        for r in records)
    for sort in range(1, len(channels) + 2):
        lines, rows = run_tool(tool, archive, sort, folder / "out.csv")
        check(lines[0] == headings, f"{name}: heading {lines[0]} != {headings}")
        body = lines[1:]
        check(len(body) == len(rows) == len(records), f"{name} --sort {sort}: row counts "
              f"{len(body)} {len(rows)} {len(records)}")
        # Each line stands for the text report's row at the same place.
        for line, row in zip(body, rows):
            check(len(line) == 1 + len(channels), f"{name}: {len(line)} fields in {line}")
            check(line[0].removeprefix("'") == row[:20].replace("  ", "T", 1),
                  f"{name} --sort {sort}: date {line[0]!r} for row {row!r}")
            for k in range(1, len(channels) + 1):
                value = row[16 * k + 11:16 * k + 16].encode("cp1250")
                check(line[k] == expected_value(value),
                      f"{name} --sort {sort}: channel {k} {line[k]!r} for row {row!r}")
        got = sorted(body)
        check(got == expected_rows, f"{name} --sort {sort}: values {got} != {expected_rows}")


def check_events(tool, folder: Path, records, distinct):
    archive = folder / "alarms.zdr"
    archive.write_bytes(b"".join(records))
    for sort in range(1, 8):
        lines, rows = run_tool(tool, archive, sort, folder / "alarms.csv")
        check(lines[0] == ["date_time", "central_unit", "channel", "medium", "value", "unit",
                           "situation", "situation_text"], f"events: heading {lines[0]}")
        body = lines[1:]
        check(len(body) == len(rows) == distinct,
              f"events --sort {sort}: {len(body)} lines, {len(rows)} rows, {distinct} records")
        for line, row in zip(body, rows):
            check(len(line) == 8, f"events: {len(line)} fields in {line}")
            check(line[0].removeprefix("'") == row[:20].replace("  ", "T", 1),
                  f"events: date {line[0]!r}")
            # The situation text ends the row (a record whose fields are out of their ranges
            # moves it from its column); a code outside the table has none.
            check(row.endswith(line[7]) and (line[7] == "") == (line[6] == ""),
                  f"events --sort {sort}: text {line[7]!r} for {row!r}")
        expected = sorted({tuple([expected_date(r[1:7])] + expected_event_fields(r) +
                                 [DIGITS.get(chr(r[8]), "")]) for r in records})
        got = sorted(tuple(line[:7]) for line in body)
        check(got == expected, f"events --sort {sort}: {got} != {expected}")


def main():
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="telvoran-csv-") as name:
        folder = Path(name)
        day = lambda minute, month=3, day=14: date_bytes(2005, month, day, 8, minute, 0)
        four = [("Tęż", "°C"), ("A,B", ""), ('Q"', "s"), ("", "m³")]
        four = [(n, u if u != "m³" else "m") for n, u in four]
        check_interval(tool, folder, "2005-03-14_C07.czt", four, [
            interval_record(day(3), [b" 21.5", b" 21,5", b"-3,25", b"  007"]),
            interval_record(day(1), [b"     ", b"  ERR", b"1,2,3", b'"a"b ']),
            interval_record(day(2), [cp("łąk  "), b"1e5  ", b"+1,50", b"-0,0 "]),
            interval_record(day(4), [b"\0\0\0\0\0", b"1\0" b"2  ", b"  .5 ", b" 5.  "]),
            # Dates that name no real moment: month 13, a 30 February, hours 24 and 30.
            interval_record(day(5, month=13), [b" 1.0 ", b" 2.0 ", b" 3.0 ", b" 4.0 "]),
            interval_record(date_bytes(2005, 3, 14, 24, 0, 0), [b" 1.0 "]),
            interval_record(date_bytes(2005, 3, 14, 30, 15, 0), [b" 1.0 "]),
            interval_record(day(6, month=2, day=30), [b" 1.0 ", b"  x,y", b"\xa3\xf3d\x9f ",
                                                      b" 4.0 "]),
        ])
        check_interval(tool, folder, "2005-03-15_C12.czt", [("Ciś", "bar"), ("p", "kPa")], [
            interval_record(day(1), [b" 21,5", b'a"",b', b"ignored"]),
            interval_record(day(2), [b"  -7 ", b"     "]),
        ])
        # Texts a spreadsheet would take for formulas; numbers stay numbers.
        check_interval(tool, folder, "2005-03-17_C01.czt", [("=1+1", "kPa"), ("@A", "")], [
            interval_record(day(1), [b"=A1  ", b"-1,5 "]),
            interval_record(day(2), [b"+1+1 ", b"- 1  "]),
        ])
        check_interval(tool, folder, "2005-03-16_C00.czt", [], [
            interval_record(day(1), [b" 21,5"]), interval_record(day(0), [])])

        date = lambda minute: date_bytes(2009, 3, 5, 7, minute, 9)
        events = [
            event_record(5, date(1), b"2", b"H", b" 45,0", cp("Łódź"), b"%,  "),
            event_record(42, date(2), b"7", b"G", b"  ERR", b'"x" ', cp("°C  ")),
            event_record(0, date(3), b"1", b"L", b"     ", b"AB  ", b"cd  "),
            event_record(99, date(4), b"9", b"M", b"-1.25", b"a,b,", b'""  '),
            event_record(7, date(5), b"3", b"W", b" 4\0" b"5.", b"AB  ", b"cd  "),
            event_record(5, date(6), b"2", b"O", b" 45.0", b"AB  ", b"cd  "),
            event_record(5, date(7), b"2", b"F", b" 45.0", b"AB  ", b"cd  "),
            event_record(5, date(8), b"2", b"x", b" 45.0", b"AB  ", b"cd  "),
            event_record(150, date(9), b"\0", b"G", b" 45.0", b"AB  ", b"cd  "),
            event_record(5, date_bytes(2009, 2, 30, 7, 0, 9), b"2", b"H", b" 1,0 ", b"AB  ",
                         b"cd  "),
            event_record(5, date(10), b"-", b"W", b"=1+1 ", b"@cm ", b"+kg "),
            event_record(5, date(11), b"2", b"W", b"-1.5 ", b"=A1 ", b"-   "),
        ]
        # The view drops a row equal to the one before it; so does the CSV file.
        events.append(events[0])
        check_events(tool, folder, events, distinct=len(events) - 1)

    for failure in FAILURES:
        print("FAIL:", failure)
    print(f"{len(FAILURES)} failures")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
