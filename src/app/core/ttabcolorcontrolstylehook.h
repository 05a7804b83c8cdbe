// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

namespace Mervak {

/*!
    Draws one tab of the main window's tab control. A caption of the form count "=" title
    is drawn as the title, with the count in red parentheses at the top right when it is above
    0; a caption without a whole count is drawn as its title alone. The tab's picture stands
    at the left, 3 pixels in, centred vertically; the title is centred in the rest, wrapped.
*/
class TTabColorControlStyleHook
{
public:
    enum State { Normal, Hot, Selected };

    struct Layout
    {
        QString title;       // the caption's title part
        int count = 0;       // the count drawn; 0 draws none
        QString countText;   // "(12)", or empty
        QRect pictureRect;   // empty without a picture
        QRect titleRect;     // where the title is centred
        QRect countRect;     // the count is aligned to its top right
    };

    static Layout layout(const QRect &tabRect, const QString &caption, const QSize &pictureSize);
    static void paint(QPainter &painter, const QRect &tabRect, const QString &caption,
                      const QPixmap &picture, State state, const QFont &font);
};

} // namespace Mervak
