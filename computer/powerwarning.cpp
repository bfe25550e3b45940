#include "powerwarning.h"
#include "updateduration.h"

#include <QCoreApplication>

QString powerWarning(const powerState &state, qint64 updateNanoseconds)
{
    if (!powerTooShort(state, updateNanoseconds / 1000000))
        return {};
    const QString update = updateDuration::text(updateNanoseconds);
    const QString left =
        state.secondsLeft >= 0
            ? QCoreApplication::translate(
                  "powerWarning", "The battery has about %1 left, and the update takes about %2.")
                  .arg(updateDuration::text(state.secondsLeft * 1000000000), update)
            : QCoreApplication::translate("powerWarning",
                                          "The battery is at %1 %, and the update takes about %2.")
                  .arg(qRound(state.percentage))
                  .arg(update);
    return left + ' ' +
           QCoreApplication::translate(
               "powerWarning", "If the computer turns off during the update, the fixture is left "
                               "without working firmware. Connect the charger before you start.");
}
