#ifndef PROGRAMTRANSLATION_H
#define PROGRAMTRANSLATION_H

#include <QStringList>
#include <QTranslator>

// The program's texts, and Qt's own (the file dialog, the buttons of the message boxes, the
// command line's usage), in the first of the given languages that the program speaks, for as
// long as this object lives. English has a catalogue of its own, empty as the code speaks it,
// so that a list such as en_US:de stops at English instead of mixing the two.
class programTranslation
{
public:
    explicit programTranslation(const QStringList &languages);
    ~programTranslation();

    // The technician's languages by gettext's rule: with a messages locale of C or POSIX,
    // English, whatever LANGUAGE says; Qt alone would read LANGUAGE first.
    static QStringList languagesOfEnvironment();

private:
    QTranslator program;
    QTranslator qt;
};

#endif
