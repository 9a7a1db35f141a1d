#include "files/qdropdragbutton.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {

void sendMouse(QWidget& widget, QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

class TestDropDragButton final : public QObject {
    Q_OBJECT

private slots:
    void formatsStartEmpty() const;
    void dragStartsBeyondDistance_data() const;
    void dragStartsBeyondDistance() const;
    void dragEnterNeedsDropFormat_data() const;
    void dragEnterNeedsDropFormat() const;
    void dropEmitsData() const;
    void dropOfOtherFormatIgnored() const;
};

void TestDropDragButton::formatsStartEmpty() const {
    QDropDragButton button;
    QVERIFY(button.dragFormat().isEmpty());
    QVERIFY(button.dropFormat().isEmpty());
    QVERIFY(button.acceptDrops());
    QMimeData mime;
    mime.setData("a/b", "x");
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(&button, &enter);
    QVERIFY(!enter.isAccepted());
}

void TestDropDragButton::dragStartsBeyondDistance_data() const {
    QTest::addColumn<int>("distance");
    QTest::addColumn<bool>("leftHeld");
    QTest::addColumn<bool>("starts");
    const int limit = QApplication::startDragDistance();
    QTest::newRow("just beyond") << limit + 1 << true << true;
    QTest::newRow("far") << limit + 20 << true << true;
    QTest::newRow("at the distance") << limit << true << false;
    QTest::newRow("short") << 1 << true << false;
    QTest::newRow("far without the button") << limit + 20 << false << false;
}

void TestDropDragButton::dragStartsBeyondDistance() const {
    QFETCH(int, distance);
    QFETCH(bool, leftHeld);
    QFETCH(bool, starts);
    QDropDragButton button;
    button.resize(200, 60);
    QSignalSpy spy(&button, &QDropDragButton::emitDragStart);
    const QPoint press(5, 5);
    sendMouse(button, QEvent::MouseButtonPress, press, Qt::LeftButton);
    sendMouse(button, QEvent::MouseMove, press + QPoint(distance, 0),
              leftHeld ? Qt::LeftButton : Qt::NoButton);
    QCOMPARE(spy.count(), starts ? 1 : 0);
}

void TestDropDragButton::dragEnterNeedsDropFormat_data() const {
    QTest::addColumn<QString>("offered");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("drop format") << "list/text/uri-list" << true;
    QTest::newRow("drag format only") << "preset/index" << false;
    QTest::newRow("plain text") << "text/plain" << false;
}

void TestDropDragButton::dragEnterNeedsDropFormat() const {
    QFETCH(QString, offered);
    QFETCH(bool, accepted);
    QDropDragButton button;
    button.setDropFormat("list/text/uri-list");
    button.setDragFormat("preset/index");
    QMimeData mime;
    mime.setData(offered, "data");
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(&button, &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    if (accepted)
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
}

void TestDropDragButton::dropEmitsData() const {
    QDropDragButton button;
    button.setDropFormat("list/text/uri-list");
    QList<const QMimeData*> dropped;
    connect(&button, &QDropDragButton::emitDropMimeData,
            [&dropped](const QMimeData* mimeData) { dropped.append(mimeData); });
    QMimeData mime;
    mime.setData("list/text/uri-list", "path");
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(dropped, QList<const QMimeData*>{&mime});
}

void TestDropDragButton::dropOfOtherFormatIgnored() const {
    QDropDragButton button;
    button.setDropFormat("list/text/uri-list");
    int drops = 0;
    connect(&button, &QDropDragButton::emitDropMimeData, [&drops] { ++drops; });
    QMimeData mime;
    mime.setText("path");
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &drop);
    QCOMPARE(drops, 0);
}

QTEST_MAIN(TestDropDragButton)
#include "test_dropdragbutton.moc"
