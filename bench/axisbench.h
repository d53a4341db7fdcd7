#ifndef AXISBENCH_H
#define AXISBENCH_H

// ValueAxis::prepare for both scales, with and without labels, in both orientations.
void registerAxisBenchmarks();

#endif // AXISBENCH_H
