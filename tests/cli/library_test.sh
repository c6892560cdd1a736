#!/usr/bin/env bash
# A sample library as users have it: a loop stored by sox in today's formats,
# opened with --convert; its SFZ export read by Polyphone and played with the
# template by FluidSynth; and batch over a folder with a corrupt file among
# good ones, checked against single exports.
source "$(dirname "$0")/common.sh"
export SOURCE_DATE_EPOCH=1796601600

without_source_format() {  # the analysis JSON less the field that names the file's format
  /usr/bin/python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); print(d.pop("sourceFormat")); print(json.dumps(d))' "$1"
}

check make "$work"
loop="$work/loop.wav"
expect_status 0 "$cli" analyze "$loop" --threshold=-1
without_source_format "$work/out" >"$work/original"
[ "$(head -1 "$work/original")" = None ] || fail "a 16-bit WAV names a source format"
expect_status 0 "$cli" analyze "$loop" --threshold=-1 --convert
without_source_format "$work/out" | cmp -s - "$work/original" || fail "--convert changed a 16-bit WAV"

# The same 16-bit loop stored by sox in wider formats and other containers:
# refused as before without --convert, identical points with it.
wrong=$'Wave File is incorrect format;\nMust be 16bit Windows Wave Format'
while IFS=: read -r name options refusal words; do
  # shellcheck disable=SC2086
  sox "$loop" $options "$work/$name"
  [ "$refusal" = wrong ] && refusal="$wrong"
  expect_status 3 "$cli" analyze "$work/$name"
  [ "$(cat "$work/err")" = "$refusal" ] || fail "$name refusal: $(cat "$work/err")"
  expect_status 3 "$cli" export "$work/$name" --sensitivity 70 --region "$work/x.wav"
  [ "$(cat "$work/err")" = "$refusal" ] || fail "$name export refusal: $(cat "$work/err")"
  expect_status 0 "$cli" analyze "$work/$name" --threshold=-1 --convert
  without_source_format "$work/out" >"$work/converted"
  tail -1 "$work/converted" | cmp -s - <(tail -1 "$work/original") || fail "$name analyzes differently from the 16-bit loop"
  [ "$(head -1 "$work/converted")" = "$words, 44100 Hz, mono, 0:02.0" ] || fail "$name format: $(head -1 "$work/converted")"
done <<'FORMATS'
24.wav:-b 24:wrong:24-bit PCM (extensible WAV)
float.wav:-e floating-point -b 32:wrong:32-bit float
plain24.wav:-t wavpcm -b 24:wrong:24-bit PCM
loop.aiff::Wave File Corrupted!:16-bit PCM AIFF
loop.flac::Wave File Corrupted!:16-bit FLAC
loop24.flac:-b 24:Wave File Corrupted!:24-bit FLAC
FORMATS
[ ! -e "$work/x.wav" ] || fail "a refused export wrote a file"

# SFZ: keys and samples as the summary says, heard through another SFZ reader.
kit="$work/kit one.sfz"
expect_status 0 "$cli" export "$work/float.wav" --convert --sensitivity 70 --sfz "$kit" --sf2-interval 2 \
  --midi "$work/kit.mid" --midi-interval 2
check verify-sfz "$work/out" "$loop"
expect_status 2 "$cli" export "$loop" --sensitivity 70 --sfz "$work/high.sfz" --sf2-base-key 120
[ "$(cat "$work/err")" = "WARNING! -  Samples exceed available notes" ] || fail "SFZ key warning: $(cat "$work/err")"
expect_status 4 "$cli" export "$loop" --sensitivity 70 --sfz "$work/nofolder/kit.sfz"
printf 'Error saving SFZ file;\nMay be insufficient disk space,\nor file of same name may be open.\n' | cmp -s - "$work/err" ||
  fail "SFZ save message: $(cat "$work/err")"
[ ! -e "$work/high.sfz" ] && [ ! -e "$work/high_samples" ] || fail "a refused SFZ export wrote files"

