// The window's shared values in Qt's own types, for the window and for its tests.
#pragma once

#include "form1.h"

#include <QColor>
#include <QString>

#include <string_view>

namespace levelwise {

inline QString Text(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

inline QColor Colour(form::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

}  // namespace levelwise
