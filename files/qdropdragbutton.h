#pragma once

#include "uikit/qmebasebutton.h"

#include <QPoint>
#include <QString>

class QMimeData;

// A preset button that starts drags and takes drops of one MIME format. The owner sets both
// formats, builds the drag itself on emitDragStart and handles the dropped data.
class QDropDragButton : public QMEBaseButton {
    Q_OBJECT
public:
    explicit QDropDragButton(QWidget* parent = nullptr);

    void setDragFormat(const QString& format) { mDragFormat = format; }
    QString dragFormat() const { return mDragFormat; }
    void setDropFormat(const QString& format) { mDropFormat = format; }
    QString dropFormat() const { return mDropFormat; }

signals:
    void emitDragStart();
    void emitDropMimeData(const QMimeData* mimeData);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString mDragFormat;
    QString mDropFormat;
    QPoint mPressPosition;
};
