#ifndef PEERBENCH_H
#define PEERBENCH_H

class Summary;

// The peer library's colour map per value and its scale widget's repaints of our shapes.
// The peer exists for Qt 5 only: a build against Qt 6 registers nothing and says so.
void registerPeerBenchmarks(Summary &summary);

#endif // PEERBENCH_H
