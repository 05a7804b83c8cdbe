// SPDX-License-Identifier: LicenseRef-Mervak
#include "quantitybox.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace Mervak {

namespace {

// Nine digits stay inside a 32-bit integer, far above any quantity the box allows.
constexpr int MaxDigits = 9;

} // namespace

int RoundUpToBox(int quantity, int box)
{
    if (box <= 0)
        box = 1;
    const int rest = quantity % box;
    if (rest > 0)
        quantity = quantity - rest + box;
    return quantity;
}

QuantityBox::QuantityBox(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(true);
    showValue(1);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (const auto q = quantity())
            Q_EMIT valueChanged(*q);
        else
            Q_EMIT valueChanged(0);
    });
}

std::optional<int> QuantityBox::quantity() const
{
    const QString text = lineEdit()->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

int QuantityBox::limited(int value) const
{
    return qBound(m_minimum, value, m_maximum);
}

void QuantityBox::showValue(int value)
{
    const QString text = QString::number(value);
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}

void QuantityBox::setValue(int value)
{
    const auto before = quantity();
    value = limited(value);
    showValue(value);
    if (before != value)
        Q_EMIT valueChanged(value);
}

void QuantityBox::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = qMax(minimum, maximum);
}

void QuantityBox::setMinimum(int minimum)
{
    // A minimum above the maximum would lift the maximum with it; the maximum is the box's
    // hard limit, so the minimum stops there.
    m_minimum = qMin(minimum, m_maximum);
    if (const auto q = quantity(); q && *q < m_minimum)
        setValue(m_minimum);
}

void QuantityBox::setSingleStep(int step)
{
    m_step = qMax(1, step);
}

void QuantityBox::settle(int box)
{
    const auto q = quantity();
    if (!q)
        return;
    setValue(limited(RoundUpToBox(*q, box)));
}

void QuantityBox::stepBy(int steps)
{
    const qint64 next = qint64(quantity().value_or(m_minimum)) + qint64(steps) * m_step;
    setValue(int(qBound(qint64(m_minimum), next, qint64(m_maximum))));
    selectAll();
}

QValidator::State QuantityBox::validate(QString &input, int &) const
{
    const QString text = input.trimmed();
    if (text.size() > MaxDigits)
        return QValidator::Invalid;
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

void QuantityBox::fixup(QString &) const
{
    // Settling is done by settle(); an empty box is left for the dialog to refuse.
}

QAbstractSpinBox::StepEnabled QuantityBox::stepEnabled() const
{
    const int q = quantity().value_or(m_minimum);
    StepEnabled enabled = StepNone;
    if (q < m_maximum)
        enabled |= StepUpEnabled;
    if (q > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void QuantityBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT returnPressed();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void QuantityBox::focusOutEvent(QFocusEvent *event)
{
    settle(m_box);
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace Mervak
