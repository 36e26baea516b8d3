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

/// The last line of a failing check: `return fail(error, tr("..."));`.
inline bool fail(QString &error, const QString &message)
{
    error = message;
    return false;
}

} // namespace IPCore
