// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QAbstractSpinBox>

#include <optional>

namespace Mervak {

// The next whole number of boxes at or above \a quantity; a box of 0 or less counts as 1.
int RoundUpToBox(int quantity, int box);

/*!
    The quantity box of the item entry: a spin box that takes any digits while typing and
    keeps the quantity between its minimum and maximum only when it is settled (the focus
    leaves it, Enter, the arrows). An empty box stays empty, so that the dialog can refuse it
    instead of guessing a quantity.
*/
class QuantityBox : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit QuantityBox(QWidget *parent = nullptr);

    // The typed quantity; empty when the box is empty.
    std::optional<int> quantity() const;
    int value() const { return quantity().value_or(0); }
    void setValue(int value);   // limited to the range

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    void setRange(int minimum, int maximum);
    void setMinimum(int minimum);
    int singleStep() const { return m_step; }
    void setSingleStep(int step);

    /*!
        Rounds the typed quantity up to whole boxes of \a box and holds it between the minimum
        and the maximum. Nothing happens to an empty box.
    */
    void settle(int box);
    // The box the focus-out settling rounds to; set by the item entry's box quantity.
    void setBox(int box) { m_box = box; }

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

Q_SIGNALS:
    void valueChanged(int value);
    void returnPressed();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showValue(int value);
    int limited(int value) const;

    int m_minimum = 1;
    int m_maximum = 10000;
    int m_step = 1;
    int m_box = 1;
};

} // namespace Mervak
