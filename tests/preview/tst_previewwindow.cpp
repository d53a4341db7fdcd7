// ewo-preview in a real X server: the test starts its own Xvfb, clicks the window with
// xdotool and checks that the host signals arrive with the right button code and global
// position. Every wait is bounded; every process the test starts is killed at its end.

#include "previewrun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// A child process that is killed when it goes out of scope, whatever the test's outcome.
class OwnedProcess : public QProcess
{
public:
    ~OwnedProcess() override
    {
        if (state() != QProcess::NotRunning) {
            kill();
            waitForFinished(2000);
        }
    }
};

// runs a short command to its end; its stdout, or an empty text on failure or timeout
QString runTool(const QString &program, const QStringList &arguments,
                const QProcessEnvironment &environment)
{
    OwnedProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(5000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

class tst_PreviewWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void clicksBecomeHostSignals();

private:
    bool startXvfb();
    QString waitForLine(QProcess &process, const QString &expected, int timeoutMs);
    QString xdotool(const QStringList &arguments) const;

    std::unique_ptr<OwnedProcess> xvfb;
    QProcessEnvironment environment;
    QString xdotoolPath;
};

void tst_PreviewWindow::initTestCase()
{
    const QString xvfbPath = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    xdotoolPath = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfbPath.isEmpty() || xdotoolPath.isEmpty())
        QSKIP("Xvfb or xdotool is not installed (scripts/setup.sh installs both)");
    QVERIFY2(startXvfb(), "no Xvfb display could be started");
}

void tst_PreviewWindow::cleanupTestCase()
{
    xvfb.reset();
}

// Tries display numbers until one is free and its server is up; waits at most 5 s for each.
bool tst_PreviewWindow::startXvfb()
{
    for (int display = 91; display < 120; ++display) {
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
        if (QFileInfo::exists(socket) ||
            QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)))
            continue;
        xvfb = std::make_unique<OwnedProcess>();
        xvfb->start(QStringLiteral("Xvfb"),
                    {QStringLiteral(":%1").arg(display), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1024x768x24"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QElapsedTimer timer;
        timer.start();
        while (xvfb->state() != QProcess::NotRunning && !QFileInfo::exists(socket) &&
               timer.elapsed() < 5000)
            QTest::qWait(50);
        if (xvfb->state() != QProcess::NotRunning && QFileInfo::exists(socket)) {
            environment = PreviewRun::environment();
            environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            return true;
        }
    }
    return false;
}

QString tst_PreviewWindow::xdotool(const QStringList &arguments) const
{
    return runTool(xdotoolPath, arguments, environment);
}

// Reads the process's stdout until a line equal to `expected` arrives; returns everything
// read, so that a failure shows what came instead.
QString tst_PreviewWindow::waitForLine(QProcess &process, const QString &expected, int timeoutMs)
{
    QString seen;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (process.canReadLine() || process.waitForReadyRead(100)) {
            while (process.canReadLine()) {
                const QString line = QString::fromUtf8(process.readLine()).trimmed();
                seen += line + QLatin1Char('\n');
                if (line == expected)
                    return seen;
            }
        }
        if (process.state() == QProcess::NotRunning)
            break;
    }
    return seen + QStringLiteral("<no %1>").arg(expected);
}

void tst_PreviewWindow::clicksBecomeHostSignals()
{
    OwnedProcess preview;
    preview.setProcessEnvironment(environment);
    preview.start(QStringLiteral(PREVIEW_EXE),
                  {QStringLiteral("--size"), QStringLiteral("300x60"),
                   QStringLiteral("--quit-after"), QStringLiteral("15000")});
    QVERIFY(preview.waitForStarted(5000));

    const QString window = xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                                    QStringLiteral("--pid"), QString::number(preview.processId())})
                                   .section(QLatin1Char('\n'), 0, 0);
    QVERIFY2(!window.isEmpty(), "the preview window did not appear");
    const QString geometry = xdotool({QStringLiteral("getwindowgeometry"), window});
    const QRegularExpressionMatch position =
            QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+)")).match(geometry);
    QVERIFY2(position.hasMatch(), qPrintable(geometry));
    const int x = position.captured(1).toInt() + 40;
    const int y = position.captured(2).toInt() + 20;
    const QString at = QStringLiteral("%1, %2").arg(x).arg(y);

    QVERIFY(!xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(x),
                      QString::number(y), QStringLiteral("click"), QStringLiteral("1")})
                     .isNull());
    QString seen = waitForLine(preview, QStringLiteral("mouseDown(1, %1)").arg(at), 5000);
    QVERIFY2(!seen.contains(QLatin1String("<no ")), qPrintable(seen));

    xdotool({QStringLiteral("click"), QStringLiteral("3")});
    seen = waitForLine(preview, QStringLiteral("mouseDown(2, %1)").arg(at), 5000);
    QVERIFY2(!seen.contains(QLatin1String("<no ")), qPrintable(seen));

    xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
             QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
    seen = waitForLine(preview, QStringLiteral("mouseDoubleClick(1, %1)").arg(at), 5000);
    QVERIFY2(!seen.contains(QLatin1String("<no ")), qPrintable(seen));
}

QTEST_GUILESS_MAIN(tst_PreviewWindow)
#include "tst_previewwindow.moc"
