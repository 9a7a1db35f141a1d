#pragma once

#include "files/qbaseitem.h"

class RetractLabel;

// One preset file of the preset browser: its number and its name, which can be edited in place.
// The row keeps the file's real path; every operation on the row acts on exactly that file.
class QComputerItem : public QBaseItem {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 28;

    explicit QComputerItem(QWidget* parent = nullptr);

    // number counts from 1.
    void setNumber(int number);
    int number() const { return mNumber; }
    // The file the row stands for; the shown name follows from it.
    void setFilePath(const QString& path);
    QString filePath() const { return mPath; }
    QString name() const;
    // Shows `name` again, as after a refused rename.
    void setName(const QString& name);
    void setTheme(int theme);
    int theme() const { return mTheme; }
    RetractLabel* nameLabel() const { return mLabel; }

    // Switches the name into editing.
    void startRename();

signals:
    void emitChangedName(QString oldName, QString newName);

protected:
    // F2 renames, as "Rename" in the list's menu does.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void onNameEdited(const QString& newName);
    void updateLabelColour();

    RetractLabel* mLabel;
    int mNumber = 1;
    QString mPath;
    int mTheme = 1;
};
