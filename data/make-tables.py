#!/usr/bin/env python3
"""Writes the four sample calibration tables of this folder.

Each table is a header line and 256 whole numbers, one per line, for the raw bytes 0..255.
The probes are taken as linear: value = first + (last - first) * byte / 255, rounded half up.
"""
import math
import pathlib

HERE = pathlib.Path(__file__).resolve().parent


def linear(first, last):
    return [math.floor(first + (last - first) * byte / 255 + 0.5) for byte in range(256)]


TABLES = {
    "EKION.CSV": ("液温プローブ(℃) 生データ0～255の順", linear(-10, 100)),
    "KION.CSV": ("気温プローブ(℃) 生データ0～255の順", linear(-10, 50)),
    "VORUM1.CSV": ("気圧(hPa) 1hPaごと 生データ0～255の順", [885 + byte for byte in range(256)]),
    "VORUM2.CSV": ("気圧(hPa) 2hPaごと 生データ0～255の順", [757 + 2 * byte for byte in range(256)]),
}

for name, (header, values) in TABLES.items():
    assert len(values) == 256 and values == sorted(values)
    text = header + "\n" + "".join(f"{value}\n" for value in values)
    (HERE / name).write_text(text, encoding="utf-8")
