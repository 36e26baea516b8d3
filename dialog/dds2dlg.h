#pragma once

#include "ipgendialog.h"

#include <QMap>
#include <QString>
#include <QVariant>

namespace IPCore {
class SynthesisHelper;
}

namespace IPDDSYN {

namespace Ui {
class cfgTab;
class impTab;
class outputTab;
} // namespace Ui

/// The generator dialog of the dds_ii core: three tabs of parameters kept
/// consistent by the rule slots, the port figure, and the generation road
/// from OK to delivered netlist. The widgets are the state.
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

    /// Checks the channel table; false after telling the user about the first fault.
    bool checkInputData();
    /// Writes the configuration file, the table data file and the defines files.
    bool generateCoreFiles();
    /// Writes cos_sin_lut.dat for output width W, phase width P, truncation T.
    bool generateCosSinLutFile(int W, int P, int T);
    /// Hands the working directory and sources to the synthesis runner.
    void startSynthesis();
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

    Ui::cfgTab *m_cfg = nullptr;
    Ui::impTab *m_imp = nullptr;
    Ui::outputTab *m_out = nullptr;
    QMap<QString, QVariant> m_info;
    IPCore::SynthesisHelper *m_synthesis = nullptr;
};

} // namespace IPDDSYN
