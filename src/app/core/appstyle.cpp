// SPDX-License-Identifier: LicenseRef-Mervak
#include "appstyle.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace Mervak {

namespace {

const char StyleSheet[] = R"(
QMainWindow, QDialog { background: #f4f1f8; }
QToolTip { color: #ffffff; background: #4a2466; border: 1px solid #2b1242; }

/* header and its labels */
QFrame#Panel1 {
    background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #351850, stop:0.55 #5a2c7a,
                                stop:1 #6a358e);
    border: none; border-radius: 6px;
}
QFrame#Panel1 QLabel { color: #ffffff; background: transparent; }
QFrame#Panel1 QLabel[role="caption"] { color: #d9c6ea; }
QFrame#GridPanel1 { background: transparent; }

/* split menu button */
QToolButton#Button3 {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8a52b0, stop:1 #5d2f7c);
    border: 1px solid #c9a9e0; border-radius: 6px; color: #ffffff;
}
QToolButton#Button3:hover { background: #9b5cc4; }
QToolButton#Button3:pressed { background: #4a2466; }
QToolButton#Button3::menu-button { border-left: 1px solid #c9a9e0; width: 18px; }

/* search bar */
QFrame#Panel2 {
    background: #e8e0f0; border: 1px solid #c4b3d6; border-top-color: #a58cbd;
    border-radius: 4px;
}
QLineEdit#araedit {
    background: #ffffff; border: 1px solid #9b7bb8; border-radius: 3px; padding: 0 4px;
    selection-background-color: #9b5cc4;
}
QLineEdit#araedit:focus { border: 2px solid #7d45a3; }
QLineEdit#araedit:disabled { background: #ece8f0; color: #777777; }
QToolButton#SpeedButton1, QToolButton#SpeedButton2 {
    background: transparent; border: 1px solid transparent; border-radius: 3px;
}
QToolButton#SpeedButton1:hover, QToolButton#SpeedButton2:hover {
    background: #d8c8e8; border-color: #9b7bb8;
}

/* buttons */
QPushButton {
    color: #ffffff; font-weight: bold; padding: 4px 14px; border-radius: 4px;
    border: 1px solid #3b1c58;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8a52b0, stop:1 #5d2f7c);
}
QPushButton:hover { background: #9b5cc4; }
QPushButton:pressed { background: #4a2466; }
QPushButton:disabled { background: #b7a6c6; color: #efe9f4; border-color: #a08db3; }
QPushButton:focus { border: 1px solid #f0c040; }

QLineEdit, QSpinBox, QDoubleSpinBox, QComboBox, QDateEdit, QPlainTextEdit, QTextEdit {
    background: #ffffff; border: 1px solid #a995bd; border-radius: 3px;
    selection-background-color: #9b5cc4;
}
QLineEdit:focus, QSpinBox:focus, QComboBox:focus { border: 1px solid #7d45a3; }
QCheckBox, QRadioButton { spacing: 6px; }

QMenu { background: #ffffff; border: 1px solid #7d45a3; padding: 3px; }
QMenu::item { padding: 6px 26px 6px 22px; }
QMenu::item:selected { background: #9b5cc4; color: #ffffff; }
QMenu::separator { height: 1px; background: #d7c9e4; margin: 3px 6px; }

/* grids */
QTableView, QTreeView {
    background: rgb(239,239,239); alternate-background-color: rgb(255,255,255);
    gridline-color: #d4d4d4; selection-background-color: rgb(210,240,249);
    selection-color: #000000; border: 1px solid #b9aacb;
}
QHeaderView::section {
    background: rgb(61,65,74); color: #ffffff; font-family: Arial; font-size: 13px;
    font-weight: bold; padding: 4px; border: none; border-right: 1px solid #555a66;
    border-bottom: 1px solid #2d3038;
}
QTableCornerButton::section { background: rgb(66,66,66); border: none; }
QHeaderView::section:vertical { background: rgb(66,66,66); }

/* status legend and footer */
QFrame#Panel3 { background: #ece6f2; border-top: 1px solid #cbbcdb; }
QFrame#Panel3 QLabel {
    color: rgb(67,76,88); font-family: "MS Sans Serif"; font-size: 11px; font-weight: bold;
}
QFrame#Panel5 {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a2466, stop:1 #351850);
    border: none; border-radius: 4px;
}
QFrame#Panel5 QLabel { color: #ffffff; }

QProgressBar {
    border: 1px solid #7d45a3; border-radius: 3px; background: #ffffff; text-align: center;
}
QProgressBar::chunk { background: #8a52b0; }

QScrollBar:vertical { background: #eee9f3; width: 14px; margin: 0; }
QScrollBar::handle:vertical { background: #b89bd0; min-height: 24px; border-radius: 5px; margin: 2px; }
QScrollBar:horizontal { background: #eee9f3; height: 14px; margin: 0; }
QScrollBar::handle:horizontal { background: #b89bd0; min-width: 24px; border-radius: 5px; margin: 2px; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
)";

} // namespace

QString AppStyleSheet()
{
    return QString::fromUtf8(StyleSheet);
}

bool ApplyAppStyle(QApplication &app)
{
    // Tahoma is the program's face; machines without it take a close sans face.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});

    QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    if (fusion)
        app.setStyle(fusion);

    QPalette palette = app.palette();
    palette.setColor(QPalette::Window, AppColors::Window);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, AppColors::GridAlternate);
    palette.setColor(QPalette::Highlight, QColor(0x9b, 0x5c, 0xc4));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Button, QColor(0xe6, 0xdc, 0xef));
    palette.setColor(QPalette::ToolTipBase, QColor(0x4a, 0x24, 0x66));
    palette.setColor(QPalette::ToolTipText, Qt::white);
    app.setPalette(palette);

    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    app.setFont(font);

    app.setStyleSheet(AppStyleSheet());
    return fusion != nullptr;
}

} // namespace Mervak
