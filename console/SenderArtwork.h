// The console's own pictures: the program icon (a focus ring on a navy tile,
// with transmission waves) and the Ostrel logo of the version window. They
// are drawn by console/artwork/DrawArtwork.cpp and embedded as PNG files.
#ifndef CONSOLE_SENDERARTWORK_H
#define CONSOLE_SENDERARTWORK_H

#include <QIcon>
#include <QPixmap>

constexpr int SenderIconSize = 64;
constexpr int FocusLogoWidth = 152;
constexpr int FocusLogoHeight = 33;

// The icon picture at size × size pixels, transparent outside its tile
// (16, 24, 32, 48 and 64 are drawn; other sizes are scaled from 64).
QPixmap SenderIconPixmap(int size = SenderIconSize);
// The window icon in the usual sizes.
QIcon SenderIcon();
// The 152 × 33 logo.
QPixmap FocusLogoPixmap();

#endif
