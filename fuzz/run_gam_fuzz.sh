#!/bin/sh
# Builds the .gam reader's libFuzzer target with clang++-14 (address and undefined-behaviour
# sanitizers) and runs it for the given number of seconds (default 60).
# Usage: fuzz/run_gam_fuzz.sh [SECONDS]
set -eu
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
out=${GAM_FUZZ_DIR:-"$root/build-fuzz"}
mkdir -p "$out/corpus"
clang++-14 -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" "$root/fuzz/gam_fuzz.cpp" "$root/src/table/gam_file.cpp" \
  "$root/src/table/codepage.cpp" "$root/src/platform/data_file.cpp" -o "$out/gam_fuzz"
# Seed files: a small valid game without and with wild cards.
python3 - "$out/corpus" <<'PY'
import struct, sys, os
d = sys.argv[1]
def text(s): return s.encode('cp1252').ljust(120, b' ')[:120]
def i16(v): return struct.pack('<h', v)
plain = text('Seed') + i16(2) + i16(0) + i16(-1) + i16(-1) + i16(0) + i16(-1)
for r in range(2):
    plain += text('Round') + i16(-1) + i16(-1) + i16(0) + i16(1) + i16(3) + i16(-1)
plain += i16(1) + text('A line')
wild = text('Wild') + i16(1) + i16(-1) + i16(0) + i16(0) + i16(0) + i16(0) + i16(2) + i16(5) + i16(18)
wild += text('') + i16(0) * 6 + i16(0)
open(os.path.join(d, 'plain.gam'), 'wb').write(plain)
open(os.path.join(d, 'wild.gam'), 'wb').write(wild)
PY
"$out/gam_fuzz" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 "$out/corpus"
