#include "editor/cabinetdrop.h"

#include "protocol/devicestate.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>

int cabinetDropSlot(const QMimeData* mime, const QString& format) {
    if (!mime || !mime->hasFormat(format))
        return -1;
    QByteArray bytes = mime->data(format);
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    qint32 value = 0;
    stream >> value;
    if (stream.status() != QDataStream::Ok)
        return -1;
    const int slot = int(quint32(value) & 0xFFFF);
    return slot < DeviceState::kSlotCount ? slot : -1;
}
