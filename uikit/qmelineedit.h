#pragma once

#include <QLineEdit>

// The line edit look of the kit: a rounded border on a plain background.
class QMELineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit QMELineEdit(QWidget* parent = nullptr);

    void SetLook(const QString& background, const QString& border, const QString& text, int radius);
    QString Look() const;
};
