#include "axistexts.h"

#include "axisnumbers.h"

#include <QIODevice>

#include <cmath>

QString AxisTexts::value(double value)
{
    QString text;
    stream.setString(&text, QIODevice::ReadWrite);
    stream << value;
    stream.flush();
    stream.setString(nullptr); // the stream must not keep pointing at the text
    return text;
}

QString AxisTexts::decade(int decade)
{
    if (decade == 0)
        return QStringLiteral("1");
    if (decade == 1)
        return QStringLiteral("10");
    if (decade == 2)
        return QStringLiteral("100");
    return QStringLiteral("1E%1").arg(decade);
}

QString AxisTexts::multiplier(const ScaleDivision &division)
{
    QString text;
    if (division.exponent() == 0)
        return text;
    QTextStream out(&text);
    out.setNumberFlags(QTextStream::ForceSign);
    out << "E" << AxisNumbers::clampToInt(std::rint(division.exponent()));
    out.flush();
    return text;
}

QString AxisTexts::tickLabel(bool logarithmic, const ScaleDivision::Tick &tick)
{
    if (logarithmic && tick.major)
        return decade(static_cast<int>(tick.number));
    return value(tick.value);
}
