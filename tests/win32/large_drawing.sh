#!/usr/bin/env bash
# A host drawing far too large for one slice of a redraw: a lattice of
# lines with circles and labels among them, as UTF-8 lines.
awk 'BEGIN {
  print "hq"; print "hk 0"
  print "hs 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100 100"
  print "lg0"; print "ly2"; print "lc2"; print "lt1"; print "lw0"; print "cn3"
  for (i = 0; i < 400; ++i) {
    for (j = 0; j < 400; ++j) {
      x = i * 250; y = j * 250
      printf " %d %d %d %d\n", x, y, x + 200, y + 170
      if ((i + j) % 8 == 0) printf "ci %d %d 60\n", x + 100, y + 100
      if ((i * 7 + j) % 40 == 0) printf "ch %d %d 1 0 \"P%d-%d\n", x, y, i, j
    }
  }
}'
