#pragma once

#include "uikit/qmestandarddialog.h"

#include <QStringList>

class QLabel;

// Tells the user that the pedal's firmware does not match this software and offers the update.
// Accepted: update the firmware; rejected: continue using.
class QAPPUpdateDialog : public QMEStandardDialog {
    Q_OBJECT
public:
    // Space between the version labels and the buttons, and between the buttons and the
    // panel's lower edge.
    static constexpr int kButtonGap = 28;

    explicit QAPPUpdateDialog(QWidget* parent = nullptr);

    // Images of the dialog, relative to the image theme folder.
    static QStringList ImageNames();

    void SetFirmwareVersion(const QString& version);
    void SetSoftwareVersion(const QString& version);
    QLabel* MessageLabel() const;
    QLabel* FirmwareLabel() const;
    QLabel* SoftwareLabel() const;
    QMEBaseButton* UpgradeButton() const;
    QMEBaseButton* ContinueButton() const;
    int Mode() const;
    // Places the texts and buttons for the current size and images; the dialog grows when the
    // texts need more room.
    void Layout();

public slots:
    void onUpgrade();
    void onCancel();

private:
    QLabel* m_message;
    QLabel* m_firmware;
    QLabel* m_software;
    QMEBaseButton* m_upgrade;
    QMEBaseButton* m_continue;
    int m_mode = 1;
};