# Batch over a folder: a corrupt file among good ones, a FLAC found with
# --convert, and two files with the same stem.
lib="$work/lib"
mkdir -p "$lib/sub"
cp "$loop" "$lib/loop.wav"
sox "$loop" "$lib/sub/loop.wav" reverse
cp "$work/loop24.flac" "$lib/sub/beat.FLAC"
echo "not a wave" >"$lib/bad.wav"
outputs=(--slices --region --sf2 --midi --sfz)
expect_status 3 "$cli" batch --jobs 2 --convert --sensitivity 70 --out-dir "$work/b2" "${outputs[@]}" "$lib"
cp "$work/out" "$work/b2.jsonl"
[ ! -s "$work/err" ] || fail "batch wrote on stderr without a terminal: $(cat "$work/err")"
/usr/bin/python3 - "$work/b2.jsonl" "$lib" "$work/b2" <<'PY'
import json, os, sys
lines, lib, out = [json.loads(l) for l in open(sys.argv[1])], sys.argv[2], sys.argv[3]
inputs = [f"{lib}/bad.wav", f"{lib}/loop.wav", f"{lib}/sub/beat.FLAC", f"{lib}/sub/loop.wav"]
assert [l["input"] for l in lines] == inputs, lines
bad, first, beat, second = lines
assert bad == {"input": inputs[0], "status": 3, "message": "Wave File Corrupted!"}, bad
assert (first["folder"], beat["folder"], second["folder"]) == (f"{out}/loop", f"{out}/beat", f"{out}/loop-2")
for line in (first, beat, second):
    assert line["status"] == 0 and line["slices"] == line["points"] + 1 > 1 and "message" not in line, line
    stem = os.path.splitext(os.path.basename(line["input"]))[0]
    base = f"{line['folder']}/{stem}"
    names = [f"{base}{n:0{len(str(line['points'] + 1))}}.wav" for n in range(1, line["slices"] + 1)]
    names += [f"{base}-region.wav", f"{base}.sf2", f"{base}.mid", f"{base}.sfz", f"{base}_samples/"]
    assert line["outputs"] == names and all(os.path.exists(n) for n in names), line
PY
# Each good file's folder holds exactly what export writes for it.
while read -r input folder; do
  stem="$(basename "${input%.*}")"
  ref="$work/ref/$(basename "$folder")"
  mkdir -p "$ref"
  "$cli" export "$input" --convert --sensitivity 70 --slices "$ref/$stem.wav" --region "$ref/$stem-region.wav" \
    --sf2 "$ref/$stem.sf2" --midi "$ref/$stem.mid" --sfz "$ref/$stem.sfz" >/dev/null
  diff -r "$ref" "$folder" >/dev/null || fail "batch output for $input differs from its export"
done < <(/usr/bin/python3 -c 'import json,sys; [print(d["input"], d["folder"]) for d in map(json.loads, open(sys.argv[1])) if d["status"] == 0]' "$work/b2.jsonl")
expect_status 3 "$cli" batch --jobs 1 --convert --sensitivity 70 --out-dir "$work/b1" "${outputs[@]}" "$lib"
diff -r "$work/b1" "$work/b2" >/dev/null || fail "--jobs 1 and --jobs 2 wrote different files"
sed "s#$work/b1#$work/b2#g" "$work/out" | cmp -s - "$work/b2.jsonl" || fail "--jobs 1 and --jobs 2 printed different lines"

# Without --convert the FLAC is not looked for; a folder that cannot be made
# fails its saves, and the highest status wins.
mkdir "$work/b3" && touch "$work/b3/loop"
expect_status 4 "$cli" batch --sensitivity 70 --out-dir "$work/b3" --sf2 "$lib"
/usr/bin/python3 - "$work/out" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1])]
assert [l["status"] for l in lines] == [3, 4, 0], lines
assert lines[1]["message"] == "Error saving SoundFont file;\nMay be insufficent disk space, or file may be open.", lines[1]
PY
mkdir "$work/empty"
expect_status 2 "$cli" batch --sensitivity 70 --out-dir "$work/b4" --sf2 "$work/empty"
expect_status 2 "$cli" batch --sensitivity 70 --sf2 "$lib"
expect_status 2 "$cli" batch --sensitivity 70 --out-dir "$work/b4" --sf2 --jobs 0 "$lib"

