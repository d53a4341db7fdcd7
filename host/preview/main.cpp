// ewo-preview: a small host for extern-widget plug-ins, to try their properties, script
// methods, signals and look without a full host installation.

#include "commandline.h"
#include "console.h"
#include "previewapp.h"

#include <QApplication>
#include <QByteArray>
#include <QFont>
#include <QStringList>

namespace {

// On X11 or Wayland systems a window needs one of the two displays; without them Qt's
// platform plug-in would abort the process instead of failing with a message.
bool hasDisplayFor(const PreviewOptions &options)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!options.needsWindow() || qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#else
    Q_UNUSED(options)
    return true;
#endif
}

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// One panel font whatever the Qt version and platform default to (Qt 6's offscreen platform
// picks 12 pixels, Qt 5's 17): pictures of two builds then differ only where the versions'
// own text rendering does. DejaVu Sans, from fonts-dejavu-core, at 17 pixels, with vertical
// hinting, which Linux's fontconfig gives by default; Qt 6 on Windows would hint fully and
// shape and place the glyphs otherwise.
QFont panelFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(17);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

// A window at --ratio R: Qt's own scale factor, read when the application starts, scales
// the window as a screen of that factor would (times the factor of the screen it is on).
void useScaleFactor(qreal ratio)
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(ratio));
}

} // namespace

int main(int argc, char **argv)
{
    PreviewOptions options;
    Failure failure;
    // The command line is read before QApplication exists: it decides the platform.
    if (!CommandLine::parse(argumentsOf(argc, argv), options, failure)) {
        Console::printFailure(failure);
        return int(failure.code);
    }
    if (options.help) {
        Console::printLine(CommandLine::helpText());
        return int(ExitCode::Success);
    }
    if (!hasDisplayFor(options)) {
        Console::printFailure({ExitCode::NoDisplay, QStringLiteral("window"),
                               QStringLiteral("no display (DISPLAY is not set); use --png FILE")});
        return int(ExitCode::NoDisplay);
    }
    // Without a window nothing needs a display.
    if (!options.needsWindow())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else if (options.ratio != 1)
        useScaleFactor(options.ratio);
    // Qt's own options (-platform, -plugin, -style, ...) are not ours to honour: the
    // application sees the program name only.
    int applicationArgc = 1;
    QApplication application(applicationArgc, argv);
    QApplication::setFont(panelFont());
    return PreviewApp(options).run();
}
