#pragma once

#include <QString>

class QMimeData;

// The cabinet slot a drop from the cabinet list names: one 32-bit integer (Qt data stream) under
// `format`, whose low 16 bits are the slot. -1 when the data lacks the format, is too short, or
// names no slot of the pedal: such a drop must not reach the pedal.
int cabinetDropSlot(const QMimeData* mime, const QString& format);
