#ifndef QTCOMPAT_H
#define QTCOMPAT_H

// The one call the preview host makes whose form differs between Qt 5 and Qt 6, said once.
// Everything else uses the API that both versions share.

#include <QMetaType>
#include <QVariant>

namespace QtCompat {

// QVariant::convert to the type with this id: an int in Qt 5, a QMetaType in Qt 6.
inline bool convert(QVariant &value, int typeId)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return value.convert(QMetaType(typeId));
#else
    return value.convert(typeId);
#endif
}

} // namespace QtCompat

#endif // QTCOMPAT_H
