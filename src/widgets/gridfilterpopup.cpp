// SPDX-License-Identifier: LicenseRef-Mervak
#include "gridfilterpopup.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace Mervak {

namespace {

constexpr int kValueRole = Qt::UserRole + 1;

} // namespace

QString GridFilterPopup::emptyText()
{
    return QStringLiteral("(Boş)");
}

GridFilterPopup::GridFilterPopup(const QStringList &values, const QSet<QString> &chosen,
                                 bool filtered, QWidget *parent)
    : QFrame(parent, Qt::Popup)
    , m_list(new QListWidget(this))
    , m_find(new QLineEdit(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    m_find->setPlaceholderText(QStringLiteral("Ara..."));
    m_find->setClearButtonEnabled(true);
    m_list->setUniformItemSizes(true);

    m_updating = true;
    auto *all = new QListWidgetItem(QStringLiteral("(Tümü)"), m_list);
    all->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    for (const QString &value : values) {
        auto *item = new QListWidgetItem(value.isEmpty() ? emptyText() : value, m_list);
        item->setData(kValueRole, value);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(!filtered || chosen.contains(value) ? Qt::Checked : Qt::Unchecked);
    }
    m_updating = false;
    updateAllItem();

    auto *ok = new QPushButton(QStringLiteral("Tamam"), this);
    auto *cancel = new QPushButton(QStringLiteral("İptal"), this);
    ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(m_find);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(260, 320);

    connect(m_list, &QListWidget::itemChanged, this, &GridFilterPopup::onItemChanged);
    connect(m_find, &QLineEdit::textChanged, this, &GridFilterPopup::applyFind);
    connect(ok, &QPushButton::clicked, this, &GridFilterPopup::accept);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    m_find->setFocus();
}

void GridFilterPopup::updateAllItem()
{
    m_updating = true;
    int checked = 0;
    const int values = m_list->count() - 1;
    for (int i = 1; i < m_list->count(); ++i)
        checked += m_list->item(i)->checkState() == Qt::Checked ? 1 : 0;
    m_list->item(0)->setCheckState(checked == values ? Qt::Checked
                                   : checked == 0   ? Qt::Unchecked
                                                    : Qt::PartiallyChecked);
    m_updating = false;
}

void GridFilterPopup::onItemChanged(QListWidgetItem *item)
{
    if (m_updating)
        return;
    if (item == m_list->item(0)) {
        // "(Tümü)" ticks or unticks every value shown.
        const bool on = item->checkState() != Qt::Unchecked;
        m_updating = true;
        for (int i = 1; i < m_list->count(); ++i) {
            if (!m_list->item(i)->isHidden())
                m_list->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        }
        m_updating = false;
    }
    updateAllItem();
}

void GridFilterPopup::applyFind(const QString &text)
{
    for (int i = 1; i < m_list->count(); ++i) {
        QListWidgetItem *item = m_list->item(i);
        item->setHidden(!text.isEmpty() && !item->text().contains(text, Qt::CaseInsensitive));
    }
}

void GridFilterPopup::accept()
{
    QSet<QString> values;
    bool all = true;
    for (int i = 1; i < m_list->count(); ++i) {
        QListWidgetItem *item = m_list->item(i);
        if (item->checkState() == Qt::Checked)
            values.insert(item->data(kValueRole).toString());
        else
            all = false;
    }
    Q_EMIT applied(values, all);
    close();
}

} // namespace Mervak
