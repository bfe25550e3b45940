#include "powerwarning.h"
#include "updateduration.h"

QString powerWarning(const powerState &state, qint64 updateNanoseconds)
{
    if (!powerTooShort(state, updateNanoseconds / 1000000))
        return {};
    const QString left = state.secondsLeft >= 0
                             ? "The battery has about " +
                                   updateDuration::text(state.secondsLeft * 1000000000) + " left"
                             : QString("The battery is at %1 %").arg(qRound(state.percentage));
    return left + ", and the update takes about " + updateDuration::text(updateNanoseconds) +
           ". If the computer turns off during the update, the fixture is left without working "
           "firmware. Connect the charger before you start.";
}
