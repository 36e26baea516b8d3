#pragma once

#include "pluginregistry.h"

#include <QMainWindow>

#include <functional>

QT_BEGIN_NAMESPACE
class QAction;
class QComboBox;
class QMenu;
class QProgressDialog;
QT_END_NAMESPACE

class CataloguePanel;
class CoreEstimator;
class CoreVerifier;
class EditorArea;
class GuiServices;
class ProjectPanel;

/// The window of ipgen: the IP catalogue and the target device, the project
/// of the output directory, and the files generation opened. The device, the
/// last output directory, the recent configurations and the window's
/// geometry persist in QSettings.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(const QString &pluginDir, QWidget *parent = nullptr);
    ~MainWindow() override;

    /// Runs the chosen core's dialog for a new instance; asks for the output directory.
    void newCore();
    /// Asks for a configuration file and opens it.
    void openConfiguration();
    /// Runs the dialog of the core a configuration file (.ipc) belongs to.
    void openConfigurationFile(const QString &path);
    /// Simulates the project's generated core and shows its spectrum.
    void verifyCore();
    /// Estimates the resources and Fmax of the picked core on a reference part.
    void estimateCore();

    /// Problems met while loading the plug-ins.
    QStringList pluginProblems() const { return m_registry.problems(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void updateActions();
    void chooseDevice(int index);
    void openProjectFile(const QString &path);
    void showProject(const QStringList &added);
    void addRecent(const QString &configPath);
    void fillRecentMenu();
    /// The configuration (.ipc) of the delivered core (its .vo exists) of
    /// the project file the user picked, or when none is picked of the first
    /// project file that has one; empty when there is none.
    QString generatedCore() const;
    void showVerification();
    void showEstimate();
    /// The window-modal progress of a background job on `config`, fed by `progress`.
    template<class Job>
    void startProgress(Job *job, const QString &title, const QString &config);
    /// Starts `job` on the picked core, kept in `config`, with its progress.
    template<class Job>
    void startJob(Job *job, QAction *action, QString &config, const QString &title);
    /// Closes a job's progress; false, with the outcome shown, when the job
    /// was cancelled or ended with `error`.
    bool jobSucceeded(const QString &error,
                      const QString &cancelled,
                      const QString &failed,
                      const QString &title,
                      const QString &boxName);
    /// Closes the progress; false when the user cancelled it.
    bool endProgress();
    void showFailure(const QString &objectName, const QString &title, const QString &text);
    /// Runs a dialog of the core; says in the status bar what it delivered.
    void runDialog(const QString &dir, const std::function<void()> &run);

    PluginRegistry m_registry;
    GuiServices *m_services;
    CataloguePanel *m_catalogue;
    ProjectPanel *m_project;
    EditorArea *m_editors;
    QComboBox *m_device;
    CoreVerifier *m_verifier;
    CoreEstimator *m_estimator;
    QProgressDialog *m_progress = nullptr;
    QString m_verifying;
    QString m_estimating;
    QAction *m_newCore = nullptr;
    QAction *m_verify = nullptr;
    QAction *m_estimate = nullptr;
    QMenu *m_recent = nullptr;
};
