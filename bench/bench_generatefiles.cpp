// Times the table path of the defines generation (computing the sine/cosine
// words and writing cos_sin_lut.dat) for the deepest table the dialog allows,
// against writing the same bytes with a plain buffered write.
#include "cossinlut.h"
#include "dds2dlg.h"
#include "devicecatalogue.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The best of `runs` timings of `work`, in microseconds.
template<typename F>
double bestMicroseconds(int runs, F work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!work())
            return -1;
        times.push_back(timer.nsecsElapsed() / 1000.0);
    }
    return *std::min_element(times.begin(), times.end());
}

// Into a new file, as the generator writes, so that neither waits for the
// write-back of the previous round.
bool plainWrite(const QString &path, const QByteArray &bytes)
{
    std::remove(QFile::encodeName(path).constData());
    FILE *file = std::fopen(QFile::encodeName(path).constData(), "w");
    if (!file)
        return false;
    const bool ok = std::fwrite(bytes.constData(), 1, bytes.size(), file) == size_t(bytes.size());
    return std::fclose(file) == 0 && ok;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? QByteArray(argv[1]).toInt() : 50;
    // The widths of the deepest table: P = 16, W = 25, no truncation.
    const int W = 25, P = 16, T = 0;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});

    QTemporaryDir dir;
    QMap<QString, QVariant> info{{QStringLiteral("ipcore.id"), QStringLiteral("dds_ii")},
                                 {QStringLiteral("ipcore.name"), QStringLiteral("dds_ii")}};
    IPDDSYN::dds2dlg dialog(info);
    dialog.setCreating(dir.path(), DEV::DeviceCatalogue::find(QStringLiteral("RQ3B/RQ4K-01")));
    QStringList errors;
    dialog.setProperty(
            {{QStringLiteral("ConfiguationOptions"), QStringLiteral("SIN COS LUT Only")}}, errors);
    dialog.setProperty(
            {{QStringLiteral("ParameterSelection"), QStringLiteral("Hardware Parameters")}},
            errors);
    dialog.setProperty({{QStringLiteral("NoiseShaping_hard"), QStringLiteral("None")}}, errors);
    dialog.setProperty({{QStringLiteral("PhaseWidth"), QString::number(P)}}, errors);
    dialog.setProperty({{QStringLiteral("OutputWidth"), QString::number(W)}}, errors);
    const QString work = dir.path() + QStringLiteral("/temp/dds_ii");
    if (!errors.isEmpty() || !QDir().mkpath(work)) {
        std::fprintf(stderr, "setup failed: %s\n", qPrintable(errors.join(QLatin1Char('\n'))));
        return 1;
    }
    // The dialog's own path must reach the same table.
    if (!dialog.generateCoreFiles()) {
        std::fprintf(stderr, "generateCoreFiles failed\n");
        return 1;
    }
    QFile table(work + QStringLiteral("/cos_sin_lut.dat"));
    if (!table.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = table.readAll();
    table.close();

    const double generated
            = bestMicroseconds(runs, [&] { return dialog.generateCosSinLutFile(W, P, T); });
    const double words = bestMicroseconds(
            runs, [&] { return !IPDDSYN::Generation::cosSinLutWords(W, P, T).isEmpty(); });
    const double plain = bestMicroseconds(
            runs, [&] { return plainWrite(work + QStringLiteral("/plain.dat"), bytes); });
    const double qfile = bestMicroseconds(runs, [&] {
        QFile file(work + QStringLiteral("/qfile.dat"));
        QFile::remove(file.fileName());
        return file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate)
               && file.write(bytes) == bytes.size();
    });
    const double whole
            = bestMicroseconds(qMax(1, runs / 10), [&] { return dialog.generateCoreFiles(); });
    if (generated < 0 || words < 0 || plain < 0 || qfile < 0 || whole < 0)
        return 1;
    std::printf("table: N = %d entries, %d lines, %d bytes\n",
                1 << (P - T),
                int(bytes.count('\n')),
                int(bytes.size()));
    std::printf("generateCosSinLutFile (words + file): %10.1f us\n", generated);
    std::printf("  of which the words alone:           %10.1f us\n", words);
    std::printf("plain buffered write of the bytes:    %10.1f us\n", plain);
    std::printf("QFile write of the bytes:             %10.1f us\n", qfile);
    std::printf("ratio:                                %10.2f\n", generated / plain);
    std::printf("generateCoreFiles (all files):        %10.1f us\n", whole);
    return 0;
}
