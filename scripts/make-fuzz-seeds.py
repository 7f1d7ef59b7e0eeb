#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpus of each fuzz target into fuzz/corpus/<target>/: a few small,
deterministic inputs that reach deep into the code, for the fuzzers to mutate.
    scripts/make-fuzz-seeds.py"""
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fuzz", "corpus")


def write(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def decode_report():
    measurement = bytearray(range(64))
    measurement[0:4] = b"\xaa\x40\x62\x05"
    settings = bytearray(64)
    settings[0:3] = b"\xaa\x05\x40"
    settings[62:64] = b"\xee\xff"
    write("decode_report", "measurement", bytes(measurement))
    write("decode_report", "settings", bytes(settings))
    write("decode_report", "short", bytes(measurement[:20]))


# Upgrade events (see fuzz/UpgradeInvariants.h): operation byte % 4 is
# 0 tick(count-1), 1 raw 64-byte report, 2 reply(kind, args), 3 restart(how).
TICK, RAW, REPLY, RESTART = 0, 1, 2, 3
HANDSHAKE, ACK, ALL_RECEIVED, WRITTEN, FAILED = 0, 1, 2, 3, 4


def upgrade():
    size = struct.pack("<H", 116)  # the image is one byte more: three blocks of 58
    acks = b"".join(bytes([REPLY, ACK, i, 0]) for i in range(3))
    whole = bytes([REPLY, HANDSHAKE, 0]) + acks + bytes([REPLY, ALL_RECEIVED, REPLY, WRITTEN])
    write("upgrade", "whole-exchange", size + whole)
    write("upgrade", "silent-meter", size + bytes([TICK, 255]))
    write("upgrade", "meter-fails", size + bytes([REPLY, HANDSHAKE, 0, REPLY, FAILED]))
    raw = bytearray(64)
    raw[1] = 0xDD
    write("upgrade", "raw-ack-restart",
          size + bytes([REPLY, HANDSHAKE, 5, RAW]) + bytes(raw) + bytes([RESTART, 3]) + whole)


def settings():
    ini = "\r\n".join([
        "[General]", "language=English", "report_id=85", "ChartTheme=Dark",
        "VBUS_col=ff0000", "VBUS_lw=1.5", "Vbus_Min_Value=4.50", "Vbus_Max_Value=5.50",
        "VbusIsOpen=1", "CPU_Max_Value=60.0", "CapacityEndCurrent=0.050",
        "CapacityCutOffOn=1", "CapacityCutOffVolts=3.00", "file_path=/tmp/firmware.bin", ""])
    write("settings", "usual", ini.encode())
    write("settings", "two-spellings", b"[General]\nLanguage=Chinese\nlanguage=English\n")
    write("settings", "other-section", b"[Other]\nPowe_Min_Value=nan\n[General]\nCC1_lw=9\n")


CSV_HEADER = ("----------------VARNIK USB_Tester Software----------------\r\n"
              "--------------------------R48M----------------------------\r\n"
              "----------------VARNIK USB_Tester Software----------------\r\n"
              "DATE,VBUS(V),IBUS(A),POWER(W),PD(V),PM(V),CC1(V),CC2(V),CPU_TEMP(\u2103),\r\n")


def csv_reader():
    rows = ["2024-03-05_14:07:%02d,5.%06d,1.250000,6.250000,0.600,0.000,1.650,0.000,31.%d\r\n"
            % (58 + i, i, i) for i in range(2)]
    rows.append("2024-03-05_14:08:00,nan,inf,-inf,0.000,0.000,0.000,0.000,0.0\r\n")
    write("csv_reader", "three-records", (CSV_HEADER + "".join(rows)).encode())
    write("csv_reader", "bad-lines", (CSV_HEADER + "2024-13-05_14:07:58,1,2,3,4,5,6,7,8\r\n"
                                      "garbage\r\n" + rows[0] + "1,2\n").encode())
    # Rows out of time order, one second held three times, rows decades apart: opened in
    # time order, each second's rows in file order.
    write("csv_reader", "out-of-order", (rows[1] + rows[0] + rows[0].replace(",5.", ",9.") +
                                         rows[2] + "1990-01-01_00:00:00,1,2,3,4,5,6,7,8\r\n"
                                         "2060-01-01_00:00:00,1,2,3,4,5,6,7,8\r\n").encode())


def csv_round_trip():
    start = struct.pack("<Q", 1709647678)[:5]  # 2024-03-05 14:07:58 UTC
    values = [5.02, 1.25, 6.275, 0.6, 0.0, 1.65, 0.0, 31.5]
    record = b"".join(struct.pack("<f", v) for v in values)
    write("csv_round_trip", "three-records", start + b"\x01" + record + b"\x01" + record + b"\xff" + record)
    special = b"".join(struct.pack("<f", v) for v in
                       [float("nan"), float("inf"), -float("inf"), -0.0, 1e-40, 3.4e38, -1e-7, 0.5e-6])
    write("csv_round_trip", "special-values", start + b"\x01" + special)


decode_report()
upgrade()
settings()
csv_reader()
csv_round_trip()
