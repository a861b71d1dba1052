// The leading decimal integer of a text, read as the C library's atol reads
// it: optional blanks and sign, then digits; 0 when there are none. Clamped
// to int, the width every engine setter takes.
#ifndef CONSOLE_LEADINGINTEGER_H
#define CONSOLE_LEADINGINTEGER_H

#include <QString>

int LeadingInteger(const QString& text);

#endif
