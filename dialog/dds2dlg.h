#pragma once

#include "ipgendialog.h"

#include <QMap>
#include <QString>
#include <QVariant>

#include <initializer_list>

QT_BEGIN_NAMESPACE
class QComboBox;
QT_END_NAMESPACE

namespace IPDDSYN {

namespace Generation {
class CoreGenerator;
struct CoreSettings;
struct Option;
} // namespace Generation

namespace Ui {
class cfgTab;
class impTab;
class outputTab;
} // namespace Ui

/// The generator dialog of the dds_ii core: three tabs of parameters kept
/// consistent by the rule slots, and the port figure. The widgets are the
/// state; on OK a snapshot of them goes to the core generator.
class dds2dlg : public IPCore::IPGenDialog
{
    Q_OBJECT
public:
    dds2dlg(const QMap<QString, QVariant> &info, QWidget *parent = nullptr);
    ~dds2dlg() override;

    void initialize() override;
    bool loadConfigFile(const QString &path) override;

    /// Phase width of the core under "System Parameters".
    int sysPhaseWidth() const;
    /// Output width of the core under "System Parameters".
    int sysOutputWidth() const;

    /// Checks what the rules cannot have corrected, such as the values of an
    /// edited configuration file; false after telling the user about each.
    bool checkSettings();
    /// Checks the channel table; false after telling the user about the first fault.
    bool checkInputData();
    /// Writes the configuration file, the table data file and the defines files.
    bool generateCoreFiles();
    /// Writes cos_sin_lut.dat for output width W, phase width P, truncation T.
    bool generateCosSinLutFile(int W, int P, int T);
    /// Hands the working directory and sources to the synthesis runner.
    void startSynthesis();
    /// The header fields, descriptor entries and option values, as generation needs them.
    Generation::CoreSettings coreSettings() const;
    /// Puts stored option values back into the widgets.
    void applyConfig(const QMap<QString, QVariant> &config);

public slots:
    void accept() override;

private slots:
    void refreshFigure();
    void updatedSysClk();
    void onCfgOptionChanged();
    void updatedFreqPerChannel();
    void updatedParameteGroup();
    void checkSFDRange();
    void updatedFreqResRange();
    void checkFreqResLineEdit();
    void updatedNS_system();
    void updatedPhaseWidth();
    void updatedOutPutWidth();
    void updatedChannelIDOut();
    void updatedLatency();
    void onStreamingCheckd();
    void updatedUiTab3();
    void changeDefaultValue();
    void onGenerationFinished(int exitCode);

private:
    void refreshTab3Entries();
    /// Tells the user which channels' frequencies alias, when any do.
    void showAliasWarnings(const Generation::CoreSettings &settings);
    /// Makes the rule connections, in the order that decides which rule runs first.
    void connectRules();
    /// Connects or disconnects `sender`'s `signal` to each of `slotList`, in that order.
    void setRulesConnected(QObject *sender,
                           const char *signal,
                           std::initializer_list<const char *> slotList,
                           bool connected);
    /// Puts "1" into freqResolution when it lies outside what the clock and channels allow.
    void correctFreqResolution();
    /// Makes `remembered` current again when `list` still offers it.
    static void selectRemembered(QComboBox *list, const QString &remembered);
    double systemClock() const;
    double channelCount() const;

    /// The texts of the channel-table entries below `group`, in table order.
    static QStringList entryTexts(const QWidget *group);
    /// Gives each option's widget its key, by which batch jobs and checks name it.
    void tagOptionWidgets();
    /// The value the configuration file stores for `option`; invalid when
    /// a radio group has no checked button.
    QVariant optionValue(const Generation::Option &option) const;
    void applyOption(const Generation::Option &option, const QVariant &value);

    Ui::cfgTab *m_cfg = nullptr;
    Ui::impTab *m_imp = nullptr;
    Ui::outputTab *m_out = nullptr;
    QMap<QString, QVariant> m_info;
    Generation::CoreGenerator *m_generator = nullptr;
};

} // namespace IPDDSYN
