#ifndef POWERWARNING_H
#define POWERWARNING_H

#include "powercheck.h"

#include <QString>

// Why an update should not start on this battery, as the technician reads it before deciding:
// what the battery has left, how long the update takes, what a computer that turns off means
// for the fixture, and what to do. Empty when the power lasts for the update.
QString powerWarning(const powerState &state, qint64 updateNanoseconds);

#endif
