// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "baglantiu.h"
#include "shellwindow.h"

#include <QHash>
#include <QWidget>

#include <array>

class QLineEdit;

namespace Mervak {
class ServerConnection;
}

namespace Mervak {

/*!
    The parts of the main window the ordering pages use, without the login: a search edit,
    the tab control with its nine pages, the busy indicators and the data sets. The tests put
    the pages into it as the main window does.
*/
class TestShell : public QWidget, public ShellWindow
{
public:
    TestShell();
    ~TestShell() override;

    QWidget *window() override { return this; }
    PageControl *pageControl() const override { return m_pages; }
    QWidget *page(TabPage page) const override { return m_page[std::size_t(page)]; }
    BusyIndicator *busyIndicator(BusyGif gif) const override { return m_gifs[std::size_t(gif)]; }
    QLineEdit *searchEdit() const override { return m_araedit; }
    TSonucBilgisi &session() override { return m_session; }
    ServerConnection &connection() override { return *m_connection; }
    void setConnection(ServerConnection *connection) { m_connection = connection; }
    DataSet *dataSet(TabPage page) const override { return m_dataSets[std::size_t(page)]; }
    void setTabCaption(TabPage page, const QString &caption) override;
    QHash<QString, ColumnSwitch> columnSwitches() const override { return m_switches; }

    QString tabCaption(TabPage page) const;
    void setColumnSwitches(const QHash<QString, ColumnSwitch> &switches) { m_switches = switches; }
    // Puts a feature page into a tab page of the shell.
    void placePage(TabPage page, QWidget *content);

private:
    TSonucBilgisi m_session;
    ServerConnection *m_connection = nullptr;
    QLineEdit *m_araedit = nullptr;
    PageControl *m_pages = nullptr;
    std::array<QWidget *, TabPageCount> m_page{};
    std::array<BusyIndicator *, BusyGifCount> m_gifs{};
    std::array<DataSet *, TabPageCount> m_dataSets{};
    QHash<QString, ColumnSwitch> m_switches;
};

} // namespace Mervak
