// SPDX-License-Identifier: LicenseRef-Mervak
#include "gridcolumn.h"

namespace Mervak {

GridPicture PictureMap::pictureFor(qint64 value) const
{
    const auto found = byValue.constFind(value);
    return found != byValue.constEnd() ? *found : otherValues;
}

PictureMap PictureMap::stockStatus()
{
    PictureMap map;
    for (int code = 0; code <= 5; ++code)
        map.byValue.insert(code, GridPicture(code));
    return map;
}

PictureMap PictureMap::yesNo()
{
    PictureMap map;
    map.byValue.insert(0, GridPicture::No);
    map.byValue.insert(1, GridPicture::Yes);
    return map;
}

PictureMap PictureMap::yesOnly()
{
    PictureMap map;
    map.byValue.insert(1, GridPicture::Yes);
    return map;
}

PictureMap PictureMap::mark()
{
    PictureMap map;
    map.byValue.insert(1, GridPicture::HasPicture);
    return map;
}

bool GridRow::isValid() const
{
    return m_dataSet && m_row >= 0 && m_row < m_dataSet->rowCount();
}

int GridRow::fieldOf(const QString &field) const
{
    if (!isValid())
        return -1;
    return m_dataSet->fieldIndex(field);
}

bool GridRow::has(const QString &field) const
{
    return fieldOf(field) >= 0;
}

QVariant GridRow::value(const QString &field) const
{
    const int f = fieldOf(field);
    return f < 0 ? QVariant() : m_dataSet->value(m_row, f);
}

QString GridRow::text(const QString &field) const
{
    const int f = fieldOf(field);
    return f < 0 ? QString() : m_dataSet->displayText(m_row, f);
}

qint64 GridRow::intValue(const QString &field) const
{
    const int f = fieldOf(field);
    return f < 0 ? 0 : m_dataSet->intAt(m_row, f);
}

double GridRow::doubleValue(const QString &field) const
{
    const int f = fieldOf(field);
    return f < 0 ? 0.0 : m_dataSet->doubleAt(m_row, f);
}

QByteArray GridRow::blob(const QString &field) const
{
    const int f = fieldOf(field);
    return f < 0 ? QByteArray() : m_dataSet->blobAt(m_row, f);
}

QString GridColumn::chooserText() const
{
    if (!caption.isEmpty())
        return caption;
    return field.isEmpty() ? key() : field;
}

bool GridColumn::isPicture() const
{
    switch (kind) {
    case ColumnKind::StatusPicture:
    case ColumnKind::PictureMark:
    case ColumnKind::YesNoPicture:
        return true;
    default:
        return false;
    }
}

PictureMap GridColumn::effectivePictures() const
{
    if (!pictures.isEmpty())
        return pictures;
    switch (kind) {
    case ColumnKind::StatusPicture: return PictureMap::stockStatus();
    case ColumnKind::PictureMark: return PictureMap::mark();
    case ColumnKind::YesNoPicture: return PictureMap::yesNo();
    default: return {};
    }
}

} // namespace Mervak
