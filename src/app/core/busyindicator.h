// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QWidget>

namespace Mervak {

/*!
    The turning busy animation beside the search edit and on the login button. It turns
    only while it is shown, so a hidden indicator costs nothing.
*/
class BusyIndicator : public QWidget
{
    Q_OBJECT

public:
    explicit BusyIndicator(QWidget *parent = nullptr, const QSize &size = QSize(28, 27));

    void setColor(const QColor &color);
    bool isAnimating() const { return m_timer.isActive(); }
    QSize sizeHint() const override { return m_size; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QBasicTimer m_timer;
    QColor m_color;
    QSize m_size;
    int m_step = 0;
};

} // namespace Mervak
