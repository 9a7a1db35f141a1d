#include "editor/qbuttonwidget.h"
#include "files/presetdropimport.h"
#include "files/qdropdragbutton.h"
#include "protocol/devicestate.h"
#include "tests/files_backup/pedalsession.h"
#include "tests/files_presetbrowser/promptcatcher.h"
#include "tests/uikit/testenv.h"
#include "virtualpedal/virtualpedal.h"

#include <QDataStream>
#include <QDrag>
#include <QMimeData>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

const QString kDragFormat = QStringLiteral("btn/text/uri-list");
const QString kDropFormat = QStringLiteral("list/text/uri-list");

QStringList labels() {
    QStringList out;
    for (int i = 0; i < 14; ++i)
        out << QString::number(i);
    return out;
}

QList<bool> checks(const QButtonWidget& strip) {
    QList<bool> out;
    for (QDropDragButton* button : strip.buttons())
        out << button->isChecked();
    return out;
}

QList<bool> only(int index) {
    QList<bool> out;
    for (int i = 0; i < 14; ++i)
        out << (i == index);
    return out;
}

// Ten preset words within the pedal's ranges, high byte first.
const std::vector<std::uint8_t> kPresetData{0, 33, 0, 4, 0, 12, 0, 45,  0, 90,
                                            0, 70, 0, 9, 0, 0,  0, 100, 0, 1};

QByteArray presetImage() {
    QByteArray image(660, '\0');
    image.replace(8, 10, "TALIX Edit");
    image.replace(72, 6, "PRESET");
    for (int i = 0; i < 20; ++i)
        image[640 + i] = char(kPresetData[size_t(i)]);
    return image;
}

