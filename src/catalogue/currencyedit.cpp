// SPDX-License-Identifier: LicenseRef-Mervak
#include "currencyedit.h"

#include "displayformat.h"

#include <QKeyEvent>
#include <QLocale>

namespace Mervak {

CurrencyEdit::CurrencyEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValue(0.0);
}

double CurrencyEdit::value() const
{
    if (isReadOnly())
        return m_value;
    // A typed amount: the user's grouping and decimal signs, as the box shows them.
    const QLocale locale;
    QString typedText = text().trimmed();
    typedText.remove(locale.groupSeparator());
    bool ok = false;
    const double typed = locale.toDouble(typedText, &ok);
    return ok ? typed : m_value;
}

void CurrencyEdit::setValue(double value)
{
    m_value = value;
    setText(formatFloat(QString::fromLatin1(MoneyFormat), value));
}

void CurrencyEdit::keyPressEvent(QKeyEvent *event)
{
    // Enter in an amount box is swallowed: it neither confirms the dialog nor does anything.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CurrencyEdit::keyReleaseEvent(QKeyEvent *event)
{
    QLineEdit::keyReleaseEvent(event);
    Q_EMIT keyReleased();
}

void CurrencyEdit::focusOutEvent(QFocusEvent *event)
{
    if (!isReadOnly())
        setValue(value());
    QLineEdit::focusOutEvent(event);
}

} // namespace Mervak
