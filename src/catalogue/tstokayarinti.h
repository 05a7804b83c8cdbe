// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QDialog>
#include <QImage>

#include <optional>

class QLabel;
class QPushButton;

namespace Mervak {

class CurrencyEdit;
class QuantityBox;

/*!
    The item entry dialog ("Sepete Ekle"): the item's codes, name, brand, model and picture,
    its prices and the quantity, which moves in whole boxes of koliadet. The opener fills it
    from a list row, shows it modally and sends the line on OK; the dialog itself talks to no
    server.
*/
class Tstokayarinti : public QDialog
{
    Q_OBJECT

public:
    explicit Tstokayarinti(QWidget *parent = nullptr);

    // The box quantity. Setting it makes the arrows step by whole boxes, starts the entry at
    // one box and offers nothing below it; 0 or less counts as a box of 1.
    int koliadet() const { return Fkoliadet; }
    void setKoliadet(int value);

    // The typed quantity; empty when the box was left empty.
    std::optional<int> quantity() const;
    void setQuantity(int value);
    void setPicture(const QImage &picture);   // a null image keeps the placeholder
    bool hasPicture() const { return m_hasPicture; }

    double kdvlifiyat = 0.0;   // VAT-inclusive unit price for the total shown at opening
    double kdvoran = 0.0;      // VAT rate in percent
    double ind1 = 0.0;
    double ind2 = 0.0;
    double ind3 = 0.0;
    double ind4 = 0.0;

    // --- controls
    QLabel *barkod() const { return m_barkod; }
    QLabel *adi() const { return m_adi; }
    QLabel *finishkod() const { return m_finishkod; }
    QLabel *marka() const { return m_marka; }
    QLabel *model() const { return m_model; }
    QLabel *Image1() const { return m_Image1; }
    QuantityBox *adet() const { return m_adet; }
    QLabel *Label2() const { return m_Label2; }
    CurrencyEdit *birimfiyat() const { return m_birimfiyat; }
    QLabel *indirimoran() const { return m_indirimoran; }
    CurrencyEdit *indtutar() const { return m_indtutar; }
    CurrencyEdit *kdvdahiltutar() const { return m_kdvdahiltutar; }
    CurrencyEdit *geneltutar() const { return m_geneltutar; }
    QPushButton *ParcaliTus1() const { return m_ParcaliTus1; }
    QPushButton *ParcaliTus2() const { return m_ParcaliTus2; }

    // "Sipariş ekle": settles the quantity to whole boxes, refuses an empty box, closes with OK.
    void confirm();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void adetChanged();
    void amountKeyReleased();
    void showPicture();

    int Fkoliadet = 1;
    QImage m_picture;
    bool m_hasPicture = false;

    QLabel *m_barkod = nullptr;
    QLabel *m_adi = nullptr;
    QLabel *m_finishkod = nullptr;
    QLabel *m_marka = nullptr;
    QLabel *m_model = nullptr;
    QLabel *m_Image1 = nullptr;
    QuantityBox *m_adet = nullptr;
    QLabel *m_koliBilgi = nullptr;
    QLabel *m_Label2 = nullptr;
    CurrencyEdit *m_birimfiyat = nullptr;
    QLabel *m_indirimoran = nullptr;
    CurrencyEdit *m_indtutar = nullptr;
    CurrencyEdit *m_kdvdahiltutar = nullptr;
    CurrencyEdit *m_geneltutar = nullptr;
    QPushButton *m_ParcaliTus1 = nullptr;
    QPushButton *m_ParcaliTus2 = nullptr;
};

// The picture shown while an item has none (or it could not be read).
QImage ItemPlaceholderPicture(const QSize &size = QSize(360, 240));

} // namespace Mervak
