#ifndef QUEUEDEVENTS_H
#define QUEUEDEVENTS_H

#include <QCoreApplication>

// Delivers every event Qt has queued: the window system's (exposure, activation), then the
// ones posted by those and by earlier calls (update requests, so paints). A test that checks
// what a call repaints, or what is on screen after it, calls this rather than waiting for
// some time: the offscreen platform queues nothing on its own.
inline void deliverQueuedEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

#endif // QUEUEDEVENTS_H
