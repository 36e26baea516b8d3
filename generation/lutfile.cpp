#include "dds2dlg.h"

#include "cossinlut.h"

#include <QDebug>
#include <QFile>

namespace IPDDSYN {

bool dds2dlg::generateCosSinLutFile(int W, int P, int T)
{
    qDebug() << W << P << T;
    const QVector<quint64> words = Generation::cosSinLutWords(W, P, T);
    // A table of fewer than two entries has no word to write.
    if (words.isEmpty())
        return false;
    QFile file(workingDirectory() + QLatin1String("/cos_sin_lut.dat"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return false;
    QByteArray text;
    text.reserve(words.size() * 14);
    for (quint64 word : words)
        text += QByteArray::number(word, 16) + '\n';
    file.write(text);
    file.close();
    return true;
}

} // namespace IPDDSYN
