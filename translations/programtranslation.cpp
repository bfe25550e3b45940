#include "programtranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

programTranslation::programTranslation(const QStringList &languages)
{
    // The catalogues are compiled into the program, from a library that nothing else references.
    Q_INIT_RESOURCE(translations);
    for (QString language : languages) {
        // QLocale writes de-DE, the catalogues' names de_DE; the loader falls back to de.
        language.replace('-', '_');
        if (!program.load("fixture-software-updater_" + language, ":/translations"))
            continue;
        QCoreApplication::installTranslator(&program);
        if (qt.load("qtbase_" + language, QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&qt);
        return;
    }
}

programTranslation::~programTranslation()
{
    QCoreApplication::removeTranslator(&qt);
    QCoreApplication::removeTranslator(&program);
}

QStringList programTranslation::languagesOfEnvironment()
{
    QByteArray messages = qgetenv("LC_ALL");
    if (messages.isEmpty())
        messages = qgetenv("LC_MESSAGES");
    if (messages.isEmpty())
        messages = qgetenv("LANG");
    if (messages.isEmpty() || messages == "C" || messages == "POSIX" || messages.startsWith("C."))
        return {};
    return QLocale::system().uiLanguages();
}
