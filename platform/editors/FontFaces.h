#pragma once

#include <QFont>
#include <QString>

// The faces the forms ask for, mapped to faces every installation has: the terminal face to a
// monospace face, the Windows sans faces to DejaVu Sans. Sizes are pixel heights at 96 dpi.
class FontFaces
{
public:
    static QString familyFor(const QString &face);
    static QFont font(const QString &face, int pixelSize);
};
