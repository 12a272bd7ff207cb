#!/bin/sh
# Builds the network messages' libFuzzer target with clang++-14 (address and undefined-behaviour
# sanitizers) and runs it for the given number of seconds (default 30).
# Usage: fuzz/run_message_fuzz.sh [SECONDS]
set -eu
seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
out=${MESSAGE_FUZZ_DIR:-"$root/build-fuzz"}
mkdir -p "$out/message-corpus"
clang++-14 -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" "$root/fuzz/message_fuzz.cpp" "$root/src/net/messages.cpp" \
  -o "$out/message_fuzz"
# Seeds: one message of every kind.
n=0
while IFS= read -r message; do
  n=$((n + 1))
  printf '%s' "$message" >"$out/message-corpus/seed$n.json"
done <<'SEEDS'
{"t":"join","version":"1.0","code":"123456","name":"Anna","client":"desktop"}
{"t":"key","code":40,"shift":2}
{"t":"welcome","seat":2,"host":"The Boss","version":"1.0"}
{"t":"refused","reason":"code","text":"The join code is wrong.","version":"1.0"}
{"t":"say","text":"???You have Pair of Twos","system":0}
{"t":"stop"}
{"t":"box","title":"Error! ","text":"Two\nlines","icon":"critical"}
{"t":"answer","waiting":true}
{"t":"sound","op":"load","sound":3,"file":"coin3.wav"}
{"t":"sound","op":"play","channel":4,"sound":3,"loop":false}
{"t":"sound","op":"pan","channel":4,"value":-2500}
{"t":"hand","heading":"Hand 2, Texas Holdem, Monday 7 December 2026 20:00. Dealer Harry. Chips: The Boss 975, Anna 1025.","lines":["The deal goes to Harry","Anna collects the pot."],"game":"Texas Holdem","collected":150,"chips":1100}
{"t":"closed"}
SEEDS
"$out/message_fuzz" -max_total_time="$seconds" -max_len=70000 -print_final_stats=1 \
  "$out/message-corpus"
