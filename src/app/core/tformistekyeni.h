// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QDialog>

class QPushButton;

namespace Mervak {

class WebBrowser;

/*!
    The distributor's request form in a window of its own: the browser `sitem` above a strip
    with "Kapat". The login shows it to a computer the server does not know yet.
*/
class Tformistekyeni : public QDialog
{
    Q_OBJECT

public:
    explicit Tformistekyeni(QWidget *parent = nullptr);

    WebBrowser *sitem() const { return m_sitem; }
    QPushButton *Button1() const { return m_Button1; }

    // The request page for this computer: WebBase + "formmailgonder.aspx?carino=0&kullanici=
    // &id=" + the computer ID, as it is (the browser encodes the blank).
    static QString requestAddress(const QString &webBase, const QString &computerId);

private:
    WebBrowser *m_sitem = nullptr;
    QPushButton *m_Button1 = nullptr;
};

} // namespace Mervak
