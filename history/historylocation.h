#ifndef HISTORYLOCATION_H
#define HISTORYLOCATION_H

#include <QString>

// Where the update history lives: in the XDG state folder, as it is neither settings nor a cache
// that may be thrown away. Qt 5.15 knows no location for state, hence the path by hand.
namespace historyLocation {

// $XDG_STATE_HOME/fixture-software-updater/history.sqlite, else the same under
// ~/.local/state. An empty or relative XDG_STATE_HOME is ignored, as the XDG rules say.
QString file();
// Makes the folders on the way to `file` that are missing, 0700, and the file itself, 0600,
// before SQLite opens it: SQLite gives its -wal and -shm the database's mode. An existing
// folder is left as it is. The system's reason when it cannot; empty when it could.
QString prepare(const QString &file);

} // namespace historyLocation

#endif
