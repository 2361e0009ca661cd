#!/usr/bin/env python3
"""Wave files as real tools write them, checked with `orlamo-cli inspect --json`.

The corpus is made here, never downloaded: espeak-ng speaks a phrase, sox and ffmpeg turn it into
every accepted format and into the kinds that must be refused, and a few files are spliced by hand
where the tools write no such chunk (cue, odd-sized chunks with their pad byte, a 40-byte fmt for
mono 16-bit, a short or missing fmt). For every file the inspector must accept or refuse as the
rules say, and its data size must agree with Python's wave module where that reads the file, and
with the bytes the data chunk really holds everywhere.

Usage: realworld_waves_test.py ORLAMO_CLI. Exit 0 passed, 1 failed, 77 a tool is missing.
"""

import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

SKIP = 77
RATES = [8000, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000]
ILLEGAL = "E:02 - Illegal file format"


def rate_index(channels, rate, bits):
    """The rules: mono; 8 kHz 8-bit is index 0, 8 kHz at any other depth index 1, the other
    rates 16-bit only. None when refused."""
    if channels != 1 or rate not in RATES:
        return None
    if rate == 8000:
        return 0 if bits == 8 else 1
    return RATES.index(rate) if bits == 16 else None


def format_error(channels, rate, bits):
    return "Format Error - %dK x %dbit x %s" % (rate // 1000, bits, "Mono" if channels == 1 else "Stereo")


def play_time(index, size):
    divisor = RATES[index] // 50 // (2 if index == 0 else 1)
    hundredths = size // divisor
    return "%d.%02d" % (hundredths // 100, hundredths % 100)


# --- Building pieces of RIFF by hand -------------------------------------------------------------

def chunk(ident, body, pad=True):
    return ident + struct.pack("<I", len(body)) + body + (b"\0" if pad and len(body) % 2 else b"")


def riff(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def fmt_body(channels, rate, bits, tag=1):
    align = channels * ((bits + 7) // 8)
    return struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits)


def extensible_fmt(channels, rate, bits):
    pcm_guid = bytes.fromhex("0100000000001000800000aa00389b71")
    return fmt_body(channels, rate, bits, 0xFFFE) + struct.pack("<HHI", 22, bits, 4) + pcm_guid


def data_bytes(path):
    """The samples of a canonical file the tools wrote: the body of its data chunk."""
    raw = open(path, "rb").read()
    offset = 12
    while offset + 8 <= len(raw):
        ident, size = raw[offset:offset + 4], struct.unpack("<I", raw[offset + 4:offset + 8])[0]
        if ident == b"data":
            return raw[offset + 8:offset + 8 + size]
        offset += 8 + size + (size & 1)
    raise ValueError("no data chunk in " + path)


def present_data_size(path):
    """Reference walk: the first data chunk after the fmt chunk, pad bytes skipped, its declared
    size cut to the bytes the file holds. None when the file has no such chunk."""
    raw = open(path, "rb").read()
    if raw[:4] != b"RIFF" or raw[8:12] != b"WAVE":
        return None
    offset, seen_fmt = 12, False
    while offset + 8 <= len(raw):
        ident, size = raw[offset:offset + 4], struct.unpack("<I", raw[offset + 4:offset + 8])[0]
        if ident == b"fmt ":
            seen_fmt = True
        elif ident == b"data":
            return min(size, len(raw) - offset - 8) if seen_fmt else None
        offset += 8 + size + (size & 1)
    return None


# --- The corpus ---------------------------------------------------------------------------------

class Case:
    def __init__(self, name, expected, note):
        self.name = name
        self.expected = expected  # a rate index, or the exact refusal message
        self.note = note


def run(command, folder):
    subprocess.run(command, cwd=folder, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.PIPE)


def build_corpus(folder):
    cases = []
    run(["espeak-ng", "-w", "speech.wav", "Platform two. Mind the gap."], folder)
    cases.append(Case("speech.wav", 5, "espeak-ng's own output, 22050 Hz 16-bit"))

    def sox(name, expected, note, *options, source="speech.wav"):
        # -D: no dither, so that the files are the same on every run.
        run(["sox", "-V1", source, "-D", *options, name], folder)
        cases.append(Case(name, expected, note))

    def ffmpeg(name, expected, note, *options):
        run(["ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-i", "speech.wav", *options, name],
            folder)
        cases.append(Case(name, expected, note))

    # The ten accepted formats.
    sox("sox-8000-u8.wav", 0, "8 kHz 8-bit unsigned", "-c", "1", "-r", "8000", "-b", "8")
    for index, rate in enumerate(RATES[1:], start=1):
        sox("sox-%d-16.wav" % rate, index, "16-bit at %d Hz" % rate, "-c", "1", "-r", str(rate), "-b", "16")

    # Other encodings at accepted rates and depths: the format tag is not looked at, and at 8 kHz
    # every depth but 8 bits counts as 16-bit.
    sox("sox-8000-alaw.wav", 0, "A-law: tag 6, 18-byte fmt, fact chunk", "-r", "8000", "-e", "a-law")
    sox("sox-8000-ulaw.wav", 0, "mu-law: tag 7, fact chunk", "-r", "8000", "-e", "u-law")
    sox("sox-8000-ima.wav", 1, "IMA ADPCM 4-bit at 8 kHz: fmt of 20 bytes", "-r", "8000", "-e", "ima-adpcm")
    sox("sox-8000-24.wav", 1, "24-bit at 8 kHz: WAVE_FORMAT_EXTENSIBLE", "-r", "8000", "-b", "24")
    ffmpeg("ffmpeg-8000-s24.wav", 1, "ffmpeg 24-bit extensible, LIST", "-ar", "8000", "-c:a", "pcm_s24le")
    ffmpeg("ffmpeg-8000-f32.wav", 1, "ffmpeg float: extensible, fact, LIST", "-ar", "8000", "-c:a", "pcm_f32le")
    ffmpeg("ffmpeg-8000-alaw.wav", 0, "ffmpeg A-law", "-ar", "8000", "-c:a", "pcm_alaw")

    # Metadata chunks as the tools write them.
    ffmpeg("ffmpeg-list-info.wav", 5, "LIST/INFO with title and artist", "-ar", "22050",
           "-metadata", "title=Platform two", "-metadata", "artist=Station")
    ffmpeg("ffmpeg-junk.wav", 6, "JUNK before fmt (room for ds64)", "-ar", "24000", "-rf64", "auto")
    ffmpeg("ffmpeg-bext.wav", 7, "bext chunk", "-ar", "32000", "-write_bext", "1",
           "-metadata", "description=Broadcast")
    ffmpeg("ffmpeg-levl.wav", 9, "levl chunk after the data", "-ar", "48000", "-write_peak", "on")

    # Refused kinds.
    sox("sox-stereo.wav", format_error(2, 22050, 16), "stereo", "-c", "2", "-r", "22050", "-b", "16")
    ffmpeg("ffmpeg-stereo.wav", format_error(2, 44100, 16), "ffmpeg stereo", "-ar", "44100", "-ac", "2")
    sox("sox-44100-24.wav", format_error(1, 44100, 24), "24-bit at 44.1 kHz (extensible)",
        "-r", "44100", "-b", "24")
    ffmpeg("ffmpeg-96k.wav", format_error(1, 96000, 16), "96 kHz (extensible)", "-ar", "96000")
    sox("sox-11025-u8.wav", format_error(1, 11025, 8), "8-bit above 8 kHz", "-r", "11025", "-b", "8")
    sox("sox-16000-ima.wav", format_error(1, 16000, 4), "4-bit ADPCM above 8 kHz",
        "-r", "16000", "-e", "ima-adpcm")
    ffmpeg("ffmpeg-rf64.wav", ILLEGAL, "RF64", "-ar", "24000", "-rf64", "always")
    sox("sox-rifx.wav", ILLEGAL, "big-endian RIFX", "-B", "-r", "16000", "-b", "16")
    sox("sox-aiff.wav", ILLEGAL, "an AIFF file named .wav", "-r", "16000", "-t", "aiff")

    # Spliced by hand from the samples sox wrote.
    samples16 = data_bytes(os.path.join(folder, "sox-16000-16.wav"))
    samples8 = data_bytes(os.path.join(folder, "sox-8000-u8.wav"))
    odd8 = samples8 if len(samples8) % 2 else samples8[:-1]
    fmt16 = chunk(b"fmt ", fmt_body(1, 16000, 16))
    cue = struct.pack("<I", 1) + struct.pack("<II4sIII", 1, 0, b"data", 0, 0, 100)
    spliced = [
        ("splice-cue.wav", 4, "cue chunk between fmt and data",
         riff(fmt16, chunk(b"cue ", cue), chunk(b"data", samples16))),
        ("splice-odd-list.wav", 4, "LIST with a 3-byte body and its pad byte before the data",
         riff(fmt16, chunk(b"LIST", b"abc"), chunk(b"data", samples16))),
        ("splice-odd-junk-first.wav", 4, "odd JUNK with its pad byte before fmt",
         riff(chunk(b"JUNK", b"12345"), fmt16, chunk(b"data", samples16))),
        ("splice-odd-data.wav", 0, "odd data chunk, its pad byte, then a LIST",
         riff(chunk(b"fmt ", fmt_body(1, 8000, 8)), chunk(b"data", odd8),
              chunk(b"LIST", b"INFOISFT\x03\0\0\0ab\0\0"))),
        ("splice-extensible-16.wav", 4, "mono 16-bit with a 40-byte extensible fmt",
         riff(chunk(b"fmt ", extensible_fmt(1, 16000, 16)), chunk(b"data", samples16))),
        ("splice-fmt18.wav", 4, "18-byte fmt (cbSize 0)",
         riff(chunk(b"fmt ", fmt_body(1, 16000, 16) + b"\0\0"), chunk(b"data", samples16))),
        ("splice-truncated.wav", 4, "data chunk declared longer than the file",
         riff(fmt16, chunk(b"data", samples16))[:-1000]),
        ("splice-short-fmt.wav", ILLEGAL, "14-byte fmt without its bits field",
         riff(chunk(b"fmt ", fmt_body(1, 16000, 16)[:14]), chunk(b"data", samples16))),
        ("splice-no-fmt.wav", ILLEGAL, "no fmt chunk", riff(chunk(b"data", samples16))),
        ("splice-data-before-fmt.wav", ILLEGAL, "data before fmt",
         riff(chunk(b"data", samples16), fmt16)),
        ("splice-no-data.wav", format_error(1, 16000, 16), "fmt but no data chunk",
         riff(fmt16, chunk(b"LIST", b"INFO"))),
        ("splice-header-only.wav", ILLEGAL, "twelve bytes", riff()),
    ]
    for name, expected, note, raw in spliced:
        with open(os.path.join(folder, name), "wb") as out:
            out.write(raw)
        cases.append(Case(name, expected, note))
    return cases


# --- Checking -----------------------------------------------------------------------------------

def python_wave(path):
    """(channels, rate, bits, data bytes present) from Python's wave module, or None when it
    cannot read the file."""
    try:
        with wave.open(path, "rb") as w:
            frames = w.readframes(w.getnframes())
            return w.getnchannels(), w.getframerate(), 8 * w.getsampwidth(), len(frames)
    except (wave.Error, EOFError, struct.error):
        return None


def inspect_all(cli, folder, names):
    result = subprocess.run([cli, "inspect", "--json", "--"] + names, cwd=folder,
                            capture_output=True, text=True)
    if result.returncode not in (0, 1):
        raise RuntimeError("orlamo-cli inspect failed: %s" % result.stderr)
    return {record["file"]: record for record in map(json.loads, result.stdout.splitlines())}


def check_case(case, path, record):
    problems = []
    expected = case.expected
    if isinstance(expected, int):
        if not record["accepted"] or record["rate_index"] != expected:
            return ["expected rate index %d, got %s" % (expected, record)]
        size = record["data_size"]
        reference = present_data_size(path)
        if size != reference:
            problems.append("data size %d, the data chunk holds %s bytes" % (size, reference))
        if record["play_time"] != play_time(expected, size):
            problems.append("play time %s, expected %s" % (record["play_time"], play_time(expected, size)))
        if record["format_code"] != expected << 28:
            problems.append("format code %#x" % record["format_code"])
    elif record["accepted"] or record["message"] != expected:
        return ["expected the refusal %r, got %s" % (expected, record)]

    # Where Python's wave module reads the file, both agree on the format and the data size.
    reference = python_wave(path)
    if reference is not None:
        channels, rate, bits, size = reference
        index = rate_index(channels, rate, bits)
        if index != (expected if isinstance(expected, int) else None):
            problems.append("the wave module reads %d ch %d Hz %d-bit, which the rules give %s"
                            % (channels, rate, bits, index))
        if isinstance(expected, int) and size != record["data_size"]:
            problems.append("the wave module reads %d data bytes, orlamo-cli %d" % (size, record["data_size"]))
    return problems


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    cli = os.path.abspath(sys.argv[1])
    missing = [tool for tool in ("espeak-ng", "sox", "ffmpeg") if shutil.which(tool) is None]
    if missing:
        print("SKIP: %s not installed" % ", ".join(missing))
        return SKIP

    with tempfile.TemporaryDirectory(prefix="orlamo-realworld-") as folder:
        cases = build_corpus(folder)
        records = inspect_all(cli, folder, [case.name for case in cases])
        passed = failed = read_by_wave = 0
        for case in cases:
            path = os.path.join(folder, case.name)
            record = records.get(case.name)
            problems = ["no line from orlamo-cli"] if record is None else check_case(case, path, record)
            read_by_wave += python_wave(path) is not None
            if problems:
                failed += 1
                print("FAIL %s (%s): %s" % (case.name, case.note, "; ".join(problems)))
            else:
                passed += 1
                print("ok   %s (%s)" % (case.name, case.note))
        print("%d files, %d of them also read by Python's wave module" % (len(cases), read_by_wave))
        print("%d passed, %d failed" % (passed, failed))
        return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
