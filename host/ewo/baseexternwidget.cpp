#include "BaseExternWidget.hxx"

#include <QWidget>

BaseExternWidget::BaseExternWidget(QWidget *parent) : QObject(parent)
{ }

BaseExternWidget::~BaseExternWidget() = default;

QStringList BaseExternWidget::signalList() const
{
    return {};
}

// The host's type descriptions are QVariant::Type, deprecated in Qt 6.
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED

bool BaseExternWidget::signalInterface(const QString &, QList<QVariant::Type> &) const
{
    return false;
}

QStringList BaseExternWidget::methodList() const
{
    return {};
}

bool BaseExternWidget::methodInterface(const QString &, QVariant::Type &,
                                       QList<QVariant::Type> &) const
{
    return false;
}

QT_WARNING_POP

QVariant BaseExternWidget::invokeMethod(const QString &name, QList<QVariant> &, QString &error)
{
    error = QStringLiteral("unknown method %1").arg(name);
    return {};
}

bool BaseExternWidget::hasNumArgs(const QString &name, const QList<QVariant> &values, int count,
                                  QString &error)
{
    if (values.size() >= count)
        return true;
    error = QStringLiteral("%1: %2 arguments required, %3 given")
                    .arg(name)
                    .arg(count)
                    .arg(values.size());
    return false;
}
