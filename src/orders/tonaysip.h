// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace Mervak {

class DataSet;
class ServerConnection;
class TSonucBilgisi;

/*!
    The order confirmation ("Sipariş Onay"): who orders for which customer and the grand total,
    the overdue-balance warning, and the choice of delivery type, cargo type and cargo company
    with the company's notice, and a message. OK only through "Evet" after the checks.
*/
class TONAYSIP : public QDialog
{
    Q_OBJECT

public:
    // Ac: fills the summary and the warning and loads the delivery and cargo types.
    TONAYSIP(QWidget *owner, ServerConnection &_c, const QString &mesaj, TSonucBilgisi &sbilgi,
             const QString &toplam);
    ~TONAYSIP() override;

    void setWarning(const QString &text);
    QString aciklama() const;

    // Set on confirmation.
    int td = 0;   // delivery type id
    int kt = 0;   // cargo type id
    int KN = 0;   // SIRANO of the cargo company

    // --- controls
    QGroupBox *teslimbox() const { return m_teslimbox; }
    QGroupBox *boxkargo() const { return m_boxkargo; }
    QList<QRadioButton *> teslimItems() const { return m_teslimItems; }
    QList<QRadioButton *> kargoItems() const { return m_kargoItems; }
    QComboBox *kargocombo() const { return m_kargocombo; }
    QLabel *uyarikargo() const { return m_uyarikargo; }
    QPlainTextEdit *aciklamagir() const { return m_aciklamagir; }
    QLabel *Label1() const { return m_Label1; }
    QLabel *Label2() const { return m_Label2; }
    QLabel *Label3() const { return m_Label3; }
    QPushButton *Button1() const { return m_Button1; }
    QPushButton *Button2() const { return m_Button2; }
    DataSet &kargo() const { return *m_kargo; }

    // The summary: user, customer and amount lined up for a fixed-pitch font.
    static QString SummaryText(const QString &user, const QString &customer,
                               const QString &amount);

    void LoadDeliveryAndCargoTypes();
    void LoadCargoCompanies(int cargoType);
    void boxkargoClick();
    void kargocomboChange();
    void Button1Click();   // "Evet"

private:
    void fillGroup(QGroupBox *group, QButtonGroup *buttons, QList<QRadioButton *> &items,
                   QList<int> &ids, const DataSet &rows);
    int selectedIndex(const QList<QRadioButton *> &items) const;

    std::unique_ptr<DataSet> m_kargo;
    ServerConnection &m_bagc;
    TSonucBilgisi &m_sbilgi;
    QString m_toplam;

    QGroupBox *m_teslimbox = nullptr;
    QButtonGroup *m_teslimButtons = nullptr;
    QList<QRadioButton *> m_teslimItems;
    QList<int> m_teslimIds;
    QGroupBox *m_boxkargo = nullptr;
    QButtonGroup *m_kargoButtons = nullptr;
    QList<QRadioButton *> m_kargoItems;
    QList<int> m_kargoIds;
    QComboBox *m_kargocombo = nullptr;
    QLabel *m_uyarikargo = nullptr;
    QPlainTextEdit *m_aciklamagir = nullptr;
    QLabel *m_Label1 = nullptr;
    QLabel *m_Label2 = nullptr;
    QLabel *m_Label3 = nullptr;
    QPushButton *m_Button1 = nullptr;
    QPushButton *m_Button2 = nullptr;
};

} // namespace Mervak
