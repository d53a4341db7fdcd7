#include "panel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QVBoxLayout>

Panel::Panel(const QSize &size)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    resize(size);
}

void Panel::embed(QWidget *content)
{
    if (content->parentWidget() != this)
        content->setParent(this);
    layout()->addWidget(content);
}

void Panel::showAndSettle()
{
    layout()->activate();
    show();
    QCoreApplication::processEvents();
}

bool Panel::writePng(const QString &path, QString &error)
{
    QCoreApplication::processEvents();
    const QPixmap picture = grab();
    if (picture.save(path, "PNG"))
        return true;
    const QFileInfo info(path);
    error = info.dir().exists()
            ? QStringLiteral("cannot write the picture")
            : QStringLiteral("cannot write the picture: no folder %1").arg(info.dir().path());
    return false;
}
