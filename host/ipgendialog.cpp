#include "ipgendialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

#include "devicecatalogue.h"

namespace IPCore {

IPGenDialog::IPGenDialog(QWidget *parent)
    : QDialog(parent)
{
    buildUi();
}

IPGenDialog::~IPGenDialog() = default;

void IPGenDialog::buildUi()
{
    auto *layout = new QVBoxLayout(this);
    auto *header = new QFormLayout;
    m_label = new QLabel(this);
    m_moduleName = new QLineEdit(this);
    m_fileName = new QLineEdit(this);
    m_outputDir = new QLineEdit(this);
    m_deviceLabel = new QLabel(this);
    header->addRow(m_label);
    header->addRow(tr("Module Name:"), m_moduleName);
    header->addRow(tr("File Name:"), m_fileName);
    header->addRow(tr("Output Directory:"), m_outputDir);
    header->addRow(tr("Device:"), m_deviceLabel);
    layout->addLayout(header);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs);
    m_tool = new QComboBox(this);
    m_tool->addItems({QStringLiteral("VeltoSynthesis"), QStringLiteral("Synplify Pro")});
    m_language = new QComboBox(this);
    m_language->addItems({QStringLiteral("Verilog"), QStringLiteral("VHDL")});
    header->addRow(tr("Synthesis Tool:"), m_tool);
    header->addRow(tr("Language:"), m_language);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { QDialog::accept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
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
}

QString IPGenDialog::uiSynthesisTool() const
{
    return m_tool->currentText();
}

void IPGenDialog::uiSetSynthesisTool(const QString &tool)
{
    m_tool->setCurrentIndex(m_tool->findText(tool));
}

int IPGenDialog::uiLanguageIndex() const
{
    return m_language->currentIndex();
}

void IPGenDialog::uiSetLanguageIndex(int index)
{
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

void IPGenDialog::showHelp() {}

} // namespace IPCore
