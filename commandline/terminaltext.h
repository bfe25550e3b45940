#ifndef TERMINALTEXT_H
#define TERMINALTEXT_H

#include <QString>

// A text from outside (a header value, a path, a port's name) as the command line prints it:
// control characters are shown escaped, as in \x1b, so that an escape sequence in an update file
// can neither retitle nor clear the technician's terminal, nor forge a line in the system log.
// That is every C0 character but the tab, DEL and every C1 character.
QString withControlsEscaped(const QString &text);

#endif
