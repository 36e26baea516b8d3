#pragma once

#include <QString>

namespace IPCore {

// How failure is reported in every layer of this code base:
// - A synchronous operation that can fail returns bool (its results go to
//   out-parameters) and writes one sentence for the user into the
//   `QString &error` it is given. It never shows the message itself.
// - An asynchronous job emits finished() exactly once and answers
//   errorString() afterwards, empty when it succeeded.
// - Only the user interface (dialogs, the main window, the batch commands)
//   shows or prints the message.
// Four forms stand beside these, each for a reason of its own:
// - Where every problem of an input is wanted at once (the options of a
//   batch job, the settings a dialog checks), the problems are appended to
//   a `QStringList &errors`, one sentence each.
// - Where the host's error list shows the tool's or the copies' messages
//   beneath the sentence, they go to a `QStringList &details` beside it.
// - The services the host offers plug-ins (makeDirs, writeIPConfig,
//   generateFile, addFilesToProject) tell the user themselves through the
//   host's display, and decode answers a non-zero code with its message: a
//   plug-in relies on these signatures as they are.
// - A record that is a job's result (the verification's spectrum quality)
//   carries the sentence that says why it could not be had, beside the values.

/// The last line of a failing check: `return fail(error, tr("..."));`.
inline bool fail(QString &error, const QString &message)
{
    error = message;
    return false;
}

} // namespace IPCore
