// ewo-preview in a real X server: the test starts its own Xvfb, clicks the window with
// xdotool and checks that the host signals arrive with the right button code and global
// position. Every step waits for its condition (the server's own word that it listens, the
// window mapped, a line printed), bounded only so that a failure ends; every process the test
// starts is killed at its end.

#include "previewrun.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// How long a step may take before the test gives up on it: far beyond what it needs even on a
// loaded machine with sanitizers; only a step that never happens reaches it.
constexpr int stepLimitMs = 30000;

// A child process that is ended when it goes out of scope, whatever the test's outcome:
// asked first, so that an X server removes its lock file and socket (a killed one leaves
// them, and they would hold the display number), then killed.
class OwnedProcess : public QProcess
{
public:
    ~OwnedProcess() override
    {
        if (state() == QProcess::NotRunning)
            return;
        terminate();
        if (!waitForFinished(2000)) {
            kill();
            waitForFinished(2000);
        }
    }
};

// Runs a short command to its end: true when it succeeded, with its stdout.
bool runTool(const QString &program, const QStringList &arguments,
             const QProcessEnvironment &environment, QString &output)
{
    OwnedProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(stepLimitMs);
    output = QString::fromUtf8(process.readAllStandardOutput()).trimmed() +
            QString::fromUtf8(process.readAllStandardError()).trimmed();
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The next line of the process's stdout, as soon as it is there; false when the process ends
// or the step's time runs out first.
bool nextLine(QProcess &process, QString &line)
{
    const QDeadlineTimer deadline(stepLimitMs);
    while (!process.canReadLine()) {
        if (process.state() == QProcess::NotRunning ||
            !process.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    line = QString::fromUtf8(process.readLine()).trimmed();
    return true;
}

} // namespace

class tst_PreviewWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void clicksBecomeHostSignals();
    void windowAtRatio();

private:
    bool startXvfb();
    bool showPreview(OwnedProcess &preview, const QStringList &arguments, QString &window);
    static bool waitForLine(QProcess &process, const QString &expected, QString &seen);
    bool xdotool(const QStringList &arguments, QString &output) const;

    std::unique_ptr<OwnedProcess> xvfb;
    QProcessEnvironment environment;
    QString xvfbPath;
    QString xdotoolPath;
};

void tst_PreviewWindow::initTestCase()
{
#if defined(Q_OS_WIN)
    // Under Wine the window would be Wine's X11 window, but the test matches it to the
    // preview by its Windows process id, which X11 and xdotool never see.
    QTest::qSkip("the real-window test drives X11 with Xvfb and xdotool; not on Windows", __FILE__,
                 __LINE__);
    return;
#endif
    xvfbPath = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    xdotoolPath = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    // QSKIP itself is a variadic macro that clang's -Wpedantic rejects with one argument.
    if (xvfbPath.isEmpty() || xdotoolPath.isEmpty()) {
        QTest::qSkip("Xvfb or xdotool is not installed (scripts/setup.sh installs both)", __FILE__,
                     __LINE__);
        return;
    }
    QVERIFY2(startXvfb(), "no Xvfb display could be started");
}

void tst_PreviewWindow::cleanupTestCase()
{
    xvfb.reset();
}

// The server picks a free display itself and writes its number once it accepts connections
// (-displayfd), so that the test neither takes a display another run is starting nor talks
// to a server that does not listen yet.
bool tst_PreviewWindow::startXvfb()
{
    xvfb = std::make_unique<OwnedProcess>();
    xvfb->start(xvfbPath,
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp")});
    QString line;
    if (!nextLine(*xvfb, line))
        return false;
    bool isNumber = false;
    const int display = line.toInt(&isNumber);
    if (!isNumber)
        return false;
    environment = PreviewRun::environment();
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return true;
}

bool tst_PreviewWindow::xdotool(const QStringList &arguments, QString &output) const
{
    return runTool(xdotoolPath, arguments, environment, output);
}

// Reads the process's stdout until a line equal to `expected` arrives; `seen` collects what
// was read, so that a failure shows what came instead.
bool tst_PreviewWindow::waitForLine(QProcess &process, const QString &expected, QString &seen)
{
    seen.clear();
    QString line;
    while (nextLine(process, line)) {
        seen += line + QLatin1Char('\n');
        if (line == expected)
            return true;
    }
    seen = QStringLiteral("no \"%1\" in:\n%2").arg(expected, seen);
    return false;
}

// Starts the preview with `arguments` and finds its panel once it is mapped: no click goes
// elsewhere, and Qt's other windows of the process (never mapped) are not found. On failure
// `window` says what went wrong. The test ends the preview; --quit-after only ends one that a
// crashed test left behind, as late as CTest would end the test.
bool tst_PreviewWindow::showPreview(OwnedProcess &preview, const QStringList &arguments,
                                    QString &window)
{
    preview.setProcessEnvironment(environment);
    preview.start(QStringLiteral(PREVIEW_EXE),
                  arguments +
                          QStringList{QStringLiteral("--quit-after"), QStringLiteral("120000")});
    if (!preview.waitForStarted(stepLimitMs)) {
        window = QStringLiteral("the preview did not start");
        return false;
    }
    if (!xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                  QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                  QString::number(preview.processId())},
                 window)) {
        window.prepend(QStringLiteral("the preview window did not appear: "));
        return false;
    }
    if (window.contains(QLatin1Char('\n'))) {
        window.prepend(QStringLiteral("more than one window: "));
        return false;
    }
    return true;
}

