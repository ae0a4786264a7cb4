#!/usr/bin/env python3
"""Writes the WAV fixtures of this folder, good and deliberately broken ones."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def chunk(cid, body, claimed=None):
    size = len(body) if claimed is None else claimed
    pad = b"\0" if len(body) % 2 else b""
    return cid + struct.pack("<I", size) + body + pad


def fmt(tag, channels, rate, bits, block=None, extensible_tag=None):
    block = channels * ((bits + 7) // 8) if block is None else block
    body = struct.pack("<HHIIHH", tag, channels, rate, rate * block, block, bits)
    if extensible_tag is not None:
        guid_tail = b"\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71"
        body += struct.pack("<HHI", 22, bits, 3) + struct.pack("<H", extensible_tag) + guid_tail
    return chunk(b"fmt ", body)


def riff(*chunks, magic=b"RIFF", form=b"WAVE"):
    body = form + b"".join(chunks)
    return magic + struct.pack("<I", len(body)) + body


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


# Good files; the frame counts give durations that do not fall on round numbers.
write("pcm16_mono_8000.wav", riff(fmt(1, 1, 8000, 16), chunk(b"data", b"\1\0" * 1000)))
write("pcm8_stereo_11025.wav", riff(fmt(1, 2, 11025, 8), chunk(b"data", b"\x80" * 2 * 441)))
write("float32_mono_8000.wav", riff(fmt(3, 1, 8000, 32), chunk(b"data", b"\0" * 4 * 300)))
write("extensible_pcm24_stereo_16000.wav",
      riff(fmt(0xFFFE, 2, 16000, 24, extensible_tag=1), chunk(b"data", b"\0" * 6 * 400)))
# A LIST chunk of odd length (padded) between fmt and data.
write("list_chunk_before_data.wav",
      riff(fmt(1, 1, 8000, 16), chunk(b"LIST", b"INFOx"), chunk(b"data", b"\0" * 2 * 500)))
write("empty_data.wav", riff(fmt(1, 1, 8000, 16), chunk(b"data", b"")))
# The data chunk claims far more than the file holds: only the 800 bytes present count.
write("data_longer_than_file.wav",
      riff(fmt(1, 1, 8000, 16), chunk(b"data", b"\0" * 800, claimed=0x7FFFFFF0)))

# Broken files.
write("truncated_header.wav", riff(fmt(1, 1, 8000, 16), chunk(b"data", b""))[:20])
write("wrong_magic.wav", riff(fmt(1, 1, 8000, 16), chunk(b"data", b"\0" * 200), magic=b"RIFX"))
write("not_wave.wav", riff(fmt(1, 1, 8000, 16), chunk(b"data", b"\0" * 200), form=b"AVI "))
write("no_data_chunk.wav", riff(fmt(1, 1, 8000, 16), chunk(b"LIST", b"INFO")))
write("no_fmt_chunk.wav", riff(chunk(b"data", b"\0" * 200)))
write("zero_channels.wav", riff(fmt(1, 0, 8000, 16, block=0), chunk(b"data", b"\0" * 200)))
write("zero_rate.wav", riff(fmt(1, 1, 0, 16), chunk(b"data", b"\0" * 200)))
write("adpcm.wav", riff(fmt(2, 1, 8000, 4, block=256), chunk(b"data", b"\0" * 512)))
# The fmt chunk claims 16 bytes, but the file ends after 6 of them.
write("fmt_cut_short.wav", riff(fmt(1, 1, 8000, 16))[:26])
write("empty.wav", b"")
