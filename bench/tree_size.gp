# Run time against tree size, sensor and floor, for the local works of
# make bench (bench/run-bench.sh). Called with -e "dir='REPORT-DIR'"; reads
# tree-size-WORK.dat there (nodes, sensor ms, floor ms) and writes SVG to
# standard output.
set terminal svg size 760,480 dynamic font "sans,12" background rgb "white"
set title "Whole run against tree size (simulator, no delay)"
set xlabel "nodes in the monitor tree"
set ylabel "median run time (ms)"
set logscale xy
set format x "10^{%L}"
set grid
set key top left
set style data linespoints
works = "listing group grades value"
colours = "#1f77b4 #d62728 #2ca02c #9467bd"
plot for [i=1:words(works)] sprintf("%s/tree-size-%s.dat", dir, word(works, i)) \
       using 1:2 lw 2 pt 7 lc rgb word(colours, i) title sprintf("sensor, %s", word(works, i)), \
     for [i=1:words(works)] sprintf("%s/tree-size-%s.dat", dir, word(works, i)) \
       using 1:3 lw 2 pt 6 dt 2 lc rgb word(colours, i) title sprintf("floor, %s", word(works, i))
