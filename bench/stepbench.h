#ifndef STEPBENCH_H
#define STEPBENCH_H

// The repaint of the 1000x60 horizontal widget with labels taken apart: painter set-up,
// erase, bar colours, bar pixels, ticks, ticks with labels and border, each measured alone,
// through the direct writes and through Qt's painter path.
void registerStepBenchmarks();

#endif // STEPBENCH_H
