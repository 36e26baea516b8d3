#include "catalogcommand.h"
#include "dialogcommand.h"
#include "estimatecommand.h"
#include "generatecommand.h"
#include "mainwindow.h"
#include "pluginregistry.h"
#include "verifycommand.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>

#include <unistd.h>

static void printUsage(QTextStream &out)
{
    out << QCoreApplication::translate(
            "ipgen",
            "Usage: ipgen [COMMAND [OPTIONS]]\n"
            "\n"
            "Without a command, ipgen opens its main window.\n"
            "\n"
            "Commands:\n"
            "  list [--device SERIES/DEVICE]   list the cores of every plug-in\n"
            "  devices                         list the target devices the host knows\n"
            "  create --device SERIES/DEVICE --dir DIR [--core ID]\n"
            "                                  configure and generate a new core instance\n"
            "  open FILE.ipc [--device SERIES/DEVICE]\n"
            "                                  reopen an instance's configuration\n"
            "  generate [CONFIG.ipc] --dir DIR  generate a core without its dialog\n"
            "  verify CONFIG.ipc               simulate a generated core and check its SFDR\n"
            "  estimate CONFIG.ipc [--part hx8k|up5k]\n"
            "                                  resources and Fmax of a generated core\n"
            "\n"
            "Common options:\n"
            "  --plugins DIR                   load plug-ins from DIR instead of ../plugins\n"
            "\n"
            "Run 'ipgen COMMAND --help' for the options of a command.\n");
}

// Commands that open no window run on the offscreen platform, so that they
// work without a display.
static bool needsDisplay(int argc, char *argv[])
{
    const QByteArray command = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    return command.isEmpty() || command == "create" || command == "open";
}

// Qt warns on every start when the session has no runtime folder; give it a
// private one so the first line a user reads is ours.
static void ensureRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir
            = QDir::tempPath() + QStringLiteral("/ipgen-runtime-") + QString::number(getuid());
    if (QDir().mkpath(dir)
        && QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
}

static QtMessageHandler qtHandler = nullptr;

// The offscreen platform warns whenever a dialog that is never shown sizes
// itself; batch output carries only the program's own messages.
static void
batchMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    qtHandler(type, context, message);
}

int main(int argc, char *argv[])
{
    ensureRuntimeDir();
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!needsDisplay(argc, argv) && !platformChosen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!needsDisplay(argc, argv))
        qtHandler = qInstallMessageHandler(batchMessageHandler);
    if (needsDisplay(argc, argv) && !platformChosen && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        const QString command
                = argc > 1 ? QLatin1Char(' ') + QString::fromLocal8Bit(argv[1]) : QString();
        std::fprintf(stderr,
                     "%s\n",
                     qPrintable(QCoreApplication::translate("ipgen",
                                                            "ipgen%1: the window needs a display; "
                                                            "set DISPLAY or run it under "
                                                            "'xvfb-run -a'.")
                                        .arg(command)));
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ipgen"));
    QApplication::setApplicationName(QStringLiteral("ipgen"));
    QApplication::setApplicationVersion(QStringLiteral("2.0"));

    QStringList args = QApplication::arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() < 2) {
        MainWindow window(PluginRegistry::defaultPluginDir());
        window.show();
        return app.exec();
    }
    if (args.at(1) == QLatin1String("--help") || args.at(1) == QLatin1String("-h")) {
        printUsage(out);
        return 0;
    }
    const QString command = args.takeAt(1);
    if (command == QLatin1String("list"))
        return runList(args, out, err);
    if (command == QLatin1String("devices"))
        return runDevices(args, out, err);
    if (command == QLatin1String("create"))
        return runCreate(args, out, err);
    if (command == QLatin1String("open"))
        return runOpen(args, out, err);
    if (command == QLatin1String("generate"))
        return runGenerate(args, out, err);
    if (command == QLatin1String("verify"))
        return runVerify(args, out, err);
    if (command == QLatin1String("estimate"))
        return runEstimate(args, out, err);
    err << QCoreApplication::translate("ipgen", "ipgen: unknown command \"%1\".").arg(command)
        << "\n\n";
    printUsage(err);
    return 2;
}
