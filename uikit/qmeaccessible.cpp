#include "uikit/qmeaccessible.h"

#include "uikit/qmebasebutton.h"
#include "uikit/qmebaseprogress.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmecombobox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QCoreApplication>

namespace {

const char* const kRole = "qmeAccessibleRole";

class ButtonAccessible final : public QAccessibleWidget {
public:
    explicit ButtonAccessible(QMEBaseButton* button) : QAccessibleWidget(button) {}

    QAccessible::Role role() const override {
        if (button()->OpensMenu())
            return QAccessible::ButtonMenu;
        // The only checkable ones are a choice of one among several (the preset strip).
        return button()->isCheckable() ? QAccessible::RadioButton : QAccessible::Button;
    }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        // Image buttons say what they do in their tool tip.
        for (const QString& name : {button()->accessibleName(), button()->text()}) {
            if (!name.isEmpty())
                return name;
        }
        return button()->toolTip();
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        state.defaultButton = button()->isDefault();
        state.hasPopup = button()->OpensMenu();
        return state;
    }

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QMEBaseButton* button() const { return static_cast<QMEBaseButton*>(widget()); }
};

class DialAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit DialAccessible(QMECircleSlider* dial) : QAccessibleWidget(dial, QAccessible::Dial) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The value as the dial's owner shows it, with its unit; the number itself otherwise.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value || t == QAccessible::Description)
            return dial()->valueText().isEmpty() ? QString::number(dial()->value())
                                                 : dial()->valueText();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return dial()->value(); }
    // Set by a screen reader, the dial turns as under the user's hand.
    void setCurrentValue(const QVariant& value) override { dial()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return dial()->maximum(); }
    QVariant minimumValue() const override { return dial()->minimum(); }
    QVariant minimumStepSize() const override { return dial()->singleStep(); }

private:
    QMECircleSlider* dial() const { return static_cast<QMECircleSlider*>(widget()); }
};

class ProgressAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressAccessible(QMEBaseProgress* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QMEAccessible::PercentText(bar()->value());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return bar()->value(); }
    // The figure follows the transfer alone.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    QMEBaseProgress* bar() const { return static_cast<QMEBaseProgress*>(widget()); }
};

// Qt names a combo box on this platform by its entry and leaves the name to a label beside it;
// these have none, so they carry their own name, and the entry is their value.
class ComboAccessible final : public QAccessibleWidget {
public:
    explicit ComboAccessible(QMEComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value ||
            (t == QAccessible::Name && combo()->accessibleName().isEmpty()))
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    // The list it opens, while it is open.
    int childCount() const override { return combo()->view()->isVisible() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index < childCount() ? QAccessible::queryAccessibleInterface(combo()->view())
                                    : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == combo()->view() ? 0 : -1;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.hasPopup = true;
        state.expandable = true;
        state.expanded = combo()->view()->isVisible();
        return state;
    }

    QStringList actionNames() const override {
        return QStringList(showMenuAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QMEComboBox* combo() const { return static_cast<QMEComboBox*>(widget()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    // Asked once per class up the hierarchy: this answers for the object's own class.
    if (!widget || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto* button = qobject_cast<QMEBaseButton*>(widget))
        return new ButtonAccessible(button);
    if (auto* dial = qobject_cast<QMECircleSlider*>(widget))
        return new DialAccessible(dial);
    if (auto* bar = qobject_cast<QMEBaseProgress*>(widget))
        return new ProgressAccessible(bar);
    if (auto* combo = qobject_cast<QMEComboBox*>(widget))
        return new ComboAccessible(combo);
    const QVariant role = widget->property(kRole);
    if (role.isValid())
        return new QAccessibleWidget(widget, QAccessible::Role(role.toInt()));
    return nullptr;
}

} // namespace

namespace QMEAccessible {

void Install() {
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(&factory);
    }
}

void SetRole(QWidget* widget, QAccessible::Role role) {
    Install();
    widget->setProperty(kRole, int(role));
}

QString PercentText(double value) {
    return QCoreApplication::translate("QObject", "%1 %").arg(qRound(value));
}

} // namespace QMEAccessible
