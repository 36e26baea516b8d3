#include "dds2dlg.h"

#include "cossinlut.h"

#include <QDebug>
#include <QFile>

#include <charconv>

namespace IPDDSYN {

bool dds2dlg::generateCosSinLutFile(int W, int P, int T)
{
    qDebug() << W << P << T;
    const QVector<quint64> words = Generation::cosSinLutWords(W, P, T);
    // A table of fewer than two entries has no word to write.
    if (words.isEmpty())
        return false;
    QFile file(workingDirectory() + QLatin1String("/cos_sin_lut.dat"));
    // A new file rather than a truncated one: truncating waits for the old
    // contents still being written back.
    QFile::remove(file.fileName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return false;
    // std::to_chars rather than QByteArray::number: ten times faster on
    // the deepest table. Lower case, no leading zeros; a word has 2W bits.
    const int lineLength = (2 * W + 3) / 4 + 1;
    QByteArray text(words.size() * lineLength, Qt::Uninitialized);
    char *end = text.data();
    for (quint64 word : words) {
        end = std::to_chars(end, end + lineLength, word, 16).ptr;
        *end++ = '\n';
    }
    text.truncate(int(end - text.data()));
    file.write(text);
    file.close();
    return true;
}

} // namespace IPDDSYN
