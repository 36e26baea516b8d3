#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

/// `ipgen create` and `ipgen open`: every way to call them wrongly ends with a
/// message that says what to do, before any dialog opens.
class tst_DialogCommand : public QObject
{
    Q_OBJECT
private slots:
    void refusedCalls_data();
    void refusedCalls();
    void noDisplay();
    void createWaitsInItsDialog();
};

struct Run
{
    int exitCode = -1;
    QString err;
};

static Run ipgen(const QStringList &args, const QProcessEnvironment &env, int waitMs = 30000)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(IPGEN_BINARY), args);
    Run run;
    if (!process.waitForFinished(waitMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

static QProcessEnvironment offscreen()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

void tst_DialogCommand::refusedCalls_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString device = QStringLiteral("RQ3B/RQ4K-01");
    QTest::newRow("unknown device") << QStringList{"create", "--device", "XX/YY", "--dir", "/tmp/x"}
                                    << 2 << "unknown device \"XX/YY\"; 'ipgen devices'";
    QTest::newRow("no directory") << QStringList{"create", "--device", device} << 2
                                  << "both --device SERIES/DEVICE and --dir DIR are needed";
    QTest::newRow("no device") << QStringList{"create", "--dir", "/tmp/x"} << 2
                               << "both --device SERIES/DEVICE and --dir DIR are needed";
    QTest::newRow("directory is a file")
            << QStringList{"create", "--device", device, "--dir", IPGEN_BINARY} << 2
            << "is a file; --dir needs a directory";
    QTest::newRow("unknown core")
            << QStringList{"create", "--device", device, "--dir", "/tmp/x", "--core", "nco"} << 1
            << "no core \"nco\" among the plug-ins (found: dds_ii)";
    QTest::newRow("unsupported device")
            << QStringList{"create", "--device", "RQ1A/RQ1A-01", "--dir", "/tmp/x"} << 1
            << "core \"dds_ii\" does not support device RQ1A/RQ1A-01";
    QTest::newRow("unknown option") << QStringList{"create", "--colour", "red"} << 2
                                    << "'ipgen create --help' lists the options";
    QTest::newRow("open without file")
            << QStringList{"open"} << 2 << "name exactly one configuration file (.ipc)";
    QTest::newRow("open missing file") << QStringList{"open", "/nonexistent/dds_ii.ipc"} << 2
                                       << "\"/nonexistent/dds_ii.ipc\" does not exist";
    QTest::newRow("open with unknown device")
            << QStringList{"open", IPGEN_BINARY, "--device", "RQ3B/none"} << 2
            << "unknown device \"RQ3B/none\"";
}

void tst_DialogCommand::refusedCalls()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = ipgen(args, offscreen());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
}

void tst_DialogCommand::noDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const Run run = ipgen({"create", "--device", "RQ3B/RQ4K-01", "--dir", "/tmp/x"}, env);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(QStringLiteral("needs a display")), qPrintable(run.err));
}

// A good call gets as far as the modal dialog, which waits for the user.
void tst_DialogCommand::createWaitsInItsDialog()
{
    QTemporaryDir out;
    const Run run
            = ipgen({"create", "--device", "RQ3B/RQ4K-01", "--dir", out.path()}, offscreen(), 3000);
    QCOMPARE(run.exitCode, -1);
    QVERIFY(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

QTEST_GUILESS_MAIN(tst_DialogCommand)
#include "tst_dialogcommand.moc"
