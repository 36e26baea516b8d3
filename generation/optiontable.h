#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

namespace IPDDSYN {
namespace Generation {

/// How an option's value is held, and so how it is read and applied.
enum class OptionKind {
    SynthesisTool, // the dialog base's tool list, by text
    Language,      // the dialog base's language list, by index
    Check,         // a check box's state
    EnabledCheck,  // a check box's state, stored as false while the box is disabled
    Choice,        // a list's current text
    Text,          // a line edit's displayed text
    Number,        // a spin box's value
    Exclusive,     // the object name of the checked radio button below a group box
    Label,         // a label's text: read from older files, never written
};

/// One option of the core: its key in configuration files and batch jobs,
/// the object name of the widget that holds it, and the value that a file
/// without the key stands for.
struct Option
{
    QString key;
    QString widget;
    OptionKind kind;
    QVariant fallback;
};

/// Every option, in the order a stored configuration is applied: choices
/// that refill lists before the values chosen from them, the channel
/// entries last.
const QVector<Option> &options();

/// The option stored under `key`, or nullptr.
const Option *findOption(const QString &key);

/// "channel<channel + 1>_column<column>": column 1 holds the frequency entry, 2 the phase.
QString channelKey(int channel, int column);

/// Channel entries each column of the channel table has.
constexpr int ChannelCount = 16;

} // namespace Generation
} // namespace IPDDSYN
