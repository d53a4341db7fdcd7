// The two functions the host looks up by their plain names after loading the plug-in.

#include "mirelvaluecolorconverter.h"

#include <QtGlobal>

extern "C" {

Q_DECL_EXPORT BaseExternWidget *createExternWidget(QWidget *parent)
{
    return new MirelValueColorConverter(parent);
}

Q_DECL_EXPORT const char *getVersionString()
{
    return "4";
}

} // extern "C"
