#!/usr/bin/env bash
# Runs slicewright-cli analyze as a user would: exit statuses, messages and
# the JSON it prints, read back by an independent JSON parser.
source "$(dirname "$0")/common.sh"

/usr/bin/python3 "$here/make_waves.py" "$work"

expect_status 0 "$cli" --help
grep -q "analyze IN.wav" "$work/out" || fail "--help shows no usage"
expect_status 0 "$cli" --version
grep -q "^slicewright-cli " "$work/out" || fail "--version"
expect_status 2 "$cli"
expect_status 2 "$cli" analyze
expect_status 2 "$cli" analyze "$work/loop.wav" --threshold
expect_status 2 "$cli" analyze "$work/loop.wav" --threshold 12x
expect_status 2 "$cli" analyze "$work/loop.wav" --channel middle
expect_status 2 "$cli" analyze "$work/loop.wav" --bogus
grep -q "Usage" "$work/err" || fail "bad arguments show no usage"

expect_status 3 "$cli" analyze "$work/text.wav"
[ "$(cat "$work/err")" = "Wave File Corrupted!" ] || fail "corrupted message: $(cat "$work/err")"
expect_status 3 "$cli" analyze "$work/8bit.wav"
printf 'Wave File is incorrect format;\nMust be 16bit Windows Wave Format\n' | cmp -s - "$work/err" || fail "format message"
expect_status 3 "$cli" analyze "$work/avi.wav"
[ "$(cat "$work/err")" = "Invalid WAV" ] || fail "invalid message"
expect_status 3 "$cli" analyze "$work/nodata.wav"
[ "$(cat "$work/err")" = "Chunk Not Found" ] || fail "chunk message"
[ ! -s "$work/out" ] || fail "a refused file printed output"

expect_status 0 "$cli" analyze "$work/loop.wav"
/usr/bin/python3 - "$work/out" <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
assert doc["sampleRate"] == 44100 and doc["channels"] == 1 and doc["bitsPerSample"] == 16, doc
assert doc["dataLength"] == 2 * 4 * 44100, doc["dataLength"]
assert doc["threshold"] == 65536 and doc["activePoints"] == [], doc["threshold"]
points = doc["slicePoints"]
assert len(points) >= 7, len(points)
assert all(p["strength"] <= 65535 for p in points)
assert [p["position"] for p in points] == sorted(p["position"] for p in points)
PY

expect_status 0 "$cli" analyze "$work/loop.wav" --threshold=-1
/usr/bin/python3 - "$work/out" <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
expected = [p["position"] for p in doc["slicePoints"] if p["strength"] > -1]
assert doc["activePoints"] == expected and expected, doc["activePoints"]
PY

# The stereo file holds the loop on the left and silence on the right.
expect_status 0 "$cli" analyze "$work/stereo.wav" --channel right
/usr/bin/python3 - "$work/out" <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
assert doc["channels"] == 1 and doc["avgBytesPerSec"] == 88200, doc
assert doc["slicePoints"] == [], doc["slicePoints"][:3]
PY
expect_status 0 "$cli" analyze "$work/stereo.wav" --channel left
cp "$work/out" "$work/left.json"
expect_status 0 "$cli" analyze "$work/loop.wav"
cmp -s "$work/out" "$work/left.json" || fail "left channel differs from the mono loop"
echo "cli analyze: all checks passed"
