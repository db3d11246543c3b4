#pragma once

#include "relay/RelayPort.h"

#include <QDialog>
#include <QTimer>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class RelaySetup;

// "Röle…": the operator chooses the relay that switches the amplifier (its kind, the device among
// those found, the channel or GPIO line), tries it with "Dene" and saves it; the choice takes effect
// at once.
class RelayDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int TrialMs = 2000;

    explicit RelayDialog(RelaySetup& setup, QWidget* parent = nullptr);
    ~RelayDialog() override;

    // The choice as the controls hold it.
    RelaySettings choice() const;
    // The end of the two seconds of "Dene": its timer calls it, a test may call it at once.
    void finishTrial();

    void done(int result) override;

private:
    QLayout* makeChoiceRows();
    QLayout* makeTrialRow();
    void showKind();
    // Lists the devices of the kind shown, looked up afresh, with `selected` chosen.
    void fillDevices(const QString& selected);
    // The list with `selected` chosen; without `found` while the lookup runs.
    void showDevices(const QString& selected, const std::optional<QList<RelayDevice>>& found);
    RelaySettings::Kind currentKind() const;
    void startTrial();
    void switchedOn(const QString& problem);
    void switchedOff(const QString& problem);
    void save();
    void showResult(const QString& text, bool fault);

    RelaySetup& m_setup;
    QComboBox* m_kind = nullptr;
    QLabel* m_lptNote = nullptr;
    QLabel* m_deviceLabel = nullptr;
    QComboBox* m_device = nullptr;
    QPushButton* m_refresh = nullptr;
    QLabel* m_channelLabel = nullptr;
    QSpinBox* m_channel = nullptr;
    QCheckBox* m_activeLow = nullptr;
    QPushButton* m_try = nullptr;
    QLabel* m_result = nullptr;
    QTimer m_trialTimer;
};
