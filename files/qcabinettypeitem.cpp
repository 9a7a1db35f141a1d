#include "files/qcabinettypeitem.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kNumberLeft = 12;
constexpr int kNameLeft = 44;
constexpr int kBadgeSize = 18;
constexpr int kBadgeGap = 4;
constexpr int kRightMargin = 10;

bool dark(int theme) {
    return theme == 2;
}

} // namespace

QCabInetTypeItem::QCabInetTypeItem(QWidget* parent) : QBaseItem(parent) {
    setFixedHeight(kRowHeight);
    QFont rowFont = font();
    rowFont.setPixelSize(12);
    setFont(rowFont);
}

QString QCabInetTypeItem::numberText(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QColor QCabInetTypeItem::rowColor(int number, int theme) {
    const bool even = number % 2 == 0;
    if (dark(theme))
        return even ? QColor(56, 57, 65) : QColor(66, 67, 79);
    return even ? QColor(244, 245, 251) : QColor(255, 255, 255);
}

QColor QCabInetTypeItem::markColor(int cabinet) {
    return cabinet == 0 ? QColor(129, 147, 248) : QColor(248, 129, 129);
}

QColor QCabInetTypeItem::numberColor(int theme) {
    return dark(theme) ? QColor(204, 206, 216) : QColor(102, 104, 116);
}

QColor QCabInetTypeItem::markTextColor() {
    return QColor(50, 50, 50);
}

void QCabInetTypeItem::setNumber(int number) {
    mNumber = number;
    updateAccessibleTexts();
    update();
}

void QCabInetTypeItem::setName(const QString& name) {
    mName = name;
    updateToolTip();
    updateAccessibleTexts();
    update();
}

void QCabInetTypeItem::setMark(int mark) {
    mMark = mark;
    updateAccessibleTexts();
    update();
}

void QCabInetTypeItem::updateAccessibleTexts() {
    setAccessibleName(QObject::tr("Slot %1, %2").arg(numberText(mNumber), mName));
    switch (mMark) {
    case MarkCabA:
        setAccessibleDescription(QObject::tr("used by CAB A"));
        break;
    case MarkCabB:
        setAccessibleDescription(QObject::tr("used by CAB B"));
        break;
    case MarkBoth:
        setAccessibleDescription(QObject::tr("used by CAB A and CAB B"));
        break;
    default:
        setAccessibleDescription(QString());
        break;
    }
}

void QCabInetTypeItem::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        updateAccessibleTexts();
    QBaseItem::changeEvent(event);
}

void QCabInetTypeItem::setTheme(int theme) {
    mTheme = theme;
    update();
}

QRect QCabInetTypeItem::nameRect() const {
    // Room for both marks stays free, so a name does not jump when a mark comes or goes.
    const int right = width() - kRightMargin - 2 * kBadgeSize - kBadgeGap - 8;
    return QRect(kNameLeft, 0, qMax(0, right - kNameLeft), height());
}

QString QCabInetTypeItem::shownName() const {
    return fontMetrics().elidedText(mName, Qt::ElideRight, nameRect().width());
}

void QCabInetTypeItem::updateToolTip() {
    setToolTip(shownName() == mName ? QString() : mName);
}

void QCabInetTypeItem::resizeEvent(QResizeEvent* event) {
    QBaseItem::resizeEvent(event);
    updateToolTip();
}

void QCabInetTypeItem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), rowColor(mNumber, mTheme));
    const QColor accent(112, 134, 250);
    if (state() == StateSelected) {
        QColor fill = accent;
        fill.setAlpha(dark(mTheme) ? 70 : 30);
        painter.fillRect(rect(), fill);
        painter.fillRect(QRect(0, 0, 3, height()), accent);
    } else if (state() == StateHovered) {
        painter.fillRect(rect(),
                         dark(mTheme) ? QColor(255, 255, 255, 14) : QColor(112, 134, 250, 18));
    }

    const QColor text = dark(mTheme) ? QColor(255, 255, 255) : QColor(51, 51, 51);
    painter.setPen(numberColor(mTheme));
    painter.drawText(QRect(kNumberLeft, 0, kNameLeft - kNumberLeft, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, numberText(mNumber));
    painter.setPen(text);
    painter.drawText(nameRect(), Qt::AlignLeft | Qt::AlignVCenter, shownName());

    // CAB A's badge sits left of CAB B's, each in its cabinet's colour.
    QFont badgeFont = font();
    badgeFont.setBold(true);
    badgeFont.setPixelSize(11);
    painter.setFont(badgeFont);
    const int top = (height() - kBadgeSize) / 2;
    for (int cabinet = 0; cabinet < 2; ++cabinet) {
        if (!(mMark & (1 << cabinet)))
            continue;
        const int left =
            width() - kRightMargin - (2 - cabinet) * kBadgeSize - (1 - cabinet) * kBadgeGap;
        const QRect badge(left, top, kBadgeSize, kBadgeSize);
        QPainterPath path;
        path.addRoundedRect(badge, 4, 4);
        painter.fillPath(path, markColor(cabinet));
        painter.setPen(markTextColor());
        painter.drawText(badge, Qt::AlignCenter,
                         cabinet == 0 ? QStringLiteral("A") : QStringLiteral("B"));
    }
}
