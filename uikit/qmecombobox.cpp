#include "uikit/qmecombobox.h"

#include "uikit/qmeaccessible.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

QMEComboBox::QMEComboBox(QWidget* parent) : QComboBox(parent) {
    QMEAccessible::Install();
    setEditable(true);
    lineEdit()->setReadOnly(true);
    lineEdit()->installEventFilter(this);
    // A list view so that the item rules of the style sheet apply.
    setView(new QListView(this));
}

void QMEComboBox::SetRule(Rule rule, const QString& text) {
    m_rules[rule] = text;
    QStringList sheet;
    for (const QString& r : qAsConst(m_rules))
        sheet << r;
    setStyleSheet(sheet.join('\n'));
}

QString QMEComboBox::StyleRule(Rule rule) const {
    return m_rules.value(rule);
}

void QMEComboBox::SetBaseStyle() {
    SetRule(RuleBase, "QComboBox {background-color:transparent;border:none}");
}

void QMEComboBox::SetTextColor(const QString& color) {
    SetRule(RuleTextColor,
            QString("QLineEdit {background-color:transparent;border:none;color:%1}").arg(color));
}

void QMEComboBox::SetPopupMinWidth(int width) {
    SetRule(RulePopupMinWidth,
            QString("QComboBox QAbstractItemView { min-height: 10px; min-width: %1px}").arg(width));
}

void QMEComboBox::SetPopupBorder(int width, const QString& color) {
    SetRule(RulePopupBorder,
            QString("QComboBox QAbstractItemView{border: %1px solid %2}").arg(width).arg(color));
}

void QMEComboBox::SetPopupPadding(int top, int right, int bottom, int left) {
    SetRule(RulePopupPadding, QString("QComboBox QAbstractItemView{padding: %1px %2px %3px %4px}")
                                  .arg(top)
                                  .arg(right)
                                  .arg(bottom)
                                  .arg(left));
}

void QMEComboBox::SetPopupRadius(int radius) {
    SetRule(RulePopupRadius,
            QString("QComboBox QAbstractItemView{border-radius: %1px;}").arg(radius));
}

void QMEComboBox::SetPopupBackground(const QString& color) {
    SetRule(RulePopupBackground,
            QString("QComboBox QAbstractItemView{background-color: %1;}").arg(color));
}

void QMEComboBox::SetItemBackground(const QString& top, const QString& bottom) {
    SetRule(RuleItemBackground, QString("QListView::item {background: qlineargradient(x1: 0, y1: "
                                        "0, x2: 0, y2: 1, stop: 0 %1, stop: 1.0 %2);}")
                                    .arg(top, bottom));
}

void QMEComboBox::SetItemHover(const QString& top, const QString& bottom) {
    SetRule(RuleItemHover, QString("QListView::item:hover {background: qlineargradient(x1: 0, "
                                   "y1: 0, x2: 0, y2: 1, stop: 0 %1, stop: 1.0 %2);}")
                               .arg(top, bottom));
}

void QMEComboBox::SetItemSelected(const QString& top, const QString& bottom) {
    SetRule(RuleItemSelected, QString("QListView::item:selected{background: qlineargradient(x1: "
                                      "0, y1: 0, x2: 0, y2: 1, stop: 0 %1, stop: 1.0 %2);}")
                                  .arg(top, bottom));
}

void QMEComboBox::showPopup() {
    emit emitShowPopup();
    QComboBox::showPopup();
}

bool QMEComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) {
        // The display-only line edit opens the list like the rest of the box.
        emit emitClicked();
        showPopup();
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void QMEComboBox::mousePressEvent(QMouseEvent* event) {
    emit emitClicked();
    QComboBox::mousePressEvent(event);
}

void QMEComboBox::keyPressEvent(QKeyEvent* event) {
    // The keys open the list, where the arrows move and Enter chooses: one choice, one change,
    // as with the mouse. Without this the arrows would change the entry at every step.
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if ((event->modifiers() & ~(Qt::KeypadModifier | Qt::AltModifier)) == Qt::NoModifier) {
            showPopup();
            return;
        }
        break;
    default:
        break;
    }
    QComboBox::keyPressEvent(event);
}
