#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QDataAnalysis;
class QDrag;
class QDropDragButton;
class QMimeData;

// The preset strip: one image button per pedal preset, exactly one of them current and checked.
// A button is dragged onto the preset browser to save its preset; a browser row dropped on a
// button loads that file into its preset. Tab reaches the checked button; Left and Right move
// the keyboard along the strip, Space and Enter choose.
class QButtonWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 62;
    static constexpr int kButtonHeight = 54;
    // Runs a prepared drag; the strip deletes it afterwards.
    using DragRunner = std::function<void(QDrag*)>;

    explicit QButtonWidget(QWidget* parent = nullptr);

    // Replaces the buttons by one per label, in order; the first becomes current.
    void setButtons(const QStringList& labels);
    QList<QDropDragButton*> buttons() const { return mButtons; }
    int currentIndex() const { return mCurrent; }

    // The parser receives dropped preset files.
    void setParser(QDataAnalysis* parser);
    void setDragFormat(const QString& format);
    QString dragFormat() const { return mDragFormat; }
    void setDropFormat(const QString& format);
    QString dropFormat() const { return mDropFormat; }
    void ApplyTheme(int mode);
    int theme() const { return mMode; }
    void setDragRunner(DragRunner runner) { mRunDrag = std::move(runner); }

    // Shows the pedal's current preset without selecting it again. A hidden button passes the
    // selection to the next visible one, which does select its preset.
    void setCurrentFromDevice(int index);

    // The data of a dragged button: its position as a 64-bit stream value, position + 1 as text.
    static QMimeData* buttonMimeData(int index, const QString& format);

signals:
    void emitSelectedTag(int index);
    void emitSelectedTag(QString label);
    void emitPromptDisConnect();

protected:
    void changeEvent(QEvent* event) override;
    // Left and Right on a button; a button alone would move on to the next control.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onButtonClicked(int index);
    void checkOnly(int index);
    void applyTextColours(QDropDragButton* button) const;
    // "Presets" and "Preset 3" for a screen reader.
    void nameButtons();
    void startDrag(int index);

    QList<QDropDragButton*> mButtons;
    int mCurrent = -1;
    int mMode = 1;
    QString mDragFormat;
    QString mDropFormat;
    QPointer<QDataAnalysis> mParser;
    DragRunner mRunDrag;
};
