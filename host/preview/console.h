#ifndef CONSOLE_H
#define CONSOLE_H

#include "exitcode.h"

#include <QString>

// The tool's two output channels. Every line is flushed at once, so that a reader on a pipe
// (a test, a panel engineer's tail) sees signals and results as they happen.
namespace Console {
// results, listings and host signals, on stdout
void printLine(const QString &line);
// one failure, on stderr: "ewo-preview: culprit: message"
void printFailure(const Failure &failure);
} // namespace Console

#endif // CONSOLE_H
