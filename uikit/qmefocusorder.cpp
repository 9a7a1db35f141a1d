#include "uikit/qmefocusorder.h"

#include <QWidget>

namespace QMEFocusOrder {

void Chain(const QList<QWidget*>& widgets) {
    // Qt leaves widgets that take no focus out of the order it sets.
    QList<Qt::FocusPolicy> policies;
    for (QWidget* widget : widgets) {
        policies << widget->focusPolicy();
        if (widget->focusPolicy() == Qt::NoFocus)
            widget->setFocusPolicy(Qt::TabFocus);
    }
    for (int i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets.at(i - 1), widgets.at(i));
    for (int i = 0; i < widgets.size(); ++i)
        widgets.at(i)->setFocusPolicy(policies.at(i));
}

void SetTabStop(const QList<QWidget*>& group, QWidget* stop) {
    if (!stop && !group.isEmpty())
        stop = group.first();
    for (QWidget* member : group)
        member->setFocusPolicy(member == stop ? Qt::TabFocus : Qt::NoFocus);
}

} // namespace QMEFocusOrder
