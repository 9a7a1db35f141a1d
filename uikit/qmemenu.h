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
    QMEMenu* AddSubMenu(const QString& title);
    QMEMenuStyle* MenuStyle() const;

private:
    QMEMenuStyle* m_style;
};
