// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Mervak {

class BusyIndicator;
class ServerConnection;
class TSonucBilgisi;

/*!
    The login. Finds the machine's public address, picks the server address from it, fetches
    the session record for this computer ID and compares the typed name and password with it.
    Ends with Accepted only when the user may work; the other ways out end the program.
*/
class Tgirisform : public QDialog
{
    Q_OBJECT

public:
    explicit Tgirisform(QWidget *parent = nullptr);
    ~Tgirisform() override;

    void setBagim(ServerConnection *connection) { bagim = connection; }
    void setBilgim(TSonucBilgisi *bilgi) { Bilgim = bilgi; }

    // "ayar.ini" in the settings folder.
    static QString settingsPath();
    static QString upperCased(const QString &text);

    // The fields of the dialog.
    QString idsi;
    bool baglimi = false;
    ServerConnection *bagim = nullptr;
    TSonucBilgisi *Bilgim = nullptr;

    QLineEdit *adi() const { return m_adi; }
    QLineEdit *sifre() const { return m_sifre; }
    QCheckBox *benihatirla() const { return m_benihatirla; }
    QPushButton *Button1() const { return m_Button1; }
    QPushButton *Button2() const { return m_Button2; }
    BusyIndicator *busy() const { return m_RxGIFAnimator1; }

    void Button1Click();
    void Button2Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void loadSettings();
    void saveSettings();
    void adiKeyDown();
    void sifreKeyDown();
    void Devamet(const QString &address);
    void Checks(bool dogrusonuc);
    void backToIdle(bool focusName);
    void upperCaseEdit(QLineEdit *edit, const QString &text);

    QLabel *m_Image1 = nullptr;
    QLabel *m_RxLabel1 = nullptr;
    QCheckBox *m_benihatirla = nullptr;
    QLineEdit *m_adi = nullptr;
    QLineEdit *m_sifre = nullptr;
    QPushButton *m_Button1 = nullptr;
    QPushButton *m_Button2 = nullptr;
    BusyIndicator *m_RxGIFAnimator1 = nullptr;
};

} // namespace Mervak
