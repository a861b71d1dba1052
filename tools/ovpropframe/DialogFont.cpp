#include "DialogFont.h"

#include <QFontMetrics>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace {

// The templates name Windows dialog fonts; the Japanese gothic fonts
// installed here have the metrics and glyphs those texts were laid out for.
void InstallDialogFontSubstitutions()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    const QStringList gothic{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    for (const char* family : {"MS Shell Dlg", "MS Shell Dlg 2", "MS UI Gothic"})
        QFont::insertSubstitutions(QString::fromUtf8(family), gothic);
}

// A Windows point is 1/72 inch on a 96-dpi screen, whatever the platform
// plugin claims its resolution is, so pages look alike everywhere.
int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

} // namespace

DialogFont::DialogFont(const DialogTemplate& dialogTemplate)
{
    InstallDialogFontSubstitutions();
    const char16_t* name = dialogTemplate.fontName ? dialogTemplate.fontName : u"MS Shell Dlg";
    m_font = QFont(QString::fromUtf16(name));
    m_font.setPixelSize(PointsToPixels(dialogTemplate.pointSize ? dialogTemplate.pointSize : 8));
    const QFontMetrics metrics(m_font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = std::max(1, (metrics.horizontalAdvance(letters) / 26 + 1) / 2);
    m_baseY = std::max(1, metrics.height());
}

QRect DialogFont::ToPixels(short x, short y, short cx, short cy) const
{
    const auto horizontal = [this](int units) { return (units * m_baseX + 2) / 4; };
    const auto vertical = [this](int units) { return (units * m_baseY + 4) / 8; };
    const int left = horizontal(x), top = vertical(y);
    return QRect(left, top, horizontal(x + cx) - left, vertical(y + cy) - top);
}
