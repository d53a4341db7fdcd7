#ifndef PANEL_H
#define PANEL_H

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

// The host panel stand-in: a plain widget of a fixed starting size whose only content is the
// plug-in's widget, laid out to fill it. Renders itself to a PNG for --png, at the device
// pixel ratio of the screen it stands for.
class Panel : public QWidget
{
    Q_OBJECT

public:
    explicit Panel(const QSize &size);

    // takes the plug-in's widget into the panel's layout (reparenting it if the plug-in put
    // it elsewhere)
    void embed(QWidget *content);
    // lays out and shows the panel, then lets pending resize and paint events run
    void showAndSettle();
    bool writePng(const QString &path, qreal ratio, QString &error);

private:
    QImage picture(qreal ratio);

    Q_DISABLE_COPY(Panel)
};

#endif // PANEL_H
