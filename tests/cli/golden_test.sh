#!/usr/bin/env bash
# Detection golden files: every slice point and strength that analyze finds in
# a set of seeded signals (22.05 to 192 kHz, each stereo choice, silence,
# noise, clicks at the edges, a full table), kept as one digest per analysis.
# Any change to loading, detection or the walks that moves a point or
# changes a strength shows here.
#   golden_test.sh CLI            compares with golden/detection.txt
#   golden_test.sh CLI --update   writes golden/detection.txt afresh
source "$(dirname "$0")/common.sh"

/usr/bin/python3 "$here/golden/signals.py" "$work" >"$work/runs"
while read -r name file channel; do
  "$cli" analyze "$work/$file" --channel "$channel" 2>/dev/null >"$work/out.json" || {
    echo "FAIL: analyze $name exited $?" >&2
    exit 1
  }
  /usr/bin/python3 - "$name" "$work/out.json" <<'PY'
import hashlib, json, sys
name, path = sys.argv[1], sys.argv[2]
doc = json.load(open(path))
text = "{sampleRate} {channels} {avgBytesPerSec} {dataLength}\n".format(**doc)
text += "".join(f"{p['position']} {p['strength']}\n" for p in doc["slicePoints"])
print(name, len(doc["slicePoints"]), hashlib.sha256(text.encode()).hexdigest()[:32])
PY
done <"$work/runs" >"$work/actual"

if [ "${2:-}" = "--update" ]; then
  cp "$work/actual" "$here/golden/detection.txt"
  echo "golden/detection.txt written"
  exit 0
fi
diff -u "$here/golden/detection.txt" "$work/actual" || {
  echo "FAIL: detection differs from the golden digests" >&2
  exit 1
}
echo "detection golden: $(wc -l <"$work/actual") analyses identical"
