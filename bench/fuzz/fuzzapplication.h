#pragma once

#include <QApplication>

#include <memory>

namespace IPCore {
class MessageBoxAnswerer;
}

/// The offscreen application a fuzz target runs its dialogs in: message
/// boxes are answered at once and Qt's messages are dropped, so that the
/// fuzzer's own output stays readable.
class FuzzApplication
{
public:
    FuzzApplication();
    ~FuzzApplication();

private:
    int m_argc = 1;
    char m_name[8] = "fuzzer";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
    std::unique_ptr<IPCore::MessageBoxAnswerer> m_answerer;
};
