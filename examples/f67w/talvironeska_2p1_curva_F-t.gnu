# Thrust curve. Lines 1-6 are yours; each run rewrites lines 7 and 8.
set xlabel 't [s]'
set ylabel 'F [N]'
set grid
set style data lines
set linetype 1 linewidth 2