# On a terminal, the progress bar goes to stderr.
script -qec "'$cli' batch --sensitivity 70 --out-dir '$work/b5' --region '$lib' >/dev/null" "$work/bar" >/dev/null || true
grep -q '3/3 files' "$work/bar" && grep -q 'elapsed' "$work/bar" || fail "no progress bar on a terminal: $(cat "$work/bar")"

# Ctrl-C: the files under way stop, no temporary file or folder is left, and
# every file reported is whole.
mkdir "$work/many"
/usr/bin/python3 -c 'import sys,wave; w=wave.open(sys.argv[1],"wb"); w.setnchannels(1); w.setsampwidth(2); w.setframerate(44100); w.writeframes(bytes(8_000_000)); w.close()' "$work/many/long.wav"
for k in $(seq 7); do ln -s "$work/many/long.wav" "$work/many/long$k.wav"; done
"$cli" batch --jobs 2 --threshold 100 --out-dir "$work/stopped" --region --sfz "$work/many" >"$work/stopped.jsonl" 2>/dev/null &
pid=$!
wait_for_output "$work/stopped.jsonl"
kill -INT "$pid"
set +e; wait "$pid"; status=$?; set -e
[ "$status" = 130 ] || [ "$status" = 0 ] || fail "an interrupted batch exited $status"
[ -z "$(find "$work/stopped" -name '.*' -print -quit)" ] || fail "an interrupted batch left $(find "$work/stopped" -name '.*')"
/usr/bin/python3 - "$work/stopped.jsonl" <<'PY'
import json, os, sys
lines = [json.loads(l) for l in open(sys.argv[1])]
assert lines and len(lines) <= 8, len(lines)
for line in lines:
    assert line["status"] == 0 and all(os.path.exists(n) for n in line["outputs"]), line
    assert os.path.getsize(line["outputs"][0]) == 46 + 8_000_000, line
PY

# A hang-up ignored from the start (nohup) stays ignored: the batch still
# answers Ctrl-C afterwards. A reader that goes away stops it as cleanly.
(trap '' HUP; exec "$cli" batch --jobs 2 --threshold 100 --out-dir "$work/nohup" --region "$work/many" \
  >"$work/nohup.jsonl" 2>/dev/null) &
pid=$!
wait_for_output "$work/nohup.jsonl"
kill -HUP "$pid"
kill -INT "$pid"
set +e; wait "$pid"; status=$?; set -e
[ "$status" = 130 ] || fail "a batch with hang-ups ignored exited $status"
set +e; "$cli" batch --jobs 1 --threshold 100 --out-dir "$work/piped" --region --sfz "$work/many" 2>/dev/null |
  head -c 1 >/dev/null; status="${PIPESTATUS[0]}"; set -e
[ "$status" = 141 ] || fail "a batch whose reader went away exited $status"
[ -z "$(find "$work/piped" -name '.*' -print -quit)" ] || fail "a batch into a closed pipe left $(find "$work/piped" -name '.*')"
set +e; "$cli" analyze "$loop" --threshold=-1 >/dev/full 2>"$work/err"; status=$?; set -e
[ "$status" = 1 ] && grep -q "could not be written" "$work/err" || fail "a summary lost to a full disk exited $status"

# The stems of "..wav" and "...wav" must not name the output folder or its parent.
mkdir "$work/dots"
cp "$loop" "$work/dots/..wav" && cp "$loop" "$work/dots/...wav"
expect_status 0 "$cli" batch --sensitivity 70 --out-dir "$work/b6/out" --region "$work/dots"
[ "$(cd "$work/b6" && find . | LC_ALL=C sort | tr '\n' ' ')" = ". ./out ./out/_. ./out/_.. ./out/_../..-region.wav ./out/_./.-region.wav " ] ||
  fail "dot stems wrote $(cd "$work/b6" && find .)"
echo "cli library: all checks passed"
