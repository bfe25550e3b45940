#ifndef BUSPROBE_H
#define BUSPROBE_H

#include <QDBusConnection>
#include <QObject>

#include <functional>

// Whether the system or the session bus answers, asked before QtDBus is let near it. QtDBus's
// first connect blocks its caller until libdbus has said Hello, and libdbus waits 25 s for a bus
// that accepts the connection but does not answer; nor can the connect be left to another
// thread, as QtDBus waits for it again when the program ends. So the bus is first asked to
// authenticate by hand, which any bus answers at once, if only with REJECTED: a bus that says
// nothing within a quarter of a second counts as no bus for this ask, and the next ask tries
// again. Once a bus has answered, QtDBus keeps its connection for the life of the process and
// never connects again, so later asks go straight on.
//
// Only the first entry of the bus's address is asked, as libdbus tries it first, and only a
// unix socket, named by its path or in the abstract namespace. Any other address, and a session
// bus without an address, count as no bus: without one, libdbus would start a bus of its own.
//
// `then` is called once: at once when the bus has answered before, otherwise from the event
// loop, unless `context` is destroyed first.
void probeBus(QDBusConnection::BusType bus, QObject *context,
              const std::function<void(bool answered)> &then);

// The same ask, waiting for the answer, within the same quarter of a second: for the start of
// the window, before any event loop, since Qt's own accessibility bridge and menus then connect
// to the session bus themselves and wait 25 s for each call to a bus that does not answer.
bool busAnswersNow(QDBusConnection::BusType bus);

#endif
