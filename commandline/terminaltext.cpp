#include "terminaltext.h"

QString withControlsEscaped(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar character : text) {
        const ushort code = character.unicode();
        if ((code < 0x20 && code != '\t') || (code >= 0x7f && code <= 0x9f))
            shown += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
        else
            shown += character;
    }
    return shown;
}
