#!/usr/bin/env python3
"""Writes the seed corpora of the frame_reader and answers fuzz targets
(tests/fuzz/corpus/<target>/) from frames built like the sensor builds them.
The INI-file seeds are real files written by the program's own writers
(`kill9_writers --samples DIR`) plus a few hand-made shapes; see
docs/reliability.md."""
import os
import struct
import sys

def table():
    t = []
    for i in range(256):
        c = i
        for _ in range(8):
            c = (c >> 1) ^ 0x8C if c & 1 else c >> 1
        t.append(c)
    return t

T = table()

def crc8(data, start=0xAA):
    c = start
    for b in data:
        c = T[c ^ b]
    return c

def frame(order, param, data=b""):
    h = bytes([0x55, order]) + struct.pack("<HH", param, len(data))
    h += bytes([crc8(data) if data else 0xAA])
    h += bytes([crc8(h)])
    return h + data

def words(*ws):
    return b"".join(struct.pack("<h" if w < 0 else "<H", w) for w in ws)

def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    fr = os.path.join(root, "frame_reader")
    an = os.path.join(root, "answers")
    sl = os.path.join(root, "sensor_link")
    os.makedirs(sl, exist_ok=True)
    os.makedirs(fr, exist_ok=True)
    os.makedirs(an, exist_ok=True)
    measurement = words(1600, 1700, 1800, 1365, 1446, 1700, 12, 3, 3, 1, 35, 1560, 1660, 1760,
                        1590, 1690, 1790, 1610, 1710, 1810)
    ident = b"TRIVOLUX VR V1.2.0  SIMULATOR".ljust(72, b"\0")
    scope = words(*[(i * 37) % 4096 for i in range(128)], 77)
    hwinfo = words(4711, 0x0120, 3, 2024, 1, 12) + bytes(range(256)) * 2
    hwinfo = hwinfo[:512]
    # frame_reader: the first byte picks the limit (bit 0) and the piece size.
    streams = {
        "answer_measurement": b"\x01" + frame(8, 0, measurement),
        "answer_ident": b"\x03" + frame(7, 4711, ident),
        "answer_scope_blocks": b"\x81" + b"".join(frame(110, k, scope) for k in range(4)),
        "answer_error": b"\x00" + frame(0, 2) + frame(0, 1),
        "request_write_params": b"\x10" + frame(1, 0, bytes(range(34))) + frame(2, 2),
        "garbage_then_frame": b"\x05" + b"\x00\xff\x55\x13" * 5 + frame(8, 0, measurement),
        "bad_crc_and_too_long": b"\x02" + frame(8, 0, measurement)[:-1] + b"\x00" +
                                bytes([0x55, 1, 0, 0, 0xff, 0xff, 0xAA]) + b"\x00" + frame(3, 0),
    }
    for name, data in streams.items():
        with open(os.path.join(fr, name), "wb") as f:
            f.write(data)
    # answers: byte 0 picks the decoder (0 measurement, 1 calibration,
    # 2 hardware information, 3 scope block, 4 identification), byte 1 a mode.
    answers = {
        "measurement": b"\x00\x04" + measurement,
        "measurement_extremes": b"\x00\x07" + words(-32768, 32767, -1, 32767, -32768, 0, -1, 255, 255, 0,
                                                     -40, -32768, 32767, 0, -32768, -32768, -32768,
                                                     32767, 32767, 32767),
        "calibration_factors": b"\x01\x00" + words(1024, 1010, 990, 38, 41, 35),
        "self_calibration": b"\x01\x00" + words(1100, 1000, 950, 2000, 400),
        "hardware_information": b"\x02\x00" + hwinfo,
        "scope_single_shot": b"\x03\x00" + scope + words(-5, 0, 0, 0) + struct.pack("<ii", 8000, 800),
        "scope_rising_edge": b"\x03\x01" + scope + words(20, 0, 0, 0) + struct.pack("<ii", 8000, 800),
        "identification": b"\x04\x00" + ident,
        "identification_other_version": b"\x04\x00" + b"TRIVOLUX VR V1.3.0  SIMULATOR".ljust(72, b"\0"),
    }
    for name, data in answers.items():
        with open(os.path.join(an, name), "wb") as f:
            f.write(data)
    write_link_seeds(sl, measurement, scope)

def link_records(*records):
    out = b""
    for op, data in records:
        out += bytes([op]) + struct.pack("<H", len(data)) + data
    return out

def write_link_seeds(sl, measurement, scope):
    """sensor_link: byte 0 bit 0 = serial line; records of operation (bit 0:
    a frame the sensor sent on its own), 16-bit length and answer bytes."""
    m = frame(8, 0, measurement)
    seeds = {
        "tcp_answers": b"\x00" + link_records((0, m), (0, m[:20]), (0, frame(0, 1)), (0, m + m[:9])),
        "serial_answers": b"\x01" + link_records((0, m), (0, frame(0, 2)), (0, m[:-1] + b"\x00")),
        "tcp_sensor_frames": b"\x00" + link_records((1, frame(110, 0, scope) + frame(110, 1, scope)), (1, b""),
                                                    (1, frame(8, 0, measurement)[:5])),
        "write_fails_and_closed": b"\x00" + link_records((2, m), (4, m), (5, m), (0, m)),
        "too_long": b"\x00" + link_records((0, bytes([0x55, 8, 0, 0, 0xf9, 0x07, 0xAA]) + b"\x00" * 10)),
    }
    for name, data in seeds.items():
        with open(os.path.join(sl, name), "wb") as f:
            f.write(data)

if __name__ == "__main__":
    sys.exit(main())
