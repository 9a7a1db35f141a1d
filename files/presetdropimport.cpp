#include "files/presetdropimport.h"

#include "files/presetfile.h"
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "uikit/qpromptdialog.h"

#include <QDataStream>
#include <QDebug>
#include <QIODevice>
#include <QMimeData>

QByteArray encodePresetDragPath(const QString& path) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << path;
    return bytes;
}

QString decodePresetDragPath(const QMimeData* mime, const QString& format) {
    if (!mime || !mime->hasFormat(format))
        return QString();
    QByteArray bytes = mime->data(format);
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    QString path;
    stream >> path;
    return stream.status() == QDataStream::Ok ? path : QString();
}

bool importPresetFile(QDataAnalysis& analysis, int buttonIndex, const QString& path) {
    QByteArray image;
    if (buttonIndex < 0 || buttonIndex >= DeviceState::kPresetCount || !loadPresetFile(path, image))
        return false;
    const QByteArray block = char(buttonIndex) + image.mid(PresetDataOffset, PresetDataSize);
    analysis.importPreset(buttonIndex, block);
    return true;
}

void importDroppedPreset(QWidget* parent, QDataAnalysis& analysis, int buttonIndex,
                         const QMimeData* mime, const QString& format) {
    qDebug() << "------------onDropMimeData-----------";
    if (!mime || !mime->hasFormat(format))
        return;
    const bool imported =
        importPresetFile(analysis, buttonIndex, decodePresetDragPath(mime, format));
    QUsbWriteThread* thread = analysis.writeThread();
    if (!thread || !thread->usbIsOpen())
        return;
    QPromptDialog::ShowPrompt(parent,
                              imported ? QObject::tr("Preset import successful !")
                                       : QObject::tr("Preset import failed !"),
                              200, 80, QObject::tr("Import"),
                              imported ? QPromptDialog::IconSuccess : QPromptDialog::IconError,
                              QPromptDialog::ButtonsNone);
}
