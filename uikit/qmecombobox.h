#pragma once

#include <QComboBox>
#include <QMap>

// A combo box whose look is built from style-sheet rules, one rule per setter. Its line edit only
// displays the current text.
class QMEComboBox : public QComboBox {
    Q_OBJECT
public:
    enum Rule {
        RuleBase,
        RuleTextColor,
        RulePopupMinWidth,
        RulePopupBorder,
        RulePopupPadding,
        RulePopupRadius,
        RulePopupBackground,
        RuleItemBackground,
        RuleItemHover,
        RuleItemSelected
    };

    explicit QMEComboBox(QWidget* parent = nullptr);

    void SetBaseStyle();
    void SetTextColor(const QString& color);
    void SetPopupMinWidth(int width);
    void SetPopupBorder(int width, const QString& color);
    void SetPopupPadding(int top, int right, int bottom, int left);
    void SetPopupRadius(int radius);
    void SetPopupBackground(const QString& color);
    void SetItemBackground(const QString& top, const QString& bottom);
    void SetItemHover(const QString& top, const QString& bottom);
    void SetItemSelected(const QString& top, const QString& bottom);

    QString StyleRule(Rule rule) const;

    void showPopup() override;

signals:
    void emitShowPopup();
    void emitClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetRule(Rule rule, const QString& text);

    QMap<Rule, QString> m_rules;
};
