// SPDX-License-Identifier: LicenseRef-Mervak
#include "tstokayarinti.h"

#include "cataloguetexts.h"
#include "currencyedit.h"
#include "datasetroutines.h"
#include "messagedialog.h"
#include "quantitybox.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace Mervak {

namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QFont tahoma(int pixels, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *caption(const char *utf8, QWidget *parent)
{
    auto label = new QLabel(text(utf8), parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setProperty("role", QStringLiteral("caption"));
    return label;
}

QLabel *value(const char *name, QWidget *parent)
{
    auto label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(tahoma(14, true));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return label;
}

CurrencyEdit *amount(const char *name, QWidget *parent)
{
    auto edit = new CurrencyEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFont(tahoma(15, true));
    edit->setFixedWidth(170);
    edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

} // namespace

QImage ItemPlaceholderPicture(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(248, 246, 251));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(image.rect()).adjusted(6, 6, -6, -6);
    p.setPen(QPen(QColor(206, 196, 222), 2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 10, 10);

    // A camera outline in the middle, the words under it.
    const QPointF centre(frame.center().x(), frame.center().y() - 14);
    const QRectF body(centre.x() - 44, centre.y() - 26, 88, 58);
    p.setPen(QPen(QColor(160, 140, 190), 4));
    p.drawRoundedRect(body, 9, 9);
    p.drawRect(QRectF(centre.x() - 16, body.top() - 10, 32, 10));
    p.drawEllipse(QPointF(centre.x(), centre.y() + 3), 17, 17);
    p.setPen(QColor(140, 120, 172));
    p.setFont(tahoma(15, true));
    p.drawText(QRectF(frame.left(), body.bottom() + 12, frame.width(), 24), Qt::AlignCenter,
               text(CatalogueTexts::NoPicture));
    return image;
}

Tstokayarinti::Tstokayarinti(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("stokayarinti"));
    setWindowTitle(text(CatalogueTexts::ItemEntryCaption));
    setFont(tahoma(13, true));
    setFixedSize(550, 631);

    auto main = new QVBoxLayout(this);
    main->setContentsMargins(16, 14, 16, 14);
    main->setSpacing(10);

    // Item identity.
    auto identity = new QGridLayout;
    identity->setHorizontalSpacing(10);
    identity->setVerticalSpacing(4);
    identity->setColumnStretch(1, 1);
    m_barkod = value("barkod", this);
    m_adi = value("adi", this);
    m_finishkod = value("finishkod", this);
    m_marka = value("marka", this);
    m_model = value("model", this);
    const std::pair<const char *, QLabel *> rows[] = {
        {CatalogueTexts::BarcodeLabel, m_barkod}, {CatalogueTexts::NameLabel, m_adi},
        {CatalogueTexts::FinishCodeLabel, m_finishkod}, {CatalogueTexts::BrandLabel, m_marka},
        {CatalogueTexts::ModelLabel, m_model}};
    int r = 0;
    for (const auto &[label, field] : rows) {
        identity->addWidget(caption(label, this), r, 0);
        identity->addWidget(field, r, 1);
        ++r;
    }
    m_barkod->setFont(tahoma(17, true));
    main->addLayout(identity);

    // The picture fills the middle.
    m_Image1 = new QLabel(this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    m_Image1->setAlignment(Qt::AlignCenter);
    m_Image1->setMinimumHeight(180);
    m_Image1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_Image1->setStyleSheet(QStringLiteral(
        "QLabel#Image1 { background: white; border: 1px solid #ddd5e8; border-radius: 6px; }"));
    main->addWidget(m_Image1, 1);

    // Quantity on the left, amounts on the right.
    auto amounts = new QFrame(this);
    amounts->setObjectName(QStringLiteral("tutarlar"));
    amounts->setStyleSheet(QStringLiteral(
        "QFrame#tutarlar { background: #f3eff8; border: 1px solid #ddd5e8; border-radius: 6px; }"
        "QFrame#tutarlar QLabel { background: transparent; }"));
    auto grid = new QGridLayout(amounts);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(2, 1);

    auto adetLabel = caption(CatalogueTexts::QuantityLabel, amounts);
    adetLabel->setFont(tahoma(16, true));
    m_adet = new QuantityBox(amounts);
    m_adet->setObjectName(QStringLiteral("adet"));
    m_adet->setRange(1, 10000);
    m_adet->setValue(1);
    m_adet->setFont(tahoma(22, true));
    m_adet->setFixedSize(120, 40);
    m_koliBilgi = new QLabel(amounts);
    m_koliBilgi->setObjectName(QStringLiteral("koliBilgi"));
    m_koliBilgi->setAlignment(Qt::AlignCenter);
    m_koliBilgi->setStyleSheet(QStringLiteral("color: #6a358e;"));
    grid->addWidget(adetLabel, 0, 0);
    grid->addWidget(m_adet, 0, 1);
    grid->addWidget(m_koliBilgi, 1, 0, 1, 2);

    m_Label2 = caption(CatalogueTexts::PriceLabel, amounts);
    m_Label2->setObjectName(QStringLiteral("Label2"));
    m_birimfiyat = amount("birimfiyat", amounts);
    m_indirimoran = caption(CatalogueTexts::DiscountLabel, amounts);
    m_indirimoran->setObjectName(QStringLiteral("indirimoran"));
    m_indirimoran->setWordWrap(true);
    m_indtutar = amount("indtutar", amounts);
    m_kdvdahiltutar = amount("kdvdahiltutar", amounts);
    m_geneltutar = amount("geneltutar", amounts);
    m_geneltutar->setFont(tahoma(18, true));
    m_geneltutar->setStyleSheet(QStringLiteral("color: #4b1f6f;"));
    auto toplamLabel = caption(CatalogueTexts::TotalLabel, amounts);
    toplamLabel->setFont(tahoma(16, true));
    grid->addWidget(m_Label2, 0, 2);
    grid->addWidget(m_birimfiyat, 0, 3);
    grid->addWidget(m_indirimoran, 1, 2);
    grid->addWidget(m_indtutar, 1, 3);
    grid->addWidget(caption(CatalogueTexts::VatIncludedLabel, amounts), 2, 2);
    grid->addWidget(m_kdvdahiltutar, 2, 3);
    grid->addWidget(toplamLabel, 3, 2);
    grid->addWidget(m_geneltutar, 3, 3);
    main->addWidget(amounts);

    auto buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    m_ParcaliTus1 = new QPushButton(text(CatalogueTexts::AddOrderButton), this);
    m_ParcaliTus1->setObjectName(QStringLiteral("ParcaliTus1"));
    m_ParcaliTus2 = new QPushButton(text(CatalogueTexts::CancelButton), this);
    m_ParcaliTus2->setObjectName(QStringLiteral("ParcaliTus2"));
    for (QPushButton *b : {m_ParcaliTus1, m_ParcaliTus2}) {
        b->setFont(tahoma(15, true));
        b->setMinimumSize(150, 40);
        // Enter confirms only from the quantity box; elsewhere it does nothing.
        b->setAutoDefault(false);
        b->setDefault(false);
        buttons->addWidget(b);
    }
    main->addLayout(buttons);

    setTabOrder(m_adet, m_ParcaliTus1);
    setTabOrder(m_ParcaliTus1, m_ParcaliTus2);

    connect(m_ParcaliTus1, &QPushButton::clicked, this, &Tstokayarinti::confirm);
    connect(m_ParcaliTus2, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_adet, &QuantityBox::returnPressed, this, &Tstokayarinti::confirm);
    connect(m_adet, &QuantityBox::valueChanged, this, &Tstokayarinti::adetChanged);
    for (CurrencyEdit *edit : {m_birimfiyat, m_indtutar, m_kdvdahiltutar, m_geneltutar})
        connect(edit, &CurrencyEdit::keyReleased, this, &Tstokayarinti::amountKeyReleased);

    setKoliadet(1);
    showPicture();
}

void Tstokayarinti::setKoliadet(int value)
{
    // An item without a readable box quantity is sold by the piece.
    if (value <= 0)
        value = 1;
    Fkoliadet = value;
    m_adet->setBox(value);
    m_adet->setSingleStep(value);
    m_adet->setValue(value);
    m_adet->setMinimum(value);
    m_koliBilgi->setText(value > 1 ? text(CatalogueTexts::BoxQuantityLabel) + QLatin1Char(' ')
                                         + QString::number(value)
                                   : QString());
}

std::optional<int> Tstokayarinti::quantity() const
{
    return m_adet->quantity();
}

void Tstokayarinti::setQuantity(int value)
{
    m_adet->setValue(value);
}

void Tstokayarinti::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_hasPicture = !picture.isNull();
    showPicture();
}

void Tstokayarinti::showPicture()
{
    const QSize area = m_Image1->contentsRect().size() - QSize(8, 8);
    if (area.width() <= 0 || area.height() <= 0)
        return;
    QImage image = m_hasPicture ? m_picture : ItemPlaceholderPicture(QSize(360, 240));
    if (image.width() > area.width() || image.height() > area.height())
        image = image.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_Image1->setPixmap(QPixmap::fromImage(image));
}

void Tstokayarinti::confirm()
{
    m_adet->settle(Fkoliadet);
    if (!m_adet->quantity()) {
        ShowMessageDialog(text(CatalogueTexts::EnterQuantity), mtWarning, mbOKOnly, mbOK);
        m_adet->setFocus();
        m_adet->selectAll();
        return;
    }
    accept();
}

void Tstokayarinti::adetChanged()
{
    m_geneltutar->setValue(RoundToCents(m_kdvdahiltutar->value() * m_adet->value()));
}

void Tstokayarinti::amountKeyReleased()
{
    m_geneltutar->setValue(RoundToCents(m_kdvdahiltutar->value() * m_adet->value()));
}

void Tstokayarinti::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_geneltutar->setValue(RoundToCents(m_adet->value() * kdvlifiyat));
    showPicture();
    m_adet->setFocus();
    m_adet->selectAll();
}

void Tstokayarinti::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    showPicture();
}

} // namespace Mervak
