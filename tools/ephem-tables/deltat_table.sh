#!/usr/bin/env bash
# Writes data/sources/ephemeris/deltat_1800_2200.txt: TT - UT at 1 January of each year
# 1800-2200, as the accuracy reference (the Swiss Ephemeris test program, Debian package
# swetest) prints it: observed values to the mid-2020s, a smooth extrapolation after. Our
# positions for a UT instant then agree with the reference's without a clock offset.
set -euo pipefail
cd "$(dirname "$0")/../.."
command -v swetest >/dev/null || { echo "needs swetest (apt-get install swetest swe-basic-data)"; exit 1; }
out=data/sources/ephemeris/deltat_1800_2200.txt
{
  echo "# year  TT-UT (s) at 1 January 0h UT"
  for y in $(seq 1800 2200); do
    printf '%d %s\n' "$y" "$(swetest -b1.1.$y -ut0:00 -p0 2>/dev/null | awk '/delta t:/ {print $5}')"
  done
} > "$out"
echo "wrote $out"
