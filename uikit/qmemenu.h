#pragma once

#include <QMenu>

class QMEMenuStyle;

// A menu drawn by QMEMenuStyle; items may carry an image icon.
class QMEMenu : public QMenu {
    Q_OBJECT
public:
    explicit QMEMenu(QWidget* parent = nullptr);
    QMEMenu(const QString& title, QWidget* parent);

    QAction* AddImageAction(const QString& text, const QString& imagePath);
    // Opens the menu at pos. Opened from the keyboard, its first item is highlighted, as a menu
    // bar's are, so Enter takes it and a screen reader names it at once.
    void PopupAt(const QPoint& pos);
    QMEMenu* AddSubMenu(const QString& title);
    QMEMenuStyle* MenuStyle() const;

private:
    QMEMenuStyle* m_style;
};
