// Takes the README's pictures: the main window on a generated project, the
// generator dialog's three tabs and its help page, and the spectrum that
// 'ipgen verify' drew of the core. Run by scripts/screenshots.sh.

#include "editormanager.h"
#include "mainwindow.h"
#include "pluginregistry.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Screenshots", text);
}

bool save(QWidget *widget, const QString &file, QTextStream &err)
{
    if (widget->grab().save(file))
        return true;
    err << "ipgen_screenshots: " << tr("cannot write \"%1\".").arg(file) << '\n';
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ipgen"));
    QApplication::setApplicationName(QStringLiteral("ipgen"));
    QTextStream err(stderr);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        err << tr("Usage: ipgen_screenshots PROJECT_DIR IMAGE_DIR\n"
                  "PROJECT_DIR holds one core that 'ipgen generate' made; the pictures go to "
                  "IMAGE_DIR.\n");
        return 2;
    }
    const QDir project(args.at(1));
    const QDir images(args.at(2));
    const QStringList configs = project.entryList({QStringLiteral("*.ipc")}, QDir::Files);
    if (configs.size() != 1 || !QDir().mkpath(images.path())) {
        err << "ipgen_screenshots: "
            << tr("\"%1\" holds %2 configuration files instead of one, or \"%3\" cannot be "
                  "made.")
                        .arg(project.path())
                        .arg(configs.size())
                        .arg(images.path())
            << '\n';
        return 2;
    }
    const QString config = project.filePath(configs.constFirst());
    const QString name = QFileInfo(config).completeBaseName();
    // The user's own settings stay untouched.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings().setValue(QStringLiteral("directory"), project.absolutePath());
    QSettings().setValue(QStringLiteral("device"), QStringLiteral("RQ3B/RQ4K-01"));

    MainWindow window(PluginRegistry::defaultPluginDir());
    window.resize(1100, 700);
    window.show();
    Core::EditorManager::openEditor(project.filePath(name + QStringLiteral("_tmp.v")), true);
    Core::EditorManager::openEditor(project.filePath(name + QStringLiteral(".v")), true);
    const QString spectrum = project.filePath(name + QStringLiteral("_spectrum.png"));
    const QString spectrumCopy = images.filePath(QStringLiteral("spectrum.png"));
    QFile::remove(spectrumCopy);
    bool ok = QFile::copy(spectrum, spectrumCopy);
    if (!ok)
        err << "ipgen_screenshots: "
            << tr("cannot copy \"%1\" to \"%2\"; run 'ipgen verify' on the project first.")
                        .arg(spectrum, spectrumCopy)
            << '\n';
    QTimer::singleShot(500, &window, [&] {
        ok = save(&window, images.filePath(QStringLiteral("main_window.png")), err) && ok;
        // The dialog runs modally inside openConfigurationFile; picture it from there.
        QTimer::singleShot(500, &window, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            auto *tabs = dialog ? dialog->findChild<QTabWidget *>(QStringLiteral("tabs")) : nullptr;
            if (!tabs) {
                err << "ipgen_screenshots: " << tr("the generator dialog did not open.") << '\n';
                ok = false;
            }
            const QStringList names{QStringLiteral("dialog_configuration.png"),
                                    QStringLiteral("dialog_implementation.png"),
                                    QStringLiteral("dialog_output.png")};
            for (int i = 0; tabs && i < names.size(); ++i) {
                tabs->setCurrentIndex(i);
                ok = save(dialog, images.filePath(names.at(i)), err) && ok;
            }
            auto *buttons
                    = dialog ? dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttons"))
                             : nullptr;
            if (buttons) {
                buttons->button(QDialogButtonBox::Help)->click();
                auto *help = dialog->findChild<QWidget *>(QStringLiteral("helpBrowser"));
                ok = help && save(help, images.filePath(QStringLiteral("help.png")), err) && ok;
            }
            if (dialog)
                dialog->close();
        });
        window.openConfigurationFile(config);
        window.close();
    });
    app.exec();
    return ok ? 0 : 1;
}
