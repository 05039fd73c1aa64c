#include "FontFaces.h"

QString FontFaces::familyFor(const QString &face)
{
    if (face.compare(QLatin1String("HE_TERMINAL"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("DejaVu Sans Mono");
    if (face.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0
        || face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("DejaVu Sans");
    return face;
}

QFont FontFaces::font(const QString &face, int pixelSize)
{
    QFont f(familyFor(face));
    f.setPixelSize(pixelSize);
    if (f.family().contains(QLatin1String("Mono")))
        f.setStyleHint(QFont::Monospace);
    return f;
}
