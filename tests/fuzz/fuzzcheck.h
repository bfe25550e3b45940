#ifndef FUZZCHECK_H
#define FUZZCHECK_H

#include <QtGlobal>

// Aborts, so that libFuzzer keeps the input that broke the rule and prints which rule it was.
inline void require(bool holds, const char *rule)
{
    if (!holds)
        qFatal("Broken rule: %s", rule);
}

#endif
