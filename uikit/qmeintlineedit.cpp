#include "uikit/qmeintlineedit.h"

#include <QRegularExpressionValidator>

const char* const QMEIntLineEdit::kPattern = "^[0-9]*[1-9][0-9]*$";

QMEIntLineEdit::QMEIntLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new QRegularExpressionValidator(QRegularExpression(kPattern), this));
}