void dropOn(QWidget* target, const QMimeData* mime) {
    const QPoint at(target->width() / 2, target->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

class TestStrip final : public QObject {
    Q_OBJECT

    std::unique_ptr<PedalSession> session;
    std::unique_ptr<QButtonWidget> strip;

private slots:
    void init() {
        session = std::make_unique<PedalSession>();
        strip = std::make_unique<QButtonWidget>();
        strip->setParser(&session->analysis());
        strip->setDragFormat(kDragFormat);
        strip->setDropFormat(kDropFormat);
        strip->setButtons(labels());
        strip->show();
        QVERIFY(QTest::qWaitForWindowExposed(strip.get()));
    }

    void cleanup() {
        strip.reset();
        session.reset();
    }

    void selectionFromUserAndPedal() {
        QCOMPARE(strip->buttons().size(), 14);
        QCOMPARE(strip->buttons().at(13)->text(), QStringLiteral("13"));
        QCOMPARE(strip->buttons().at(5)->size(), QSize(62, 54));
        QCOMPARE(strip->size(), QSize(14 * 62, 54));
        QCOMPARE(strip->currentIndex(), 0);
        QCOMPARE(checks(*strip), only(0));

        // Every button shows its own image, a different one in each look.
        const QImage light = strip->buttons().at(4)->Draw().ButtonImage();
        QVERIFY(!light.isNull());
        strip->ApplyTheme(2);
        const QImage dark = strip->buttons().at(4)->Draw().ButtonImage();
        QVERIFY(!dark.isNull());
        QVERIFY(light != dark);
        QCOMPARE(strip->buttons().at(4)->size(), QSize(62, 54));

        QSignalSpy byIndex(strip.get(), qOverload<int>(&QButtonWidget::emitSelectedTag));
        QSignalSpy byLabel(strip.get(), qOverload<QString>(&QButtonWidget::emitSelectedTag));
        QTest::mouseClick(strip->buttons().at(0), Qt::LeftButton);
        QCOMPARE(byIndex.count(), 0);
        QCOMPARE(checks(*strip), only(0)); // the current button stays checked

        QTest::mouseClick(strip->buttons().at(11), Qt::LeftButton);
        QCOMPARE(byIndex.count(), 1);
        QCOMPARE(byIndex.first().first().toInt(), 11);
        QCOMPARE(byLabel.count(), 1);
        QCOMPARE(byLabel.first().first().toString(), QStringLiteral("11"));
        QCOMPARE(checks(*strip), only(11));

        // The pedal's report shows its preset and selects nothing back.
        for (int index : {20, 14, -1})
            strip->setCurrentFromDevice(index);
        QCOMPARE(strip->currentIndex(), 11);
        QCOMPARE(checks(*strip), only(11));
        strip->setCurrentFromDevice(3);
        QCOMPARE(strip->currentIndex(), 3);
        QCOMPARE(checks(*strip), only(3));
        QCOMPARE(byIndex.count(), 1);

        // A hidden button hands over to the next visible one, which is selected on the pedal.
        strip->buttons().at(6)->hide();
        strip->buttons().at(7)->hide();
        strip->setCurrentFromDevice(6);
        QCOMPARE(strip->currentIndex(), 8);
        QCOMPARE(checks(*strip), only(8));
        QCOMPARE(byIndex.count(), 2);
        QCOMPARE(byIndex.last().first().toInt(), 8);
        QCOMPARE(byLabel.last().first().toString(), QStringLiteral("8"));

        strip->buttons().at(13)->hide();
        strip->setCurrentFromDevice(13);
        QCOMPARE(checks(*strip), only(8));
        QCOMPARE(byIndex.count(), 2);
    }

    void dragCarriesThePosition() {
        QList<QPair<QString, QByteArray>> drags;
        QSize picture;
        QPoint hotSpot;
        strip->setDragRunner([&](QDrag* drag) {
            drags << qMakePair(drag->mimeData()->text(), drag->mimeData()->data(kDragFormat));
            picture = drag->pixmap().size() / drag->pixmap().devicePixelRatio();
            hotSpot = drag->hotSpot();
        });
        QDropDragButton* button = strip->buttons().at(12);
        auto dragButton = [button] {
            QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
            QMouseEvent move(QEvent::MouseMove, QPoint(40, 30), button->mapToGlobal(QPoint(40, 30)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(button, &move);
            QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
        };
        // Before a pedal was read the presets hold nothing worth a file: no drag, and no click.
        QSignalSpy disconnected(strip.get(), &QButtonWidget::emitPromptDisConnect);
        QSignalSpy selected(strip.get(), qOverload<int>(&QButtonWidget::emitSelectedTag));
        dragButton();
        QVERIFY(drags.isEmpty() && selected.isEmpty());
        QVERIFY(session->open());
        QCOMPARE(session->writeThread().readPresets(1), 1);
        QTRY_VERIFY(session->analysis().deviceState()->presetsRead);
        dragButton();
        QCOMPARE(disconnected.count(), 1);
        QCOMPARE(drags.size(), 1);
        QCOMPARE(drags.first().first, QStringLiteral("13"));
        QCOMPARE(drags.first().second, QByteArray::fromHex("000000000000000c"));
        QCOMPARE(picture, QSize(62, 54));
        QCOMPARE(hotSpot, QPoint(31, 27));
    }

    void droppedRowLoadsIntoThatPreset() {
        QTemporaryDir dir;
        const QString path = dir.filePath("gig.night.pfs");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(presetImage());
        file.close();
        QMimeData mime;
        mime.setData(kDropFormat, encodePresetDragPath(path));
        mime.setText("1");
        PromptCatcher prompts;

        // Not connected: nothing reaches the pedal, no prompt.
        dropOn(strip->buttons().at(5), &mime);
        QVERIFY(virtualpedal::VirtualPedal::receivedFrames().empty());

        QVERIFY(session->open());
        dropOn(strip->buttons().at(5), &mime);
        std::vector<std::uint8_t> params(1 + kPresetData.size());
        params[0] = 5;
        std::copy(kPresetData.begin(), kPresetData.end(), params.begin() + 1);
        QCOMPARE(PedalSession::framesSent(),
                 (PedalSession::Frames{PedalSession::frame(0x9A, params)}));
        QCOMPARE(int(session->analysis().deviceState()->currentPreset), 5);
        QTRY_COMPARE(prompts.texts, QStringList{"Preset import successful !"});
        QCOMPARE(prompts.titles, QStringList{"Import"});

        // Data of another kind is refused.
        QMimeData other;
        other.setData(kDragFormat, QByteArray(8, '\0'));
        dropOn(strip->buttons().at(2), &other);
        QCOMPARE(PedalSession::framesSent().size(), size_t(1));
    }
};

TALIX_WIDGET_TEST_MAIN(TestStrip)
#include "test_strip.moc"
