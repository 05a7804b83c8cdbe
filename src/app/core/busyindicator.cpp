// SPDX-License-Identifier: LicenseRef-Mervak
#include "busyindicator.h"

#include <QPainter>
#include <QTimerEvent>
#include <QtMath>

namespace Mervak {

namespace {
constexpr int Dots = 10;
constexpr int FrameMs = 80;
} // namespace

BusyIndicator::BusyIndicator(QWidget *parent, const QSize &size)
    : QWidget(parent)
    , m_color(0x7d, 0x45, 0xa3)
    , m_size(size)
{
    setFixedSize(size);
    setAttribute(Qt::WA_TranslucentBackground);
}

void BusyIndicator::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void BusyIndicator::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect()).center();
    const qreal radius = qMin(width(), height()) / 2.0 - 3.5;
    const qreal dot = qMax(1.6, radius / 3.8);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < Dots; ++i) {
        // The head of the tail is the newest dot; older ones fade.
        const int age = (m_step - i + Dots) % Dots;
        QColor col = m_color;
        col.setAlphaF(1.0 - age * (0.85 / Dots));
        p.setBrush(col);
        const qreal a = qDegreesToRadians(i * 360.0 / Dots - 90.0);
        const qreal r = dot * (1.0 - age * 0.045);
        p.drawEllipse(c + QPointF(radius * qCos(a), radius * qSin(a)), r, r);
    }
}

void BusyIndicator::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_step = (m_step + 1) % Dots;
    update();
}

void BusyIndicator::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_timer.start(FrameMs, this);
}

void BusyIndicator::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

} // namespace Mervak
