#include "uikit/qmestandarddialog.h"

#include "settings/qmeappinfo.h"
#include "uikit/qmebasebutton.h"

#include <QCoreApplication>

QMEStandardDialog::QMEStandardDialog(QWidget* parent) : QMEDialog(parent) {
    SetResizeDirections(0);
}

QMEBaseButton* QMEStandardDialog::MakeButton(QMEBaseButton* old, const QString& path,
                                             bool visible) {
    delete old;
    auto* button = new QMEBaseButton(this);
    button->SetButtonImage(path);
    button->setVisible(visible);
    return button;
}

void QMEStandardDialog::SetCloseButton(const QString& path, bool visible) {
    m_close = MakeButton(m_close, path, visible);
    m_close->setToolTip(QCoreApplication::translate("QObject", "Close"));
}

void QMEStandardDialog::SetExtraButton1(const QString& path, bool visible) {
    m_extra1 = MakeButton(m_extra1, path, visible);
}

void QMEStandardDialog::SetExtraButton2(const QString& path, bool visible) {
    m_extra2 = MakeButton(m_extra2, path, visible);
}

void QMEStandardDialog::InitDialog() {}

void QMEStandardDialog::SetUseStyleMargins(bool use) {
    m_useStyleMargins = use;
}

void QMEStandardDialog::LayoutCloseButton() {
    if (!m_close)
        return;
    const QMEAppInfo& info = QMEAppInfo::instance();
    if (m_useStyleMargins)
        m_close->move(width() - m_close->width() - m_closeRight - info.marginRight,
                      m_closeTop + info.marginTop);
    else
        m_close->move(width() - m_close->width() - m_closeRight - 1, m_closeTop + 1);
}

void QMEStandardDialog::SetCloseButtonOffsets(int right, int top) {
    m_closeRight = right;
    m_closeTop = top;
}

QMEBaseButton* QMEStandardDialog::CloseButton() const {
    return m_close;
}

QMEBaseButton* QMEStandardDialog::ExtraButton1() const {
    return m_extra1;
}

QMEBaseButton* QMEStandardDialog::ExtraButton2() const {
    return m_extra2;
}
