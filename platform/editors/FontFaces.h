#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The faces the forms ask for, mapped to faces with the same metrics where the system has them,
// so that the sizes the forms were drawn with still hold their texts: Wine's Tahoma and MS Sans
// Serif, the Liberation faces for Times New Roman, Arial and Courier New, and a monospace face
// for the terminal face. Each face falls back to a DejaVu face when its relative is missing.
// Sizes are character heights in pixels at 96 dpi, as the forms give them.
class FontFaces
{
public:
    static QFont font(const QString &face, int pixelSize, bool bold = false);

    // The families tried for a face, best first; the last one every installation has.
    static QStringList candidates(const QString &face);
    // Registers the metric-compatible faces that are installed outside the system's font
    // folders; done once, before the first face is resolved.
    static void registerInstalledFaces();
};
