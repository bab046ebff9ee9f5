// Result viewing: gnuplot on the plot script and the text editor on the result
// files, one after the other. Each launch is waited for; its result is not
// examined: a viewer that cannot be started does not stop the run.
#ifndef TALVIRONESKA_RUN_RESULT_VIEWING_H_
#define TALVIRONESKA_RUN_RESULT_VIEWING_H_

#include "core/run_context.h"

// "Wgnuplot talvironeska_2p1_curva_F-t.gnu", only when the plot option is 1;
// called right after the plot script has been written.
void launch_plot_viewer(const RunContext& rc);

// "Notepad " + trimmed case name + "_saida_A.txt", then, when the curve
// listing option is 1, the same with "_saida_B.txt"; each file name goes in
// as one word (command_word()), so a plain name stays as it is.
void view_results(const RunContext& rc);

#endif  // TALVIRONESKA_RUN_RESULT_VIEWING_H_
