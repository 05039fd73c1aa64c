#include "FontFaces.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStandardPaths>

namespace {

bool is(const QString &face, const char *name)
{
    return face.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// A family as the font database answers it, without the foundry it adds when two share a name.
QString resolvedFamily(const QFont &font)
{
    QString family = QFontInfo(font).family();
    const qsizetype foundry = family.indexOf(QLatin1String(" ["));
    return foundry < 0 ? family : family.left(foundry);
}

bool drawsWith(const QFont &font, const QString &family)
{
    return resolvedFamily(font).compare(family, Qt::CaseInsensitive) == 0;
}

QFont plain(const QString &family, int pixelSize, bool bold)
{
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace

void FontFaces::registerInstalledFaces()
{
    // Wine ships its faces in its own folder, outside fontconfig's.
    static const bool registered = [] {
        const QStringList folders =
            QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("wine/fonts"),
                                      QStandardPaths::LocateDirectory);
        for (const QString &folder : folders) {
            for (const char *file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"}) {
                const QString path = QDir(folder).filePath(QLatin1String(file));
                if (QFileInfo::exists(path))
                    QFontDatabase::addApplicationFont(path);
            }
        }
        return true;
    }();
    Q_UNUSED(registered);
}

QStringList FontFaces::candidates(const QString &face)
{
    if (is(face, "HE_TERMINAL"))
        return {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
    if (is(face, "Tahoma"))
        return {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")};
    if (is(face, "MS Sans Serif"))
        return {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    if (is(face, "Times New Roman"))
        return {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    if (is(face, "Arial"))
        return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    if (is(face, "Courier New"))
        return {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
    return {face};
}

QFont FontFaces::font(const QString &face, int pixelSize, bool bold)
{
    registerInstalledFaces();
    const QStringList families = candidates(face);
    const bool terminal = is(face, "HE_TERMINAL");
    for (const QString &family : families) {
        QFont f = plain(family, pixelSize, bold);
        if (!drawsWith(f, family))
            continue;
        if (terminal) {
            f.setStyleHint(QFont::Monospace);
            return f;
        }
        if (!QFontDatabase::isScalable(family)) {
            // A face of fixed sizes serves only when one of them has the asked character height;
            // it is asked for by its full height, the height the database knows it by.
            if (QFontMetrics(f).ascent() != pixelSize)
                continue;
            f.setPixelSize(QFontInfo(f).pixelSize());
        }
        return f;
    }
    QFont f = plain(families.constLast(), pixelSize, bold);
    if (terminal)
        f.setStyleHint(QFont::Monospace);
    return f;
}
