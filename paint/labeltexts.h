#ifndef LABELTEXTS_H
#define LABELTEXTS_H

#include <QFont>
#include <QStaticText>
#include <QString>
#include <QVector>

QT_FORWARD_DECLARE_CLASS(QPainter)
QT_FORWARD_DECLARE_CLASS(QPoint)

// Draws the short texts of a repaint (an axis's labels) with the pixels of QPainter::drawText,
// keeping each text's layout from one repaint to the next: formatting, measuring and shaping
// a dozen labels cost more than all the rest of a repaint.
//
// A kept layout is drawn as QStaticText, laid out in the painter's text direction, which
// places its glyphs exactly where drawText does under a scale (a device pixel ratio among
// them) and a translation by whole device pixels, once its base line is on a device pixel
// row as drawText puts it; under any other transform the text goes to drawText, and layouts
// made there have none. The layouts hold for one font, resolution, device pixel ratio and
// text direction of the painter: begin() drops them when any of these changes, and the owner
// drops them when its texts change.
class LabelTexts
{
public:
    // false lays every text out anew and draws it with drawText, for comparison
    void setKept(bool keep);
    void clear();

    // at the start of every drawing
    void begin(const QPainter &painter);
    // `text`, the slot-th of a drawing, with its base line starting at `at`; a slot that held
    // another text gets it laid out anew, and the slots kept after it are dropped
    void draw(QPainter &painter, const QPoint &at, int slot, const QString &text);

private:
    struct Kept
    {
        QString text;
        QStaticText layout;
    };

    const Kept &laidOut(int slot, const QString &text);
    static qreal baseLineOnDeviceRow(const QPainter &painter, int y);

    bool kept = true;
    QVector<Kept> texts;
    QFont font;
    int dpiX = 0;
    int dpiY = 0;
    qreal ratio = 0;
    Qt::LayoutDirection direction = Qt::LayoutDirectionAuto;
    qreal ascent = 0;
    bool asStaticText = false;
};

#endif // LABELTEXTS_H
