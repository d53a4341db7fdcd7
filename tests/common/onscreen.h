#ifndef ONSCREEN_H
#define ONSCREEN_H

#include <QBackingStore>
#include <QImage>
#include <QWidget>

// The window's device pixels as they stand in its backing store: what is on screen, stale
// pixels included, unlike a grab(), which paints everything afresh. A copy: on a scaled
// screen the store's image may only lend the window's memory. A null image where the backing
// store is not an image in memory (on the offscreen platform it is).
inline QImage onScreen(QWidget &window)
{
    QBackingStore *store = window.backingStore();
    QPaintDevice *device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return QImage();
    return static_cast<QImage *>(device)->copy();
}

#endif // ONSCREEN_H
