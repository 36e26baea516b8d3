// Takes the README's pictures: the main window on a generated project, and the
// generator dialog's three tabs and its help page. Run by scripts/screenshots.sh.

#include "editormanager.h"
#include "mainwindow.h"
#include "pluginregistry.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

bool save(QWidget *widget, const QString &file, QTextStream &err)
{
    if (widget->grab().save(file))
        return true;
    err << "ipgen_screenshots: cannot write \"" << file << "\".\n";
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
        err << "Usage: ipgen_screenshots PROJECT_DIR IMAGE_DIR\n"
               "PROJECT_DIR holds a core that 'ipgen generate' made; the pictures go to "
               "IMAGE_DIR.\n";
        return 2;
    }
    const QDir project(args.at(1));
    const QDir images(args.at(2));
    const QString config = project.filePath(QStringLiteral("dds_ii.ipc"));
    if (!QFileInfo(config).isFile() || !QDir().mkpath(images.path())) {
        err << "ipgen_screenshots: no \"" << config << "\", or \"" << images.path()
            << "\" cannot be made.\n";
        return 2;
    }
    // The user's own settings stay untouched.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings().setValue(QStringLiteral("directory"), project.absolutePath());
    QSettings().setValue(QStringLiteral("device"), QStringLiteral("RQ3B/RQ4K-01"));

    MainWindow window(PluginRegistry::defaultPluginDir());
    window.resize(1100, 700);
    window.show();
    Core::EditorManager::openEditor(project.filePath(QStringLiteral("dds_ii_tmp.v")), true);
    Core::EditorManager::openEditor(project.filePath(QStringLiteral("dds_ii.v")), true);
    bool ok = true;
    QTimer::singleShot(500, &window, [&] {
        ok = save(&window, images.filePath(QStringLiteral("main_window.png")), err);
        // The dialog runs modally inside openConfigurationFile; picture it from there.
        QTimer::singleShot(500, &window, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            auto *tabs = dialog ? dialog->findChild<QTabWidget *>(QStringLiteral("tabs")) : nullptr;
            if (!tabs) {
                err << "ipgen_screenshots: the generator dialog did not open.\n";
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
