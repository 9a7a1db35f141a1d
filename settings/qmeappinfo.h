#pragma once

#include <QFont>
#include <QString>

// The process-wide application style record: filled by each main window, read by the frame,
// the dialogs and the folder helpers.
class QMEAppInfo final {
public:
    static QMEAppInfo& instance();
    // Puts every field back to its value at start (for tests that run several windows).
    static void Reset();

    QString makerName;
    QString productName;
    QString caption;
    QString spareText;
    int titleHeight = 48;
    int spareNumber = 0;
    int marginLeft = 8;
    int marginTop = 8;
    int marginRight = 8;
    int marginBottom = 8;
    QFont font;

private:
    QMEAppInfo();
};
