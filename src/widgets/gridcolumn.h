// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include "dataset.h"
#include "gridpictures.h"

#include <QColor>
#include <QFont>
#include <QMap>
#include <QMetaType>
#include <QRect>
#include <QString>

#include <functional>

class QPainter;

namespace Mervak {

// How a column shows its value.
enum class ColumnKind {
    Text,          // one line, cut with an ellipsis
    WrappedText,   // word-wrapped over the row height
    CentredLabel,  // one line centred horizontally
    StatusPicture, // stock status code 0-5 to its picture, other values nothing
    PictureMark,   // a picture for 1, nothing for 0
    YesNoPicture,  // yes and no pictures by value
    CheckBox,      // integer 0/1 field; a click asks to toggle it (DataGrid::checkToggled)
    Drawn,         // painted by the column's own function
    Picture        // image bytes of a blob field, scaled into the cell
};

// Value of an integer field to a picture. Values not listed show otherValues.
struct PictureMap
{
    QMap<qint64, GridPicture> byValue;
    GridPicture otherValues = GridPicture::None;

    bool isEmpty() const { return byValue.isEmpty() && otherValues == GridPicture::None; }
    GridPicture pictureFor(qint64 value) const;

    static PictureMap stockStatus();   // 0-5 to the status pictures
    static PictureMap yesNo();         // 0 no, 1 yes
    static PictureMap yesOnly();       // 1 yes, 0 nothing
    static PictureMap mark();          // 1 the picture mark, 0 nothing
};

/*!
    One row of the data set shown by a grid, handed to the owner's handlers so they read the
    row's values by field name. It points into the data set: use it inside the handler only.
*/
class GridRow
{
public:
    GridRow() = default;
    GridRow(const DataSet *dataSet, int row, const QString &column = {})
        : m_dataSet(dataSet), m_row(row), m_column(column) {}

    bool isValid() const;
    int row() const { return isValid() ? m_row : -1; }     // the data set row
    QString column() const { return m_column; }            // key of the column pointed at
    const DataSet *dataSet() const { return m_dataSet; }

    bool has(const QString &field) const;
    QVariant value(const QString &field) const;             // invalid for null or no field
    QString text(const QString &field) const;               // display text
    qint64 intValue(const QString &field) const;
    double doubleValue(const QString &field) const;
    QByteArray blob(const QString &field) const;

private:
    int fieldOf(const QString &field) const;

    const DataSet *m_dataSet = nullptr;
    int m_row = -1;
    QString m_column;
};

// What a drawn column's function gets: the background is already filled.
struct GridCell
{
    QRect rect;
    bool selected = false;
    bool evenRow = false;
    QColor background;
    QColor textColour;
    QFont font;
    GridRow row;
};

using CellPainter = std::function<void(QPainter *painter, const GridCell &cell)>;
using CellText = std::function<QString(const GridRow &row)>;

/*!
    One column of a grid, as the lists declare them:

        {.field = "DURUM", .caption = "Durum", .weight = 1, .kind = ColumnKind::StatusPicture}

    A column is found by its key: its name when it has one, otherwise its field. Give a second
    column on the same field a name of its own so that switching by key finds the right one.
*/
struct GridColumn
{
    QString field = {};             // empty for a drawn column
    QString caption = {};           // empty: an empty header (see fieldCaption)
    int weight = 1;                 // share in the weight layout
    bool shown = true;              // shown at start
    bool offered = true;            // offered in the column chooser
    ColumnKind kind = ColumnKind::Text;
    int width = 84;                 // start width in pixels
    Qt::Alignment alignment = {};   // empty: numbers right, labels centred, others left
    Qt::Alignment headerAlignment = Qt::AlignCenter;
    bool wrap = false;              // word wrap besides ColumnKind::WrappedText
    bool fieldCaption = false;      // the header shows the field name
    QString name = {};              // key for switching; defaults to the field
    PictureMap pictures = {};       // empty: the kind's own mapping
    CellPainter paint = {};         // ColumnKind::Drawn
    CellText text = {};             // text of a drawn column for search, filter and export

    QString key() const { return name.isEmpty() ? field : name; }
    QString headerText() const { return fieldCaption ? field : caption; }
    QString chooserText() const;    // caption, else the field name, else the key
    bool wraps() const { return wrap || kind == ColumnKind::WrappedText; }
    bool isPicture() const;
    PictureMap effectivePictures() const;
};

enum class SummaryKind { Count, Sum };

// A footer summary shown under the column with key `column`.
struct GridSummary
{
    QString column = {};
    SummaryKind kind = SummaryKind::Count;
    QString field = {};   // the field summed; empty: the column's field
    QString format = {};  // display format; empty: the field's display format
};

} // namespace Mervak

Q_DECLARE_METATYPE(Mervak::GridRow)
