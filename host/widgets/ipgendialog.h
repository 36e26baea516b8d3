#pragma once

#include "devicearg.h"
#include "hostexport.h"
#include "pinfigure.h"

#include <QDialog>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QVariant>

QT_BEGIN_NAMESPACE
class QComboBox;
class QLabel;
class QLineEdit;
class QSettings;
class QTabWidget;
QT_END_NAMESPACE

namespace IPCore {

class BatchJob;
class PortFigureView;

/// Base of every generator dialog: the header fields (label, module name,
/// output file name, output directory, device), the parameter tabs, the port
/// figure, the synthesis tool and HDL language choices, and the checks that
/// every core's accept flow runs.
class IPCORE_WIDGETS_EXPORT IPGenDialog : public QDialog
{
    Q_OBJECT
public:
    explicit IPGenDialog(QWidget *parent = nullptr);
    ~IPGenDialog() override;

    void uiSetLabelText(const QString &text);
    void uiSetModuleName(const QString &name);
    void uiSetDefaultFileName(const QString &name);
    void uiAddTab(QWidget *page, const QString &title);
    void uiSetFigurePins(const QList<Utils::PinFigure> &pins);
    QString uiSynthesisTool() const;
    void uiSetSynthesisTool(const QString &tool);
    int uiLanguageIndex() const;
    void uiSetLanguageIndex(int index);

    /// The pins the figure currently shows, in drawing order.
    QList<Utils::PinFigure> figurePins() const;

    QString moduleName() const;
    QString fileName() const;
    QString createPath() const;
    DEV::DeviceArg device() const;

    /// The folder of the core's data files, where helpDoc is looked for.
    void setDataDirectory(const QString &dir);
    /// Where Help looks for the help document: helpDoc in the data directory.
    QString helpDocumentPath() const;

    /// Primes the dialog for a new instance in output directory `dir`; calls initialize().
    void setCreating(const QString &dir, const DEV::DeviceArg &device);
    /// Primes the dialog for the instance stored in `configPath`: header
    /// fields from the file, then initialize() and loadConfigFile(). A non-empty
    /// `deviceOverride` ("SERIES/DEVICE") replaces the stored device. False
    /// when the dialog must not be shown (the user has been told why).
    bool setOpening(const QString &configPath, const QString &deviceOverride);

    /// False when the module name is no legal Verilog/VHDL identifier (the user has been told).
    bool checkModuleName();
    /// Asks before output files of the same name are overwritten; false when declined.
    bool checkFileExisting();
    /// Problems with the output directory and file name, empty when fine.
    QStringList checkFileOptions();
    /// Shows a list of problems in one error box.
    void showErrorMsg(const QStringList &problems);

    /// Applies a batch job's header fields, then its options one at a time as
    /// a user would enter them; each problem is added to `errors`.
    void applyBatchJob(const BatchJob &job, QStringList &errors);

    /// Shows the dialog modally; in batch mode instead applies the current
    /// BatchJob, presses OK and waits until the generation is done or has
    /// failed, leaving the outcome in the job.
    int exec() override;

public slots:
    virtual void accept(QStringList &errors);
    virtual void setProperty(const QMap<QString, QVariant> &properties, QStringList &errors);
    virtual void initialize() = 0;
    virtual bool loadConfigFile(const QString &path) = 0;
    virtual void setDevice(QSettings &settings);

protected:
    QString helpDoc;
    bool overwriteAllowed = false;

private:
    void buildUi();
    void applyBatchHeader(const BatchJob &job, QStringList &errors);
    void browseOutputDirectory();
    /// Shows the help document, or says where it was looked for when it is missing.
    void showHelp();

    QLabel *m_label = nullptr;
    QLineEdit *m_moduleName = nullptr;
    QLineEdit *m_fileName = nullptr;
    QLineEdit *m_outputDir = nullptr;
    QLabel *m_deviceLabel = nullptr;
    QString m_dataDir;
    QTabWidget *m_tabs = nullptr;
    PortFigureView *m_figure = nullptr;
    QComboBox *m_tool = nullptr;
    QComboBox *m_language = nullptr;
    DEV::DeviceArg m_device;
    QList<Utils::PinFigure> m_pins;
};

} // namespace IPCore
