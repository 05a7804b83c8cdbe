// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "basketlink.h"
#include "baskettotals.h"
#include "tabload.h"

#include <QHash>
#include <QWidget>

#include <atomic>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace Mervak {

class DataGrid;
class DataSet;
class ItemEntry;
class ShellWindow;
class TONAYSIP;
struct ColumnSwitch;
class GridRow;

/*!
    The basket page: the basket held on the server, its tick marks (saved line by line), the
    totals of the ticked lines, the overdue-balance warning, changing and deleting lines, the
    Excel export and "Gönder", which sends the ticked lines as an order.
*/
class BasketPage : public QWidget, public BasketLink
{
    Q_OBJECT

public:
    static constexpr int WideWindowWidth = 1153;

    BasketPage(ShellWindow &shell, ItemEntry &itemEntry, QWidget *parent = nullptr);
    ~BasketPage() override;

    DataGrid *cxGrid2() const { return m_cxGrid2; }
    QMenu *PopupMenu1() const { return m_PopupMenu1; }
    TabLoad *load() const { return m_load; }
    QLabel *lbluyarbakiye() const { return m_lbluyarbakiye; }
    QLabel *aratoplaml() const { return m_aratoplaml; }
    QLabel *indiriml() const { return m_indiriml; }
    QLabel *nettutarl() const { return m_nettutarl; }
    QLabel *vergil() const { return m_vergil; }
    QLabel *geneltoplaml() const { return m_geneltoplaml; }
    QPushButton *Button1() const { return m_Button1; }
    QPushButton *Button2() const { return m_Button2; }
    QPushButton *Button4() const { return m_Button4; }
    QPushButton *Button5() const { return m_Button5; }

    void ApplyColumnSwitches(const QHash<QString, ColumnSwitch> &switches);

    // --- BasketLink
    DataSet *settledBasket() override;
    bool LoadBasket() override;

    // The tab is shown: reload the basket and look for an overdue balance.
    void ssepetShow();
    // Starts a reload in the background without waiting for it.
    void StartBasketLoad();
    BasketTotals ComputeBasketTotals();
    void LayoutBasketColumns();
    // Reports one line's tick mark; false when it did not reach the server.
    bool SaveLineSelection(int sirano, int secim);
    // The overdue-balance check on a thread of its own; the text lands in lbluyarbakiye.
    void CariBakiyeUyariBak();

    void cxGridDBTableView1DblClick();
    void Deitir1Click();      // "Satır Değiştir"
    void SatrSil1Click();     // "Satır Sil"
    void HepsiniSil1Click();  // "Hepsini Sil"
    void Button4Click();      // "Hepsini Seç"
    void Button5Click();      // "Seçimleri Kaldır"
    void Button2Click();      // "Excel Kaydet"
    void Button1Click();      // "Gönder"

    // Sends the ticked lines as an order; true when the server stored it.
    bool SendOrder(int teslim, int kargo, int kargoFirma, const QString &aciklama);

    // Ticks or unticks one line, saves it and updates the totals.
    void setLineSelection(int sirano, int secim);

Q_SIGNALS:
    void basketLoaded(bool failed);
    void warningChecked();
    // The confirmation dialog, filled, right before it is shown (for tests and screenshots).
    void confirmationAboutToShow(Mervak::TONAYSIP *dialog);

private:
    DataSet *sepet() const;
    void waitForLoad();
    void setActionsEnabled(bool on);
    void selectAll(int secim);
    void selectionFailed();
    bool isSelectColumn(const GridRow &row) const;
    TabLoad::Work prepareLoad();

    ShellWindow &m_shell;
    ItemEntry &m_itemEntry;
    DataGrid *m_cxGrid2 = nullptr;
    QMenu *m_PopupMenu1 = nullptr;
    QAction *m_Deitir1 = nullptr;
    QAction *m_SatrSil1 = nullptr;
    QAction *m_HepsiniSil1 = nullptr;
    QPushButton *m_Button4 = nullptr;
    QPushButton *m_Button5 = nullptr;
    QLabel *m_lbluyarbakiye = nullptr;
    QGroupBox *m_mesaj = nullptr;
    QLabel *m_aratoplaml = nullptr;
    QLabel *m_indiriml = nullptr;
    QLabel *m_nettutarl = nullptr;
    QLabel *m_vergil = nullptr;
    QLabel *m_geneltoplaml = nullptr;
    QPushButton *m_Button1 = nullptr;
    QPushButton *m_Button2 = nullptr;
    TabLoad *m_load = nullptr;
    std::shared_ptr<std::atomic<bool>> m_loadSucceeded;
    bool m_lastLoadOk = false;
    int m_warningRun = 0;
};

} // namespace Mervak
