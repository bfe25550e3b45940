#include "computerlog.h"

Q_LOGGING_CATEGORY(computerLog, "fixture-software-updater.computer", QtInfoMsg)
