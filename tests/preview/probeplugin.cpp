// A second plug-in, unrelated to the colour scale, written against the same host interface:
// ewo-preview must drive it by names alone. Its widget has one property of each kind the
// tool converts, and its methods cover typed, untyped and output arguments.

#include <BaseExternWidget.hxx>

#include <QColor>
#include <QPainter>
#include <QWidget>

class ProbeWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(Shape shape MEMBER shape)
    Q_PROPERTY(bool filled MEMBER filled)
    Q_PROPERTY(int count MEMBER count)
    Q_PROPERTY(double level MEMBER level)
    Q_PROPERTY(QColor fill MEMBER fill)
    Q_PROPERTY(QString caption MEMBER caption)
    Q_PROPERTY(int area READ area)

public:
    enum Shape { Round = 0, Square = 3 };
    Q_ENUM(Shape)

    using QWidget::QWidget;
    int area() const { return width() * height(); }

    Shape shape = Round;
    bool filled = false;
    int count = 0;
    double level = 0.0;
    QColor fill = Qt::black;
    QString caption;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), fill); }
};

class ProbeAdapter : public BaseExternWidget
{
    Q_OBJECT

public:
    explicit ProbeAdapter(QWidget *parent)
        : BaseExternWidget(parent), probe(new ProbeWidget(parent))
    { }

    QWidget *widget() const override { return probe; }
    QStringList methodList() const override
    {
        return {QStringLiteral("bool paint(string color)"), QStringLiteral("string echo(x)"),
                QStringLiteral("int split(string text, dyn_string &parts)")};
    }
    // the host interface's QVariant::Type, deprecated in Qt 6
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    bool methodInterface(const QString &name, QVariant::Type &returnType,
                         QList<QVariant::Type> &argTypes) const override
    {
        if (name != QLatin1String("paint"))
            return false;
        returnType = QVariant::Bool;
        argTypes.append(QVariant::Color);
        return true;
    }
    QT_WARNING_POP
    // paint(colour): fills the widget; echo(x): the argument's type and value as received;
    // split(text, parts): the words of text
    QVariant invokeMethod(const QString &name, QList<QVariant> &values, QString &error) override
    {
        if (name == QLatin1String("paint") && hasNumArgs(name, values, 1, error)) {
            probe->fill = values.at(0).value<QColor>();
            probe->update();
            return true;
        }
        if (name == QLatin1String("echo") && hasNumArgs(name, values, 1, error))
            return QStringLiteral("%1 %2").arg(QString::fromLatin1(values.at(0).typeName()),
                                               values.at(0).toString());
        if (name == QLatin1String("split") && hasNumArgs(name, values, 2, error)) {
            const QStringList parts = values.at(0).toString().split(QLatin1Char(' '));
            values[1] = QVariant(QVariantList(parts.cbegin(), parts.cend()));
            return parts.size();
        }
        return error.isEmpty() ? BaseExternWidget::invokeMethod(name, values, error) : QVariant();
    }

private:
    ProbeWidget *probe;
};

extern "C" {
Q_DECL_EXPORT BaseExternWidget *createExternWidget(QWidget *parent)
{
    return new ProbeAdapter(parent);
}
Q_DECL_EXPORT const char *getVersionString()
{
    return "probe 1";
}
}

#include "probeplugin.moc"
