#!/usr/bin/env bash
# Runs slicewright-cli export as a user would and reads every file it writes
# with independent readers (Python's wave module, mido, a RIFF reader of our
# own) and FluidSynth, which plays the template through the bank.
source "$(dirname "$0")/common.sh"

check make "$work"
loop="$work/loop.wav"
export SOURCE_DATE_EPOCH=1796601600  # 2026-12-07
date="December 7 ,2026"

no_files_written() {
  [ -z "$(find "$work" -name 'x*' -print -quit)" ] || fail "a refused export wrote files: $(ls "$work")"
}

# Bad arguments and refused settings exit 2 before anything is written.
expect_status 0 "$cli" --help
grep -q "export IN.wav" "$work/out" || fail "--help shows no export usage"
expect_status 2 "$cli" export "$loop" --slices "$work/x.wav"
expect_status 2 "$cli" export "$loop" --threshold 100 --sensitivity 50 --slices "$work/x.wav"
expect_status 2 "$cli" export "$loop" --sensitivity 101 --slices "$work/x.wav"
expect_status 2 "$cli" export "$loop" --threshold 100
expect_status 2 "$cli" export "$loop" --threshold 100 --region "$work/x.wav" --bank-name B
expect_status 2 "$cli" export "$loop" --threshold 100 --sf2 "$work/x.sf2" --sf2-interval 3
expect_status 2 "$cli" export "$loop" --threshold 100 --midi "$work/x.mid" --midi-interval 13
expect_status 2 "$cli" export "$loop" --threshold 100 --region "$work/x.wav" --left-segment 3 --right-segment 2
expect_status 2 "$cli" export "$loop" --threshold 100 --region "$work/x.wav" --right-segment 99
grep -q "Usage" "$work/err" || fail "bad arguments show no usage"
SOURCE_DATE_EPOCH=soon expect_status 2 "$cli" export "$loop" --threshold 100 --sf2 "$work/x.sf2"
# 8 slices from key 120 would reach key 127.
expect_status 2 "$cli" export "$loop" --sensitivity 70 --slices "$work/x.wav" --sf2 "$work/x.sf2" --sf2-base-key 120
[ "$(cat "$work/err")" = "WARNING! -  Samples exceed available notes" ] || fail "key warning: $(cat "$work/err")"
expect_status 2 "$cli" export "$loop" --sensitivity 70 --midi "$work/x.mid" --midi-base-key 119 --midi-interval 1
expect_status 0 "$cli" export "$loop" --sensitivity 70 --midi "$work/ok.mid" --midi-base-key 112 --midi-interval 1
# No template without a tempo.
expect_status 2 "$cli" export "$loop" --sensitivity 70 --region "$work/x.wav" --midi "$work/x.mid" --bars 0 --beats 0
grep -q "no tempo" "$work/err" || fail "no-tempo message: $(cat "$work/err")"
expect_status 3 "$cli" export "$work/missing.wav" --threshold 100 --region "$work/x.wav"
no_files_written

# The whole loop, smoothed, forward: every file read back, the template played through the bank.
expect_status 0 "$cli" export "$loop" --sensitivity 70 --slices "$work/cut.wav" --region "$work/all" \
  --sf2 "$work/bank.sf2" --midi "$work/loop.mid"
cp "$work/out" "$work/forward.json"
check verify "$work/forward.json" "$loop" --smooth --date "$date"
[ -f "$work/all.wav" ] || fail "a region name without extension gets .wav"
/usr/bin/python3 - "$work/forward.json" <<'PY'
import json, sys
s = json.load(open(sys.argv[1]))
assert s["sliceCount"] == 8 and s["activePointCount"] == 7, s
assert s["leftLocator"] == {"segment": 1, "position": 0} and s["rightLocator"] == {"segment": 8, "position": 176400}, s
assert s["loopBpm"] == 120 and s["threshold"] == 65535 - round(0.7 * 65536), s
assert s["written"]["sf2"]["keys"] == list(range(48, 56)), s
PY
cp "$work/bank.sf2" "$work/first.sf2"
expect_status 0 "$cli" export "$loop" --sensitivity 70 --sf2 "$work/bank.sf2"
cmp -s "$work/bank.sf2" "$work/first.sf2" || fail "the same input and SOURCE_DATE_EPOCH gave a different bank"

# Part of the loop, reversed, with matching intervals, no smoothing, the AWE pair and a bank name.
expect_status 0 "$cli" export "$loop" --threshold 40000 --left-segment 2 --right-segment 5 --bars 0 --beats 3 \
  --slices "$work/part" --sf2 "$work/part.sf2" --no-smooth --sf2-interval 2 --bank-name "Part Of It" \
  --midi "$work/part.mid" --midi-interval 2 --reverse --awe-filter
cp "$work/out" "$work/part.json"
check verify "$work/part.json" "$loop" --reverse --awe --bank-name "Part Of It" --date "$date"
[ -f "$work/part1.wav" ] || fail "a slice base without extension gets .wav before numbering"

