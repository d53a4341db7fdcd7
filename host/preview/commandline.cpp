#include "commandline.h"

#include <QRegularExpression>

namespace {

const char *const HelpText = R"(Usage: ewo-preview [options]

Loads an extern-widget plug-in as the host does, places it on a panel, applies property
writes and script statements in the order given, and then writes a picture (--png), lists
the plug-in (--list) or opens a window that prints every host signal it raises.

Options:
  --plugin FILE      the plug-in to load (default: widgets/MirelValueColorConverter.ewo
                     beside this executable)
  --list             print the version, signals, script methods and widget properties
  --set NAME=VALUE   write a widget property
  --call STATEMENT   run one statement, e.g. --call 'addRule(50, "{0,0,255}")'
  --script FILE      run a script: one statement a line, // comments
  --png FILE         render the panel offscreen to FILE and exit
  --size WxH         panel size in pixels (default 300x60)
  --ratio R          draw as a screen scaled by R does (1.5 for 150 %; default 1): the
                     picture has R times the panel's pixels, the window is R times larger
  --keep-going       run every statement even after a failure; exit non-zero at the end
  --quit-after MS    close the window after MS milliseconds
  -h, --help         show this text

Statements:
  NAME = VALUE       property write; VALUE is true/false/TRUE/FALSE, an integer, a float,
                     an enumeration key or number, a colour {r,g,b}, {r,g,b,a}, #rrggbb or
                     a colour name, or a "quoted string"
  name(ARG, ...)     script method call; ARG is a number, a "quoted string", a colour text
                     {r,g,b}, true/false, or a bare name: an output variable, printed after
                     the call

Exit codes:
   0  success
   1  bad command line
   2  plug-in file not found
   3  file is not a loadable library
   4  library lacks createExternWidget or getVersionString
   5  createExternWidget gave no adapter or no widget
   6  script file cannot be read
   7  malformed statement
   8  unknown property
   9  malformed value
  10  property is read-only or refused the value
  11  unknown script method
  12  script method reported an error
  13  picture cannot be written
  14  a window is wanted but there is no display (use --png FILE)
With --keep-going the code of the first failure is returned.
)";

} // namespace

QString CommandLine::helpText()
{
    return QString::fromUtf8(HelpText);
}

bool CommandLine::parse(const QStringList &arguments, PreviewOptions &options, Failure &failure)
{
    for (int i = 1; i < arguments.size(); ++i) {
        QString option = arguments.at(i);
        QString value;
        const int equals = option.indexOf(QLatin1Char('='));
        const bool inlineValue = option.startsWith(QLatin1String("--")) && equals > 0;
        if (inlineValue) {
            value = option.mid(equals + 1);
            option.truncate(equals);
        }
        if (applyFlag(option, options) && !inlineValue)
            continue;
        if (!takesValue(option)) {
            failure = {ExitCode::Usage, option, QStringLiteral("unknown option (see --help)")};
            return false;
        }
        if (!inlineValue) {
            if (++i == arguments.size()) {
                failure = {ExitCode::Usage, option, QStringLiteral("needs a value")};
                return false;
            }
            value = arguments.at(i);
        }
        if (!applyValue(option, value, options, failure))
            return false;
    }
    return true;
}

bool CommandLine::takesValue(const QString &option)
{
    static const QStringList withValue = {
            QStringLiteral("--plugin"), QStringLiteral("--set"),       QStringLiteral("--call"),
            QStringLiteral("--script"), QStringLiteral("--png"),       QStringLiteral("--size"),
            QStringLiteral("--ratio"),  QStringLiteral("--quit-after")};
    return withValue.contains(option);
}

bool CommandLine::applyFlag(const QString &option, PreviewOptions &options)
{
    if (option == QLatin1String("--list"))
        options.list = true;
    else if (option == QLatin1String("--keep-going"))
        options.keepGoing = true;
    else if (option == QLatin1String("--help") || option == QLatin1String("-h"))
        options.help = true;
    else
        return false;
    return true;
}

bool CommandLine::applyValue(const QString &option, const QString &value, PreviewOptions &options,
                             Failure &failure)
{
    if (option == QLatin1String("--plugin")) {
        options.pluginPath = value;
    } else if (option == QLatin1String("--set")) {
        options.steps.append({PreviewStep::Set, value});
    } else if (option == QLatin1String("--call")) {
        options.steps.append({PreviewStep::Call, value});
    } else if (option == QLatin1String("--script")) {
        options.steps.append({PreviewStep::Script, value});
    } else if (option == QLatin1String("--png")) {
        options.pngPath = value;
    } else if (option == QLatin1String("--size")) {
        if (!parseSize(value, options.size)) {
            failure = {ExitCode::Usage, QStringLiteral("--size %1").arg(value),
                       QStringLiteral("expected WxH with each side from 1 to 10000")};
            return false;
        }
    } else if (option == QLatin1String("--ratio")) {
        if (!parseRatio(value, options.ratio)) {
            failure = {ExitCode::Usage, QStringLiteral("--ratio %1").arg(value),
                       QStringLiteral("expected a number above 0 and at most 10")};
            return false;
        }
    } else {
        bool ok = false;
        options.quitAfterMs = value.toInt(&ok);
        if (!ok || options.quitAfterMs < 0) {
            failure = {ExitCode::Usage, QStringLiteral("--quit-after %1").arg(value),
                       QStringLiteral("expected a number of milliseconds")};
            return false;
        }
    }
    return true;
}

bool CommandLine::parseSize(const QString &text, QSize &size)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < 1 || height < 1 || width > 10000 || height > 10000)
        return false;
    size = QSize(width, height);
    return true;
}

// A device pixel ratio as screens have them (1.25, 1.5, 2, ...). Above 10 the picture of a
// large panel would not fit into memory, and no screen is scaled so far.
bool CommandLine::parseRatio(const QString &text, qreal &ratio)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !(value > 0 && value <= 10)) // NaN fails the comparison too
        return false;
    ratio = value;
    return true;
}
