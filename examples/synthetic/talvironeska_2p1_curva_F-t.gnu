# Curva de empuxo. As linhas 1 a 6 são suas; cada execução reescreve as linhas 7 e 8.
set xlabel 't [s]'; set ylabel 'F [N]'
set grid; set style data lines
set linetype 1 linewidth 2
# No Windows, a linha 6 deixa a janela do gráfico aberta até você fechá-la (veja LEIA-ME.txt).
if (strstrt(GPVAL_TERMINALS, "windows") > 0) { if (strstrt(GPVAL_TERMINALS, "wxt") > 0) { set terminal wxt persist } else { set terminal qt persist } }
