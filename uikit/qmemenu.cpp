#include "uikit/qmemenu.h"

#include "uikit/qmefocusring.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmemenustyle.h"

QMEMenu::QMEMenu(QWidget* parent) : QMEMenu(QString(), parent) {}

QMEMenu::QMEMenu(const QString& title, QWidget* parent)
    : QMenu(title, parent), m_style(new QMEMenuStyle) {
    m_style->setParent(this);
    setStyle(m_style);
}

QAction* QMEMenu::AddImageAction(const QString& text, const QString& imagePath) {
    QAction* action = addAction(text);
    const QIcon icon = QMEImageLoader::LoadIcon(imagePath);
    if (!icon.isNull())
        action->setIcon(icon);
    return action;
}

void QMEMenu::PopupAt(const QPoint& pos) {
    popup(pos);
    if (!QMEFocusRing::KeyboardInUse())
        return;
    for (QAction* action : actions()) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
            setActiveAction(action);
            return;
        }
    }
}

QMEMenu* QMEMenu::AddSubMenu(const QString& title) {
    auto* menu = new QMEMenu(title, this);
    addMenu(menu);
    return menu;
}

QMEMenuStyle* QMEMenu::MenuStyle() const {
    return m_style;
}
