#!/usr/bin/env bash
# The batch calculator for Windows against the Linux one, byte for byte:
#   vergelijk.sh LINUX-PROGRAMMA WINDOWS-PROGRAMMA.exe MAP
# For the golden scenarios, a default file that each program writes itself (--nieuw) and 500 seeded
# random input records: the JSON of each, the summary and detail tables as CSV, the exit code and the
# messages on standard error (line ends aside: standard error is text to be read), and the workbook
# (--xlsx), part by part, apart from the time of writing that the workbook records. WINEPATH must
# name the folder of Qt's DLLs. Exits 1 at the first difference, with the command that shows it.
set -euo pipefail
linux="$1"
windows="$2"
map="$3"
wine=/usr/lib/wine/wine64
bron="$(cd "$(dirname "$0")/../.." && pwd)"
rm -rf "$map"
mkdir -p "$map/invoer" "$map/linux" "$map/windows"

# The inputs: the golden scenarios, a default file of each program (which must be equal too) and
# the random records.
cp "$bron"/tests/golden/*.kvl "$map/invoer/"
"$linux" --nieuw "$map/linux/nieuw.kvl"
(cd "$map/windows" && "$wine" "$windows" --nieuw nieuw.kvl)
cmp "$map/linux/nieuw.kvl" "$map/windows/nieuw.kvl"
cp "$map/linux/nieuw.kvl" "$map/invoer/standaard.kvl"
/usr/bin/python3 "$bron/tests/windows/willekeurig.py" "$bron/tests/golden/standaard.json" "$map/invoer" 500

verschil() {
  echo "Windows: $1 wijkt af van Linux: diff $2 $3" >&2
  diff "$2" "$3" | head -10 >&2 || true
  exit 1
}

# One run of both programs with the same options, from the input folder (so that the file names in
# the output are equal); compares exit code, standard output and standard error.
beide() { # name, options...
  local naam="$1"
  shift
  local l=0 w=0
  (cd "$map/invoer" && "$linux" "$@") >"$map/linux/$naam.uit" 2>"$map/linux/$naam.fout" || l=$?
  (cd "$map/invoer" && "$wine" "$windows" "$@") >"$map/windows/$naam.uit" 2>"$map/windows/$naam.fout" || w=$?
  [ "$l" = "$w" ] || { echo "Windows: $naam: afsluitcode $w, op Linux $l" >&2; exit 1; }
  cmp -s "$map/linux/$naam.uit" "$map/windows/$naam.uit" || verschil "$naam" "$map/linux/$naam.uit" "$map/windows/$naam.uit"
  sed -i 's/\r$//' "$map/windows/$naam.fout"
  cmp -s "$map/linux/$naam.fout" "$map/windows/$naam.fout" || verschil "$naam (meldingen)" "$map/linux/$naam.fout" "$map/windows/$naam.fout"
}

mapfile -t scenarios < <(cd "$map/invoer" && ls -- *.kvl)
mapfile -t records < <(cd "$map/invoer" && ls -- record*.json)
beide scenarios-json "${scenarios[@]}"
beide scenarios-csv --detail "${scenarios[@]}"
# The records that Linux computes (exit 0, or 1 for a model error) together in one run of each
# program; those it refuses one at a time, so that each shows its own message and exit code.
berekend=()
geweigerd=()
for r in "${records[@]}"; do
  c=0
  (cd "$map/invoer" && "$linux" "$r") >/dev/null 2>&1 || c=$?
  if [ "$c" -le 1 ]; then berekend+=("$r"); else geweigerd+=("$r"); fi
done
beide records-json "${berekend[@]}"
beide records-csv --detail "${berekend[@]}"
for r in "${geweigerd[@]}"; do beide "${r%.json}" "$r"; done

# The workbook: every part of the zip equal, the document's time of writing left out.
(cd "$map/invoer" && "$linux" --detail --xlsx "$map/linux/tabellen.xlsx" "${scenarios[@]}")
(cd "$map/invoer" && "$wine" "$windows" --detail --xlsx 'Z:'"${map//\//\\}"'\windows\tabellen.xlsx' "${scenarios[@]}")
/usr/bin/python3 - "$map/linux/tabellen.xlsx" "$map/windows/tabellen.xlsx" <<'EOF'
import re, sys, zipfile
def delen(pad):
    with zipfile.ZipFile(pad) as z:
        return {n: re.sub(rb"<dcterms:(created|modified)[^<]*</dcterms:\1>", b"", z.read(n)) for n in z.namelist()}
l, w = delen(sys.argv[1]), delen(sys.argv[2])
if l.keys() != w.keys():
    sys.exit(f"Windows: de werkmap heeft andere delen: {sorted(l.keys() ^ w.keys())}")
for naam in l:
    if l[naam] != w[naam]:
        sys.exit(f"Windows: werkmapdeel {naam} wijkt af van Linux")
EOF
echo "Windows: rekenuitvoer gelijk aan Linux (${#scenarios[@]} scenario's, ${#records[@]} records waarvan" \
  "${#geweigerd[@]} geweigerd; JSON, CSV, meldingen, werkmap)"
