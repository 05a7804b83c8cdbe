// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QLineEdit>

namespace Mervak {

/*!
    An amount box of the item entry: shows its value in the money format, right-aligned.
    Read-only unless the opener allows typing; a typed amount is read back with the user's
    number format.
*/
class CurrencyEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CurrencyEdit(QWidget *parent = nullptr);

    double value() const;
    void setValue(double value);

Q_SIGNALS:
    void keyReleased();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    double m_value = 0.0;
};

} // namespace Mervak
