#include "uikit/qmelineedit.h"

QMELineEdit::QMELineEdit(QWidget* parent) : QLineEdit(parent) {
    SetLook("transparent", "#7b7b7b", "#333333", 4);
}

void QMELineEdit::SetLook(const QString& background, const QString& border, const QString& text,
                          int radius) {
    setStyleSheet(QString("QLineEdit {background-color:%1;border:1px solid %2;color:%3;"
                          "border-radius:%4px;padding: 0px 4px}")
                      .arg(background, border, text)
                      .arg(radius));
}

QString QMELineEdit::Look() const {
    return styleSheet();
}
