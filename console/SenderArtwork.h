// The console's own pictures, drawn in code: the program icon (a focus ring
// over a navy picture, with a transmission arc) and the Ostrel logo of the
// version window.
#ifndef CONSOLE_SENDERARTWORK_H
#define CONSOLE_SENDERARTWORK_H

#include <QIcon>
#include <QPixmap>

constexpr int SenderIconSize = 64;
constexpr int FocusLogoWidth = 152;
constexpr int FocusLogoHeight = 33;

// The icon picture at size × size pixels, transparent outside its tile.
QPixmap SenderIconPixmap(int size = SenderIconSize);
// The window icon in the usual sizes.
QIcon SenderIcon();
// The 152 × 33 logo.
QPixmap FocusLogoPixmap();

#endif
