// Libraries that look like plug-ins but are broken: built with NULL_FACTORY, the factory
// gives no adapter; built without, the library has only the version entry point.

#include <QtGlobal>

class BaseExternWidget;
QT_FORWARD_DECLARE_CLASS(QWidget)

extern "C" {
#ifdef NULL_FACTORY
Q_DECL_EXPORT BaseExternWidget *createExternWidget(QWidget *)
{
    return nullptr;
}
#endif
Q_DECL_EXPORT const char *getVersionString()
{
    return "0";
}
}
