#!/bin/sh
# Usage: command_line.sh path/to/quillmar
# The command line with no display: exit status, the message on standard error and the files
# left behind, one named case a line. A refused run leaves the existing target as it was.
set -u
bin=$(realpath "$1")
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
export XDG_RUNTIME_DIR="$dir"  # keeps Qt's note about a missing one off standard error
export XDG_CONFIG_HOME="$dir/config"  # the board settings remembered: none, the defaults
failed=0

# case: name, expected status, expected first line of standard error, files afterwards, arguments
case_() {
    name=$1 status=$2 message=$3 files=$4
    shift 4
    rm -f ./* && echo keep >kept.csv
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin" "$@" >out 2>err
    got="$? $(head -n 1 err) | $(ls | grep -v '^out$\|^err$' | tr '\n' ' ')$(head -n 1 kept.csv | tr -d "\r")"
    want="$status $message | $files"
    [ "$got" = "$want" ] || { echo "FAIL $name: got '$got', want '$want'" >&2; failed=1; }
}
keep="kept.csv keep"
S="--scale 25.5 --frets 24"
case_ version 0 "" "$keep" --version
case_ unknown 2 "quillmar: Unknown option 'bogus'." "$keep" --bogus $S --csv kept.csv
case_ no_output 2 "quillmar: nothing to write: give --csv, --dxf, --svg, --template-pdf or --report-pdf" "$keep" $S
case_ no_scale 2 "quillmar: --scale is required" "$keep" --frets 24 --csv kept.csv
case_ bad_length 2 "quillmar: invalid length '24-3/65'" "$keep" --scale 24-3/65 --frets 3 --csv kept.csv
case_ bad_method 2 "quillmar: invalid method '19tet'" "$keep" $S --method 19tet --csv kept.csv
case_ frets_refused 2 "quillmar: Number of frets must be between 1 and 1000." "$keep" --scale 648mm --frets 1001 --dxf kept.csv
case_ per_octave_refused 2 "quillmar: Please enter number of frets per octave." "$keep" $S --method 0-tet --svg kept.csv
case_ too_long 2 "quillmar: A scale length over 5000 mm is too long for a paper template." "$keep" --scale 5001mm --frets 3 --csv kept.csv --template-pdf t.pdf
case_ design_and_file 2 "quillmar: unexpected argument 'd.quillmar'" "$keep" d.quillmar --csv kept.csv
case_ design_refused 2 "quillmar: The design \"kept.csv\" cannot be opened: it is damaged or cut short (illegal value at byte 1)." "$keep" --design kept.csv --csv kept.csv
case_ board_refused 2 "quillmar: The overhang must not be negative." "$keep" $S --overhang -1mm --csv kept.csv
case_ fan_refused 2 "quillmar: The perpendicular fret must be 0 (the nut) to the last fret, 24." "$keep" $S --bass-scale 27in --perpendicular-fret 25 --dxf d.dxf
case_ fret_unfanned 2 "quillmar: --perpendicular-fret needs --bass-scale or a fanned board" "$keep" $S --perpendicular-fret 3 --dxf d.dxf
case_ bad_slots 2 "quillmar: invalid --slots 'extend:3cm'" "$keep" $S --slots extend:3cm --svg s.svg
case_ fanned 0 "" "d.dxf kept.csv t.pdf keep" $S --bass-scale 686mm --perpendicular-fret 7 --strings 7 --saddle 2,0.1in --slots short:1 --no-centre-line --dxf d.dxf --template-pdf t.pdf
[ "$(grep -c '^STRINGS$' d.dxf) $(grep -c '^CENTRE$' d.dxf) $(pdftotext t.pdf - | grep -c '27.00787 inches bass')" = "8 0 3" ] || { echo "FAIL board options" >&2; failed=1; }
case_ folder_missing 1 "quillmar: no/t.csv: the folder \"$dir/no\" does not exist, so nothing was written" "$keep" $S --dxf d.dxf --csv no/t.csv
# A write that fills the disk part way names the reason and leaves the old file.
(trap '' XFSZ; ulimit -f 8; env -u DISPLAY "$bin" $S --template-pdf kept.csv 2>err)
[ "$? $(cat err kept.csv)" = "1 quillmar: kept.csv: File too large
keep" ] || { echo "FAIL full: $(cat err)" >&2; failed=1; }
case_ every_file 0 "" "d.dxf kept.csv r.pdf s.svg t.pdf Fret No.,Nut to Fret (mm),Fret to Fret (mm)" \
    --scale 24-3/4 --frets 24 --display mm --dxf d.dxf --svg s.svg --csv kept.csv --template-pdf t.pdf --report-pdf r.pdf --paper A3

# The PDFs are Print's and Print Template's pages on the paper asked for.
for pdf in r.pdf t.pdf; do
    pdfinfo "$pdf" | grep -q '^Page size: .*(A3)' || { echo "FAIL $pdf not A3" >&2; failed=1; }
done
pdfinfo r.pdf | grep -q '^Title: *Quillmar - 628.65 millimeters - 24 frets$' || { echo "FAIL report title" >&2; failed=1; }
pdfinfo t.pdf | grep -q '^Title: *Quillmar - 628.65 millimeters - 24 frets - template$' || { echo "FAIL template title" >&2; failed=1; }
pdftotext t.pdf - | grep -q 'Scale length: 24.75 inches Method: 12th Root of 2' || { echo "FAIL template text" >&2; failed=1; }
exit $failed
