#include "ipgendialog.h"

#include "devicecatalogue.h"
#include "portfigureview.h"

#include <QComboBox>
#include <QDebug>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace IPCore {

IPGenDialog::IPGenDialog(QWidget *parent)
    : QDialog(parent)
{
    buildUi();
}

IPGenDialog::~IPGenDialog() = default;

void IPGenDialog::buildUi()
{
    setObjectName(QStringLiteral("IPGenDialog"));
    auto *layout = new QVBoxLayout(this);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("coreLabel"));
    QFont titleFont = m_label->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    m_label->setFont(titleFont);
    layout->addWidget(m_label);

    auto *header = new QGroupBox(tr("Instance"), this);
    auto *headerLayout = new QFormLayout(header);
    m_moduleName = new QLineEdit(header);
    m_moduleName->setObjectName(QStringLiteral("moduleName"));
    m_fileName = new QLineEdit(header);
    m_fileName->setObjectName(QStringLiteral("fileName"));
    m_outputDir = new QLineEdit(header);
    m_outputDir->setObjectName(QStringLiteral("outputDir"));
    auto *browse = new QPushButton(tr("Browse..."), header);
    browse->setObjectName(QStringLiteral("browseOutputDir"));
    connect(browse, &QPushButton::clicked, this, &IPGenDialog::browseOutputDirectory);
    auto *dirRow = new QHBoxLayout;
    dirRow->addWidget(m_outputDir);
    dirRow->addWidget(browse);
    m_deviceLabel = new QLabel(header);
    m_deviceLabel->setObjectName(QStringLiteral("device"));
    m_deviceLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    headerLayout->addRow(tr("Module Name:"), m_moduleName);
    headerLayout->addRow(tr("File Name:"), m_fileName);
    headerLayout->addRow(tr("Output Directory:"), dirRow);
    headerLayout->addRow(tr("Target Device:"), m_deviceLabel);
    layout->addWidget(header);

    auto *body = new QHBoxLayout;
    auto *figureBox = new QGroupBox(tr("Ports"), this);
    figureBox->setMinimumWidth(320);
    auto *figureLayout = new QVBoxLayout(figureBox);
    m_figure = new PortFigureView(figureBox);
    figureLayout->addWidget(m_figure, 0, Qt::AlignHCenter | Qt::AlignTop);
    figureLayout->addStretch(1);
    connect(m_moduleName, &QLineEdit::textChanged, m_figure, &PortFigureView::setTitle);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    body->addWidget(figureBox, 0);
    body->addWidget(m_tabs, 1);
    layout->addLayout(body, 1);

    auto *footer = new QHBoxLayout;
    m_tool = new QComboBox(this);
    m_tool->setObjectName(QStringLiteral("synthesisTool"));
    m_tool->QObject::setProperty("ipOption", QStringLiteral("Synthesis_tool"));
    m_tool->addItems({QStringLiteral("VeltoSynthesis"), QStringLiteral("Synplify Pro")});
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("language"));
    m_language->QObject::setProperty("ipOption", QStringLiteral("LANG"));
    m_language->addItems({QStringLiteral("Verilog"), QStringLiteral("VHDL")});
    auto *toolLabel = new QLabel(tr("Synthesis Tool:"), this);
    toolLabel->setBuddy(m_tool);
    auto *languageLabel = new QLabel(tr("Language:"), this);
    languageLabel->setBuddy(m_language);
    footer->addWidget(toolLabel);
    footer->addWidget(m_tool);
    footer->addSpacing(12);
    footer->addWidget(languageLabel);
    footer->addWidget(m_language);
    footer->addStretch(1);
    auto *buttons = new QDialogButtonBox(
            QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    // OK goes through the virtual accept(): a core's dialog generates there.
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        static_cast<QDialog *>(this)->accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &IPGenDialog::showHelp);
    footer->addWidget(buttons);
    layout->addLayout(footer);

    resize(1180, 820);
}

void IPGenDialog::uiSetLabelText(const QString &text)
{
    m_label->setText(text);
    setWindowTitle(text);
}

void IPGenDialog::uiSetModuleName(const QString &name)
{
    m_moduleName->setText(name);
}

void IPGenDialog::uiSetDefaultFileName(const QString &name)
{
    m_fileName->setText(name);
}

