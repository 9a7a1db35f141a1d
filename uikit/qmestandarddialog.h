#pragma once

#include "uikit/qmedialog.h"

class QMEBaseButton;

// Base of the skinned dialogs: not resizable, with a close button and two spare title buttons
// made on demand from four-frame image strips.
class QMEStandardDialog : public QMEDialog {
    Q_OBJECT
public:
    explicit QMEStandardDialog(QWidget* parent = nullptr);

    virtual void SetCloseButton(const QString& path, bool visible);
    virtual void SetExtraButton1(const QString& path, bool visible);
    virtual void SetExtraButton2(const QString& path, bool visible);
    virtual void InitDialog();
    virtual void SetUseStyleMargins(bool use);
    virtual void LayoutCloseButton();

    void SetCloseButtonOffsets(int right, int top);
    QMEBaseButton* CloseButton() const;
    QMEBaseButton* ExtraButton1() const;
    QMEBaseButton* ExtraButton2() const;

private:
    QMEBaseButton* MakeButton(QMEBaseButton* old, const QString& path, bool visible);

    QMEBaseButton* m_close = nullptr;
    QMEBaseButton* m_extra1 = nullptr;
    QMEBaseButton* m_extra2 = nullptr;
    bool m_useStyleMargins = true;
    int m_closeRight = 0;
    int m_closeTop = 0;
};