void tst_PreviewWindow::clicksBecomeHostSignals()
{
    OwnedProcess preview;
    QString window;
    QVERIFY2(showPreview(preview, {QStringLiteral("--size"), QStringLiteral("300x60")}, window),
             qPrintable(window));
    QString output;
    // Away from the screen's corner, so that local and global positions differ.
    QVERIFY2(xdotool({QStringLiteral("windowmove"), QStringLiteral("--sync"), window,
                      QStringLiteral("200"), QStringLiteral("150")},
                     output),
             qPrintable(output));
    QVERIFY2(xdotool({QStringLiteral("getwindowgeometry"), window}, output), qPrintable(output));
    const QRegularExpressionMatch position =
            QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+)")).match(output);
    QVERIFY2(position.hasMatch(), qPrintable(output));
    // a point inside the 300x60 panel, in screen coordinates
    const int x = position.captured(1).toInt() + 40;
    const int y = position.captured(2).toInt() + 20;
    const QString at = QStringLiteral("%1, %2").arg(x).arg(y);

    QVERIFY2(xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(x),
                      QString::number(y), QStringLiteral("click"), QStringLiteral("1")},
                     output),
             qPrintable(output));
    QVERIFY2(waitForLine(preview, QStringLiteral("mouseDown(1, %1)").arg(at), output),
             qPrintable(output));

    QVERIFY2(xdotool({QStringLiteral("click"), QStringLiteral("3")}, output), qPrintable(output));
    QVERIFY2(waitForLine(preview, QStringLiteral("mouseDown(2, %1)").arg(at), output),
             qPrintable(output));

    // Both presses in one command without pauses: Qt takes them for a double click when they
    // come within its interval (400 ms), and nothing here waits between them.
    QVERIFY2(xdotool({QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("mouseup"),
                      QStringLiteral("1"), QStringLiteral("mousedown"), QStringLiteral("1"),
                      QStringLiteral("mouseup"), QStringLiteral("1")},
                     output),
             qPrintable(output));
    QVERIFY2(waitForLine(preview, QStringLiteral("mouseDoubleClick(1, %1)").arg(at), output),
             qPrintable(output));
}

// A window at --ratio is as large on the screen as a screen scaled by the ratio makes it.
void tst_PreviewWindow::windowAtRatio()
{
    OwnedProcess preview;
    QString window;
    QVERIFY2(showPreview(preview,
                         {QStringLiteral("--size"), QStringLiteral("300x60"),
                          QStringLiteral("--ratio"), QStringLiteral("1.5")},
                         window),
             qPrintable(window));
    QString output;
    QVERIFY2(xdotool({QStringLiteral("getwindowgeometry"), window}, output), qPrintable(output));
    QVERIFY2(output.contains(QLatin1String("Geometry: 450x90")), qPrintable(output));
}

QTEST_GUILESS_MAIN(tst_PreviewWindow)
#include "tst_previewwindow.moc"
