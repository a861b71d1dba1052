// The font a page's dialog template names, and the conversion of the
// template's dialog units to pixels measured with that font: a horizontal
// unit is a quarter of the font's average Latin letter width, a vertical unit
// an eighth of its height. Measuring the font actually used (rather than
// fixed base units) is what keeps the Japanese texts inside their controls.
#pragma once

#include "dialog.h"

#include <QFont>
#include <QRect>
#include <QSize>

class DialogFont {
public:
    explicit DialogFont(const DialogTemplate& dialogTemplate);

    const QFont& Font() const { return m_font; }
    QRect ToPixels(short x, short y, short cx, short cy) const;
    QSize ToPixels(short cx, short cy) const { return ToPixels(0, 0, cx, cy).size(); }

private:
    QFont m_font;
    int m_baseX = 6;
    int m_baseY = 13;
};
