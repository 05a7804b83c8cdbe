// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QFrame>
#include <QSet>

class QListWidget;
class QListWidgetItem;
class QLineEdit;

namespace Mervak {

/*!
    The pop-up under a header's filter button: the column's distinct values with check marks,
    "(Tümü)" on top. "Tamam" applies the choice, which clears the column's filter when every
    value is ticked.
*/
class GridFilterPopup : public QFrame
{
    Q_OBJECT

public:
    static QString emptyText();   // how an empty value is listed

    GridFilterPopup(const QStringList &values, const QSet<QString> &chosen, bool filtered,
                    QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }

Q_SIGNALS:
    void applied(const QSet<QString> &values, bool all);

private:
    void updateAllItem();
    void onItemChanged(QListWidgetItem *item);
    void applyFind(const QString &text);
    void accept();

    QListWidget *m_list;
    QLineEdit *m_find;
    bool m_updating = false;
};

} // namespace Mervak
