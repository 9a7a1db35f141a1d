#include "settings/qmeappinfo.h"

QMEAppInfo::QMEAppInfo() : productName("TALIX"), caption("TALIX") {
    font.setFamily("Arial");
}

QMEAppInfo& QMEAppInfo::instance() {
    static QMEAppInfo record;
    return record;
}

void QMEAppInfo::Reset() {
    instance() = QMEAppInfo();
}