void IPGenDialog::uiAddTab(QWidget *page, const QString &title)
{
    m_tabs->addTab(page, title);
}

void IPGenDialog::uiSetFigurePins(const QList<Utils::PinFigure> &pins)
{
    m_pins = pins;
    m_figure->setPins(pins);
}

QString IPGenDialog::uiSynthesisTool() const
{
    return m_tool->currentText();
}

void IPGenDialog::uiSetSynthesisTool(const QString &tool)
{
    const int index = m_tool->findText(tool);
    if (index < 0) {
        qWarning().noquote()
                << tr("Unknown synthesis tool %1 - keeping %2").arg(tool, m_tool->currentText());
        return;
    }
    m_tool->setCurrentIndex(index);
}

int IPGenDialog::uiLanguageIndex() const
{
    return m_language->currentIndex();
}

void IPGenDialog::uiSetLanguageIndex(int index)
{
    if (index < 0 || index >= m_language->count()) {
        qWarning().noquote() << tr("Unknown language index %1 - keeping %2")
                                        .arg(index)
                                        .arg(m_language->currentText());
        return;
    }
    m_language->setCurrentIndex(index);
}

QList<Utils::PinFigure> IPGenDialog::figurePins() const
{
    return m_pins;
}

QString IPGenDialog::moduleName() const
{
    return m_moduleName->text();
}

QString IPGenDialog::fileName() const
{
    return m_fileName->text();
}

QString IPGenDialog::createPath() const
{
    QString dir = m_outputDir->text();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

DEV::DeviceArg IPGenDialog::device() const
{
    return m_device;
}

void IPGenDialog::setDataDirectory(const QString &dir)
{
    m_dataDir = dir;
}

QString IPGenDialog::helpDocumentPath() const
{
    return m_dataDir + QLatin1Char('/') + helpDoc;
}

void IPGenDialog::setCreating(const QString &dir, const DEV::DeviceArg &device)
{
    m_outputDir->setText(dir);
    m_device = device;
    m_deviceLabel->setText(device.displayName());
    initialize();
}

bool IPGenDialog::setOpening(const QString &configPath, const QString &deviceOverride)
{
    QSettings config(configPath, QSettings::IniFormat);
    m_outputDir->setText(QFileInfo(configPath).absolutePath());
    m_fileName->setText(
            config.value(QStringLiteral("file"), QFileInfo(configPath).completeBaseName())
                    .toString());
    if (config.contains(QStringLiteral("module")))
        m_moduleName->setText(config.value(QStringLiteral("module")).toString());
    if (deviceOverride.isEmpty())
        setDevice(config);
    else
        m_device = DEV::DeviceCatalogue::find(deviceOverride);
    m_deviceLabel->setText(m_device.displayName());
    initialize();
    return loadConfigFile(configPath);
}

void IPGenDialog::setDevice(QSettings &settings)
{
    m_device = DEV::DeviceCatalogue::findById(
            settings.value(QStringLiteral("target_device")).toString());
}

void IPGenDialog::browseOutputDirectory()
{
    const QString dir
            = QFileDialog::getExistingDirectory(this, tr("Output Directory"), m_outputDir->text());
    if (!dir.isEmpty())
        m_outputDir->setText(dir);
}

void IPGenDialog::showHelp()
{
    const QString path = helpDocumentPath();
    if (helpDoc.isEmpty() || !QFileInfo(path).isFile()) {
        QMessageBox::warning(this,
                             tr("Help"),
                             tr("The help document \"%1\" is missing: looked for \"%2\". "
                                "Reinstall the core's data folder to get it back.")
                                     .arg(helpDoc, path));
        return;
    }
    // In a window of the dialog's own, so that it stays usable while the
    // dialog is modal, and needs no web browser on the machine.
    auto *browser = findChild<QTextBrowser *>(QStringLiteral("helpBrowser"));
    if (!browser) {
        browser = new QTextBrowser(this);
        browser->setObjectName(QStringLiteral("helpBrowser"));
        browser->setWindowFlags(Qt::Window);
        browser->setOpenExternalLinks(true);
        browser->resize(780, 680);
    }
    browser->setSource(QUrl::fromLocalFile(path));
    browser->setWindowTitle(browser->documentTitle());
    browser->show();
    browser->raise();
    browser->activateWindow();
}

} // namespace IPCore
