#!/usr/bin/env bash
# Makes proj_reference.txt: points of the plane-rectangular zone VI (EPSG:6674, X north, Y east,
# metres) converted to JGD2011 latitude and longitude (EPSG:6668) by PROJ's cs2cs.
# Needs Debian's proj-bin. Each output line: X Y latitude longitude.
set -euo pipefail
cd "$(dirname "$0")"
{
  for x in $(seq -300000 25000 150000); do
    for y in $(seq -120000 20000 120000); do
      echo "$x $y"
    done
  done
  # A few points off the grid.
  printf '%s\n' "-100000 -20000" "100000 50000" "12345.678 -54321.987" "-287654.3 118765.4" \
    "149999.9 -119999.9" "0.001 0.001" "-1 1"
} > /tmp/proj_points.$$
cs2cs -f %.12f EPSG:6674 EPSG:6668 < /tmp/proj_points.$$ | paste -d' ' /tmp/proj_points.$$ - |
  awk '{ print $1, $2, $3, $4 }' > proj_reference.txt
rm -f /tmp/proj_points.$$