# White keys on both sides line up; keys that differ between bank and template do not.
expect_status 0 "$cli" export "$loop" --sensitivity 70 --slices "$work/w.wav" \
  --sf2 "$work/white.sf2" --sf2-white-keys --sf2-base-key 50 --midi "$work/white.mid" --midi-white-keys --midi-base-key 48
cp "$work/out" "$work/white.json"
/usr/bin/python3 -c 'import json,sys; k=json.load(open(sys.argv[1]))["written"]; assert k["sf2"]["keys"]==k["midi"]["keys"]==[48,50,52,53,55,57,59,60], k' "$work/white.json"
check verify "$work/white.json" "$loop" --smooth
expect_status 0 "$cli" export "$loop" --sensitivity 70 --slices "$work/m.wav" \
  --sf2 "$work/mismatch.sf2" --midi "$work/mismatch.mid" --midi-interval 1
check verify "$work/out" "$loop" --smooth --mismatched-keys

# Dense hits at 192 and 176.4 kHz, where refinement moves points past their
# neighbours: the points come out ascending and every export, with every point
# cutting, is read back and played.
for rate in 192000 176400; do
  mkdir -p "$work/fast$rate"
  check make-fast "$work/fast$rate" "$rate"
  fast="$work/fast$rate/fast.wav"
  expect_status 0 "$cli" analyze "$fast"
  /usr/bin/python3 -c 'import json,sys; p=[x["position"] for x in json.load(open(sys.argv[1]))["slicePoints"]]; assert len(p) > 20 and p == sorted(p), p' "$work/out"
  expect_status 0 "$cli" export "$fast" --sensitivity 100 --slices "$work/fast$rate/s.wav" --region "$work/fast$rate/r.wav" \
    --sf2 "$work/fast$rate/b.sf2" --sf2-base-key 0 --midi "$work/fast$rate/t.mid" --midi-base-key 0
  check verify "$work/out" "$fast" --smooth
done

# A failed save exits 4 with the message and leaves the earlier file as it was.
echo "earlier" > "$work/keep.mid"
mkdir "$work/taken.sf2"
expect_status 4 "$cli" export "$loop" --sensitivity 70 --sf2 "$work/taken.sf2" --midi "$work/keep.mid"
printf 'Error saving SoundFont file;\nMay be insufficent disk space, or file may be open.\n' | cmp -s - "$work/err" ||
  fail "SoundFont save message: $(cat "$work/err")"
/usr/bin/python3 -c 'import mido,sys; mido.MidiFile(sys.argv[1])' "$work/keep.mid" || fail "the template after a failed bank save"
expect_status 4 "$cli" export "$loop" --sensitivity 70 --region "$work/nofolder/r.wav"
printf 'Error saving Wave file;\nMay be insufficent disk space,\nor file of same name may be open.\n' | cmp -s - "$work/err" ||
  fail "Wave save message: $(cat "$work/err")"

# "--" ends the options; an empty output name is refused; a name that is not
# UTF-8 keeps the summary valid and names the file; a dangling link is followed.
cp "$loop" "$work/--x.wav"
(cd "$work" && "$cli" analyze -- --x.wav >/dev/null) || fail "-- does not end the options"
expect_status 2 "$cli" export "$loop" --threshold 100 --region ""
odd="$work/$(printf 'r\377\351e')"
expect_status 0 "$cli" export "$loop" --threshold 100 --region "$odd.wav"
/usr/bin/python3 -c 'import json,os,sys; raw=open(sys.argv[1],"rb").read(); s=json.loads(raw.decode("utf-8")); assert os.fsencode(s["written"]["region"]) == os.fsencode(sys.argv[2]), s' \
  "$work/out" "$odd.wav" || fail "summary of a name that is not UTF-8"
ln -s "$work/made.wav" "$work/link.wav"
expect_status 0 "$cli" export "$loop" --threshold 100 --region "$work/link.wav"
[ -L "$work/link.wav" ] && [ -f "$work/made.wav" ] || fail "a dangling link was replaced, not followed"

# Interrupted while saving a long region: the temporary file goes with it.
mkdir "$work/long"
/usr/bin/python3 -c 'import sys,wave; w=wave.open(sys.argv[1],"wb"); w.setnchannels(1); w.setsampwidth(2); w.setframerate(44100); w.writeframes(bytes(150_000_000)); w.close()' "$work/long/in.wav"
"$cli" export "$work/long/in.wav" --threshold 100 --region "$work/long/out.wav" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 2000); do
  [ -n "$(find "$work/long" -name '.out.wav.*' -print -quit)" ] && break
  sleep 0.005
done
temp="$(find "$work/long" -name '.out.wav.*' -print -quit)"
kill -TERM "$pid"
set +e; wait "$pid"; status=$?; set -e
if [ -n "$temp" ] && [ ! -f "$work/long/out.wav" ]; then
  [ "$status" = 143 ] || fail "an interrupted export exited $status"
  [ ! -e "$temp" ] || fail "an interrupted save left $temp behind"
else
  echo "note: the long save finished before it could be interrupted" >&2
fi
rm -rf "$work/long"
[ -z "$(find "$work" -name '.*.XXXXXX' -o -name '.*.??????' | head -1)" ] || fail "temporary files left behind"
echo "cli export: all checks passed"
