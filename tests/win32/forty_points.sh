#!/usr/bin/env bash
# A settings file whose table fixes forty points: a zigzag of measured
# distances, each point from the two before it, written as UTF-8 lines.
awk 'BEGIN {
  n = 40
  for (k = 1; k <= n; ++k) { x[k] = (k - 1) * 1500; y[k] = (k % 2) * 2200 + (k % 3) * 150 }
  print 10; print 20; print 900; print 700; print ""
  printf "%.1f\n", sqrt((x[2] - x[1])^2 + (y[2] - y[1])^2)
  printf "%.4f\n", atan2(y[2] - y[1], x[2] - x[1]) * 45 / atan2(1, 1)
  print n - 2
  for (k = 3; k <= n; ++k) {
    print k - 2; printf "%.1f\n", sqrt((x[k] - x[k-2])^2 + (y[k] - y[k-2])^2)
    print k - 1; printf "%.1f\n", sqrt((x[k] - x[k-1])^2 + (y[k] - y[k-1])^2)
    print k % 2
  }
}'
