// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;

namespace Mervak {

/*!
    A page of the distributor's web side inside a window: an embedded browser where Qt
    WebEngine is installed; otherwise the page is opened in the user's default browser and
    this widget says so, with a button to open it again.
*/
class WebBrowser : public QWidget
{
    Q_OBJECT

public:
    explicit WebBrowser(QWidget *parent = nullptr);

    void navigate(const QUrl &url);
    QUrl url() const { return m_url; }
    static bool isEmbedded();

private:
    QUrl m_url;
    QWidget *m_view = nullptr;
    QLabel *m_address = nullptr;
};

} // namespace Mervak
