#pragma once

#include "files/qbaseitem.h"

#include <QColor>

class QFontMetrics;

// One cabinet slot of the cabinet list: its number, its name cut to the row, and marks for the
// cabinets that play it.
class QCabInetTypeItem : public QBaseItem {
    Q_OBJECT
public:
    enum Mark { MarkNone = 0, MarkCabA = 1, MarkCabB = 2, MarkBoth = 3 };
    static constexpr int kRowHeight = 28;

    explicit QCabInetTypeItem(QWidget* parent = nullptr);

    // number 1–11; the slot index is one less.
    void setNumber(int number);
    int number() const { return mNumber; }
    int slotIndex() const { return mNumber - 1; }
    void setName(const QString& name);
    QString name() const { return mName; }
    void setMark(int mark);
    int mark() const { return mMark; }
    void setTheme(int theme);
    int theme() const { return mTheme; }

    // The name as the row shows it: cut at the right end with an ellipsis to the name's width.
    QString shownName() const;

    static QString numberText(int number);
    static QColor rowColor(int number, int theme);
    static QColor markColor(int cabinet);
    // The row number's colour, and the letter's on a cabinet's mark.
    static QColor numberColor(int theme);
    static QColor markTextColor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRect nameRect() const;
    // What a screen reader reads: "Slot 05, My Cab", and which cabinets play it.
    void updateAccessibleTexts();
    // The full name as tool tip only while the row cuts it.
    void updateToolTip();

    int mNumber = 1;
    QString mName;
    int mMark = MarkNone;
    int mTheme = 1;
};
