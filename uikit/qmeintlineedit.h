#pragma once

#include <QLineEdit>

// A line edit that takes only positive whole numbers (digits with at least one non-zero digit).
class QMEIntLineEdit : public QLineEdit {
    Q_OBJECT
public:
    static const char* const kPattern;

    explicit QMEIntLineEdit(QWidget* parent = nullptr);
};
