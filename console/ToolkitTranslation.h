// The toolkit's own texts (file dialog labels and buttons, message box
// buttons) in the console's language, from the translations Qt installs;
// English, the toolkit's own, for a language without one.
#ifndef CONSOLE_TOOLKITTRANSLATION_H
#define CONSOLE_TOOLKITTRANSLATION_H

#include <QString>

// Replaces the toolkit translation installed before. True when one was found.
bool InstallToolkitTranslation(const QString& code);

#endif
