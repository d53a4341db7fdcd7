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

// The panel as a screen of that device pixel ratio shows it, as QWidget::grab() takes it
// there: the widgets draw into a picture of ratio times the panel's size that carries the
// ratio, so the plug-in paints device pixels itself rather than being scaled afterwards. The
// picture's resolution is the ratio times the screen's, so that a viewer that honours it
// shows the panel at its size.
QImage Panel::picture(qreal ratio)
{
    QPixmap pixmap(size() * ratio);
    if (pixmap.isNull())
        return {};
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(palette().color(backgroundRole()));
    render(&pixmap);
    QImage image = pixmap.toImage();
    image.setDotsPerMeterX(qRound(image.dotsPerMeterX() * ratio));
    image.setDotsPerMeterY(qRound(image.dotsPerMeterY() * ratio));
    return image;
}

bool Panel::writePng(const QString &path, qreal ratio, QString &error)
{
    QCoreApplication::processEvents();
    const QImage image = picture(ratio);
    if (image.isNull()) {
        error = QStringLiteral("cannot make a picture of %1x%2 pixels")
                        .arg(qRound(width() * ratio))
                        .arg(qRound(height() * ratio));
        return false;
    }
    if (image.save(path, "PNG"))
        return true;
    const QFileInfo info(path);
    error = info.dir().exists()
            ? QStringLiteral("cannot write the picture")
            : QStringLiteral("cannot write the picture: no folder %1").arg(info.dir().path());
    return false;
}
