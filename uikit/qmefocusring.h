#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

class QWidget;

// Draws a ring in the look's accent colour around the widget that holds the keyboard focus, for
// as long as the keyboard is in use: a key press shows it, a mouse press hides it, so a mouse
// user never sees one. The ring is a child of the focused widget's parent, so it moves and is
// clipped with the widget (a row scrolled out of its list takes its ring along).
class QMEFocusRing final : public QObject {
    Q_OBJECT
public:
    // Starts following the application's focus (once; later calls only set the look) in look
    // `mode` (1 light, 2 dark).
    static void Install(int mode);
    // The ring's colour in look `mode`: the look's accent, kept 3:1 against every background it
    // is drawn on.
    static QColor Color(int mode);
    // Never ringed: a widget that takes the focus only to hold it (a covering mask).
    static void Exclude(QWidget* widget);
    // The ring while it shows, null otherwise.
    static QWidget* Ring();
    // Shows the ring as a key press does (screenshots).
    static void ShowForKeyboard();
    // Whether the keyboard is in use: a key was pressed after the last mouse press.
    static bool KeyboardInUse();

    static constexpr int kOutset = 3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit QMEFocusRing(QObject* parent);
    static QMEFocusRing* Instance();
    void Follow();

    QPointer<QWidget> m_ring;
    QPointer<QWidget> m_target;
    bool m_keyboard = false;
    int m_mode = 1;
};
