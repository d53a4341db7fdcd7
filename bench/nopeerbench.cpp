#include "peerbench.h"

#include <iostream>

// The peer library is built for Qt 5 only; against Qt 6 the ratios to it stay empty.
void registerPeerBenchmarks(Summary &)
{
    std::cerr << "peer benchmarks not built: the peer library exists for Qt 5 only\n";
}
