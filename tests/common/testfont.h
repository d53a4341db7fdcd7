#ifndef TESTFONT_H
#define TESTFONT_H

#include <QFont>
#include <QString>

// The font of every test that measures or draws text: a face of fonts-dejavu-core at a fixed
// pixel size with an explicit hinting preference. Linux (fontconfig) and Windows default to
// different hinting; with the preference set, the same font file gives the same metrics on
// both.
inline QFont testFont(const char *family, int pixelSize)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

// The same at a size in points, as a panel sets it, bold or italic (in DejaVu: the Bold and
// the Oblique face) when asked.
inline QFont testPointFont(const char *family, int pointSize, bool bold = false,
                           bool italic = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSize(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

// How far an antialiased glyph pixel may be from its expected colour, per channel. Qt for
// Windows rasterises with its bundled FreeType, which rounds a few coverage values one step
// away from Debian's; bars, ticks and borders are always compared exactly.
constexpr int glyphTolerance()
{
#if defined(Q_OS_WIN)
    return 2;
#else
    return 0;
#endif
}

#endif // TESTFONT_H
