#include "mainwindow.h"

#include "baseipcoreinterface.h"
#include "cataloguepanel.h"
#include "coreestimator.h"
#include "coreverifier.h"
#include "devicecatalogue.h"
#include "editorarea.h"
#include "guiservices.h"
#include "projectpanel.h"
#include "spectrumview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

using TE::TE_IPCore_Def::BaseIPCoreInterface;

namespace {

const QString DeviceKey = QStringLiteral("device");
const QString DirectoryKey = QStringLiteral("directory");
const QString RecentKey = QStringLiteral("recentConfigurations");
const QString GeometryKey = QStringLiteral("geometry");
const QString StateKey = QStringLiteral("windowState");
constexpr int MaxRecent = 8;

QGroupBox *titled(const QString &title, QWidget *content)
{
    auto *box = new QGroupBox(title);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(content);
    return box;
}

} // namespace

MainWindow::MainWindow(const QString &pluginDir, QWidget *parent)
    : QMainWindow(parent)
    , m_services(new GuiServices(qApp))
    , m_catalogue(new CataloguePanel)
    , m_project(new ProjectPanel)
    , m_editors(new EditorArea)
    , m_device(new QComboBox)
    , m_verifier(new CoreVerifier(m_registry.verificationFinder(), this))
    , m_estimator(new CoreEstimator(m_registry.verificationFinder(), this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(tr("ipgen: IP Core Generator"));
    setWindowIcon(QIcon(QStringLiteral(":/image/module.png")));
    m_services->setEditorArea(m_editors);

    auto *left = new QSplitter(Qt::Vertical);
    left->addWidget(titled(tr("IP Catalog"), m_catalogue));
    left->addWidget(titled(tr("Project"), m_project));
    left->setStretchFactor(0, 3);
    left->setStretchFactor(1, 2);
    auto *main = new QSplitter(Qt::Horizontal);
    main->addWidget(left);
    main->addWidget(m_editors);
    main->setStretchFactor(1, 1);
    main->setSizes({340, 760});
    setCentralWidget(main);

    m_device->setObjectName(QStringLiteral("device"));
    m_device->setToolTip(tr("The target device of new cores"));
    for (const DEV::DeviceArg &device : DEV::DeviceCatalogue::devices())
        m_device->addItem(device.displayName(), device.id());
    createActions();

    m_registry.loadFrom(pluginDir);
    m_catalogue->setCores(m_registry.cores());

    QSettings settings;
    const int stored = m_device->findText(settings.value(DeviceKey).toString());
    m_device->setCurrentIndex(stored >= 0 ? stored : 0);
    chooseDevice(m_device->currentIndex());
    connect(m_device,
            QOverload<int>::of(&QComboBox::currentIndexChanged),
            this,
            &MainWindow::chooseDevice);
    m_project->setDirectory(settings.value(DirectoryKey).toString());

    connect(m_catalogue, &CataloguePanel::currentCoreChanged, this, &MainWindow::updateActions);
    connect(m_catalogue, &CataloguePanel::coreActivated, this, &MainWindow::newCore);
    connect(m_project, &ProjectPanel::fileActivated, this, &MainWindow::openProjectFile);
    connect(m_services, &GuiServices::filesAddedToProject, this, &MainWindow::showProject);
    connect(m_project, &ProjectPanel::filesChanged, this, &MainWindow::updateActions);
    connect(m_project, &ProjectPanel::currentFileChanged, this, &MainWindow::updateActions);
    connect(m_verifier, &CoreVerifier::finished, this, &MainWindow::showVerification);
    connect(m_estimator, &CoreEstimator::finished, this, &MainWindow::showEstimate);
    updateActions();

    const int cores = m_registry.cores().size();
    statusBar()->showMessage(tr("%n core(s) loaded from %1.", nullptr, cores)
                                     .arg(QDir::toNativeSeparators(QDir::cleanPath(pluginDir))));
    if (!m_registry.problems().isEmpty()) {
        // After the window shows, so that the box has its parent on screen.
        QTimer::singleShot(0, this, [this, pluginDir] {
            auto *box = new QMessageBox(QMessageBox::Warning,
                                        tr("Plug-ins"),
                                        tr("Some plug-ins in %1 could not be loaded.")
                                                .arg(QDir::toNativeSeparators(pluginDir)),
                                        QMessageBox::Ok,
                                        this);
            box->setObjectName(QStringLiteral("pluginProblems"));
            box->setInformativeText(m_registry.problems().join(QLatin1Char('\n')));
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        });
    }
    resize(1100, 720);
    restoreGeometry(settings.value(GeometryKey).toByteArray());
    restoreState(settings.value(StateKey).toByteArray());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    QSettings settings;
    settings.setValue(GeometryKey, saveGeometry());
    settings.setValue(StateKey, saveState());
    QMainWindow::closeEvent(event);
}

MainWindow::~MainWindow()
{
    delete m_services;
}

void MainWindow::createActions()
{
    m_newCore = new QAction(style()->standardIcon(QStyle::SP_FileIcon), tr("&New Core..."), this);
    m_newCore->setObjectName(QStringLiteral("newCore"));
    m_newCore->setShortcut(QKeySequence::New);
    connect(m_newCore, &QAction::triggered, this, &MainWindow::newCore);
    auto *open = new QAction(
            style()->standardIcon(QStyle::SP_DialogOpenButton), tr("&Open Configuration..."), this);
    open->setObjectName(QStringLiteral("openConfiguration"));
    open->setShortcut(QKeySequence::Open);
    open->setStatusTip(tr("Reopen a core from its configuration file (.ipc)"));
    connect(open, &QAction::triggered, this, &MainWindow::openConfiguration);
    m_verify = new QAction(
            style()->standardIcon(QStyle::SP_DialogApplyButton), tr("&Verify Core"), this);
    m_verify->setObjectName(QStringLiteral("verifyCore"));
    m_verify->setShortcut(Qt::CTRL + Qt::Key_R);
    connect(m_verify, &QAction::triggered, this, &MainWindow::verifyCore);
    m_estimate = new QAction(
            style()->standardIcon(QStyle::SP_FileDialogDetailedView), tr("&Estimate Cost"), this);
    m_estimate->setObjectName(QStringLiteral("estimateCore"));
    m_estimate->setShortcut(Qt::CTRL + Qt::Key_E);
    connect(m_estimate, &QAction::triggered, this, &MainWindow::estimateCore);
    auto *quit = new QAction(tr("&Quit"), this);
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(m_newCore);
    file->addAction(open);
    file->addAction(m_verify);
    file->addAction(m_estimate);
    m_recent = file->addMenu(tr("&Recent Configurations"));
    m_recent->setObjectName(QStringLiteral("recentConfigurations"));
    connect(m_recent, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    file->addSeparator();
    file->addAction(quit);
    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(tr("&About ipgen"), this, [this] {
        QMessageBox::about(this,
                           tr("About ipgen"),
                           tr("<b>ipgen</b> %1<p>Configures and generates IP cores for FPGA "
                              "designs from the plug-ins of its catalogue.</p>")
                                   .arg(QApplication::applicationVersion()));
    });

    QToolBar *tools = addToolBar(tr("Main"));
    tools->setObjectName(QStringLiteral("mainToolBar"));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tools->addAction(m_newCore);
    tools->addAction(open);
    tools->addAction(m_verify);
    tools->addAction(m_estimate);
    tools->addSeparator();
    auto *label = new QLabel(tr(" Device: "));
    label->setBuddy(m_device);
    tools->addWidget(label);
    tools->addWidget(m_device);
}

void MainWindow::updateActions()
{
    BaseIPCoreInterface *core = m_catalogue->currentCore();
    m_newCore->setEnabled(m_catalogue->canCreate());
    m_newCore->setStatusTip(
            !core ? tr("Choose a core in the catalogue first")
            : m_catalogue->canCreate()
                    ? tr("Configure a new %1 for %2").arg(core->name(), m_device->currentText())
                    : tr("%1 does not support %2").arg(core->name(), m_device->currentText()));
    const QString config = generatedCore();
    const bool idle = !m_verifier->isRunning() && !m_estimator->isRunning();
    const QString name = QFileInfo(config).completeBaseName();
    m_verify->setEnabled(!config.isEmpty() && idle);
    m_verify->setStatusTip(config.isEmpty() ? tr("Generate a core into the project first")
                                            : tr("Simulate %1 and measure its spectrum").arg(name));
    m_estimate->setEnabled(!config.isEmpty() && idle);
    m_estimate->setStatusTip(config.isEmpty() ? tr("Generate a core into the project first")
                                              : tr("Place and route %1 on a reference part for its "
                                                   "resources and Fmax")
                                                        .arg(name));
}

void MainWindow::chooseDevice(int index)
{
    const DEV::DeviceArg device
            = DEV::DeviceCatalogue::findById(m_device->itemData(index).toString());
    m_catalogue->setDevice(device);
    QSettings().setValue(DeviceKey, device.displayName());
    updateActions();
}

void MainWindow::newCore()
{
    BaseIPCoreInterface *core = m_catalogue->currentCore();
    if (!m_catalogue->canCreate()) {
        statusBar()->showMessage(m_newCore->statusTip());
        return;
    }
    const QString last = m_project->directory();
    const QString start = QFileInfo(last).isDir() ? last : QDir::homePath();
    const QString dir = QFileDialog::getExistingDirectory(
            this, tr("Output Directory of the New %1").arg(core->name()), start);
    if (dir.isEmpty())
        return;
    const DEV::DeviceArg device
            = DEV::DeviceCatalogue::findById(m_device->currentData().toString());
    runDialog(dir, [&] { core->createCore(QDir::cleanPath(dir), device); });
}

void MainWindow::openConfiguration()
{
    const QString path = QFileDialog::getOpenFileName(this,
                                                      tr("Open Configuration"),
                                                      m_project->directory(),
                                                      tr("Core configurations (*.ipc)"));
    if (!path.isEmpty())
        openConfigurationFile(path);
}

void MainWindow::openConfigurationFile(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile()) {
        QMessageBox::warning(this,
                             tr("Open Configuration"),
                             tr("The configuration file \"%1\" does not exist.")
                                     .arg(QDir::toNativeSeparators(file.absoluteFilePath())));
        return;
    }
    const QString id = m_registry.configurationCoreId(file.absoluteFilePath());
    BaseIPCoreInterface *core = m_registry.core(id);
    if (!core) {
        QMessageBox::warning(this,
                             tr("Open Configuration"),
                             tr("\"%1\" is a configuration of the core \"%2\", which no plug-in "
                                "in the catalogue provides.")
                                     .arg(QDir::toNativeSeparators(file.absoluteFilePath()), id));
        return;
    }
    addRecent(file.absoluteFilePath());
    runDialog(file.absolutePath(), [&] { core->openCore(file.absoluteFilePath(), QString()); });
}

void MainWindow::runDialog(const QString &dir, const std::function<void()> &run)
{
    QSettings().setValue(DirectoryKey, dir);
    m_project->setDirectory(dir);
    QStringList added;
    const QMetaObject::Connection watch
            = connect(m_services,
                      &GuiServices::filesAddedToProject,
                      this,
                      [&added](const QStringList &paths) { added << paths; });
    statusBar()->showMessage(tr("Configuring the core; OK generates it into %1.")
                                     .arg(QDir::toNativeSeparators(dir)));
    run();
    disconnect(watch);
    if (added.isEmpty()) {
        statusBar()->showMessage(tr("Nothing generated."), 5000);
        return;
    }
    for (const QString &path : qAsConst(added)) {
        const QFileInfo netlist(path);
        const QString config = netlist.absolutePath() + QLatin1Char('/')
                               + netlist.completeBaseName() + QStringLiteral(".ipc");
        if (QFileInfo(config).isFile())
            addRecent(config);
    }
    statusBar()->showMessage(tr("Generated %1.").arg(QDir::toNativeSeparators(added.first())));
}

void MainWindow::openProjectFile(const QString &path)
{
    m_services->openEditor(path, true);
}

void MainWindow::showProject(const QStringList &added)
{
    // The user may have changed the output directory in the dialog.
    const QString dir = QFileInfo(added.value(0)).absolutePath();
    QSettings().setValue(DirectoryKey, dir);
    m_project->setDirectory(dir);
}

void MainWindow::addRecent(const QString &configPath)
{
    QSettings settings;
    QStringList recent = settings.value(RecentKey).toStringList();
    recent.removeAll(configPath);
    recent.prepend(configPath);
    settings.setValue(RecentKey, QStringList(recent.mid(0, MaxRecent)));
}

void MainWindow::fillRecentMenu()
{
    m_recent->clear();
    const QStringList recent = QSettings().value(RecentKey).toStringList();
    for (const QString &path : recent) {
        QAction *action = m_recent->addAction(
                QFileInfo(path).fileName(), this, [this, path] { openConfigurationFile(path); });
        action->setStatusTip(QDir::toNativeSeparators(path));
        action->setEnabled(QFileInfo(path).isFile());
    }
    if (recent.isEmpty())
        m_recent->addAction(tr("(none yet)"))->setEnabled(false);
}

// The configuration of the delivered core a project file belongs to: NAME.*
// beside it, or NAME for the files of its readable core in NAME_rtl/.
static QString deliveredCore(const QString &path)
{
    static const QLatin1String RtlSuffix("_rtl");
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    const QString base = folder.endsWith(RtlSuffix)
                                 ? folder.chopped(RtlSuffix.size())
                                 : folder + QLatin1Char('/') + file.completeBaseName();
    return QFileInfo(base + QStringLiteral(".ipc")).isFile()
                           && QFileInfo(base + QStringLiteral(".vo")).isFile()
                   ? base + QStringLiteral(".ipc")
                   : QString();
}

QString MainWindow::generatedCore() const
{
    const QString picked = deliveredCore(m_project->currentFile());
    if (!picked.isEmpty())
        return picked;
    for (const QString &path : m_project->files()) {
        const QString config = deliveredCore(path);
        if (!config.isEmpty())
            return config;
    }
    return QString();
}

template<class Job>
void MainWindow::startProgress(Job *job, const QString &title, const QString &config)
{
    const QString name = QFileInfo(config).completeBaseName();
    // Window-modal and fed by the job's signals: the event loop keeps running.
    m_progress = new QProgressDialog(tr("Starting on %1...").arg(name), tr("Cancel"), 0, 0, this);
    m_progress->setObjectName(QStringLiteral("jobProgress"));
    m_progress->setWindowTitle(title.arg(name));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setMinimumWidth(480);
    connect(job, &Job::progress, m_progress, [this](const QString &message) {
        m_progress->setLabelText(message + QStringLiteral("..."));
        statusBar()->showMessage(message + QStringLiteral("..."));
    });
    connect(m_progress, &QProgressDialog::canceled, job, &Job::cancel);
    m_progress->show();
}

bool MainWindow::endProgress()
{
    const bool cancelled = m_progress && m_progress->wasCanceled();
    delete m_progress;
    m_progress = nullptr;
    updateActions();
    return !cancelled;
}

void MainWindow::showFailure(const QString &objectName, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

template<class Job>
void MainWindow::startJob(Job *job, QAction *action, QString &config, const QString &title)
{
    config = generatedCore();
    if (config.isEmpty() || !action->isEnabled()) {
        statusBar()->showMessage(action->statusTip());
        return;
    }
    startProgress(job, title, config);
    job->start(config);
    updateActions();
}

bool MainWindow::jobSucceeded(const QString &error,
                              const QString &cancelled,
                              const QString &failed,
                              const QString &title,
                              const QString &boxName)
{
    if (!endProgress()) {
        statusBar()->showMessage(cancelled);
        return false;
    }
    if (error.isEmpty())
        return true;
    statusBar()->showMessage(failed + QLatin1Char('.'));
    showFailure(boxName, title, failed + QStringLiteral(":\n\n") + error);
    return false;
}

void MainWindow::estimateCore()
{
    startJob(m_estimator, m_estimate, m_estimating, tr("Estimate %1"));
}

void MainWindow::showEstimate()
{
    const EstimateResult &result = m_estimator->result();
    const QString name = QFileInfo(m_estimating).completeBaseName();
    if (!jobSucceeded(m_estimator->errorString(),
                      tr("Estimate of %1 cancelled.").arg(name),
                      tr("%1 could not be estimated").arg(name),
                      tr("Estimate %1").arg(name),
                      QStringLiteral("estimateFailed")))
        return;
    auto *box = new QMessageBox(QMessageBox::Information,
                                tr("Estimate %1").arg(name),
                                result.text,
                                QMessageBox::Ok,
                                this);
    box->setObjectName(QStringLiteral("estimateResult"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    statusBar()->showMessage(result.text.section(QLatin1Char('\n'), 1, 1));
}

void MainWindow::verifyCore()
{
    startJob(m_verifier, m_verify, m_verifying, tr("Verify %1"));
}

void MainWindow::showVerification()
{
    const VerifyResult &result = m_verifier->result();
    const QString name = QFileInfo(m_verifying).completeBaseName();
    if (!jobSucceeded(m_verifier->errorString(),
                      tr("Verification of %1 cancelled.").arg(name),
                      tr("%1 could not be verified").arg(name),
                      tr("Verify %1").arg(name),
                      QStringLiteral("verifyFailed")))
        return;
    auto *view = new SpectrumView;
    view->setPlot(result.plot);
    view->setToolTip(QDir::toNativeSeparators(result.pngPath));
    m_editors->addPage(view, tr("%1 spectrum").arg(name));
    statusBar()->showMessage(result.verdict);
}
