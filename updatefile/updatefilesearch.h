#ifndef UPDATEFILESEARCH_H
#define UPDATEFILESEARCH_H

#include <QFileInfo>

// Technicians usually start the updater from the folder the update was delivered in: the least
// recently modified ".dmx" or ".prl" file there, folders and links left out. Empty if none.
QFileInfo updateFileInWorkingDirectory();

#endif
