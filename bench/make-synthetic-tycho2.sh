#!/usr/bin/env bash
# Builds a data folder with a synthetic Tycho-2 of the real size, the way a user adds the real
# catalogue: the generator writes catalog.dat, suppl_1.dat and index.dat in the official text
# formats, and `skyvane-data tycho2` converts them next to links to the shipped files.
#
#   bench/make-synthetic-tycho2.sh BUILD_DIR OUT_DIR
#
# OUT_DIR/source holds the text files, OUT_DIR/data the data folder for the program
# (skyvane --data OUT_DIR/data). Nothing is redone when OUT_DIR/data is complete and
# newer than the generator.
set -euo pipefail

build=${1:?usage: make-synthetic-tycho2.sh BUILD_DIR OUT_DIR}
out=${2:?usage: make-synthetic-tycho2.sh BUILD_DIR OUT_DIR}
here=$(cd "$(dirname "$0")/.." && pwd)
shipped="$here/data"
generator="$build/bench/synthetic_tycho2"
converter="$build/tools/skyvane-data/skyvane-data"

for tool in "$generator" "$converter"; do
    [ -x "$tool" ] || { echo "make-synthetic-tycho2: $tool is not built" >&2; exit 1; }
done

done_mark="$out/data/.complete"
if [ -f "$done_mark" ] && [ "$done_mark" -nt "$generator" ] && [ "$done_mark" -nt "$converter" ]; then
    echo "synthetic Tycho-2: $out/data is up to date"
    exit 0
fi

rm -rf "$out/data"
mkdir -p "$out/source" "$out/data"
echo "synthetic Tycho-2: writing the text files into $out/source"
/usr/bin/time -f "  generator: %e s, %M kB peak" "$generator" "$shipped" "$out/source"

# Every shipped file but the Tycho-2 ones, which the converter writes.
for f in "$shipped"/*; do
    case "$(basename "$f")" in
        tycho_2*|supply_1*|MANIFEST|sources) ;;
        *) ln -s "$f" "$out/data/" ;;
    esac
done

echo "synthetic Tycho-2: converting into $out/data"
/usr/bin/time -f "  skyvane-data tycho2: %e s, %M kB peak" \
    "$converter" tycho2 --catalog "$out/source/catalog.dat" --suppl "$out/source/suppl_1.dat" \
    --index "$out/source/index.dat" --resident "$shipped/SKY2000_data.skd" --out "$out/data"
touch "$done_mark"
ls -l "$out/data"/tycho_2* "$out/data"/supply_1*
