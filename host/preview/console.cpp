#include "console.h"

#include <cstdio>

namespace Console {

void printLine(const QString &line)
{
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

void printFailure(const Failure &failure)
{
    const QString line =
            QStringLiteral("ewo-preview: %1: %2\n").arg(failure.culprit, failure.message);
    std::fputs(line.toUtf8().constData(), stderr);
    std::fflush(stderr);
}

} // namespace Console
