#ifndef SYSTEMBUSPROBE_H
#define SYSTEMBUSPROBE_H

#include <QObject>

#include <functional>

// Whether the system bus answers, asked before QtDBus is let near it. QtDBus's first
// systemBus() blocks its caller until libdbus has said Hello, and libdbus waits 25 s for a bus
// that accepts the connection but does not answer; nor can the connect be left to another
// thread, as QtDBus waits for it again when the program ends. So the bus is first asked to
// authenticate by hand, which any bus answers at once, if only with REJECTED: a bus that says
// nothing within a quarter of a second counts as no bus for this ask, and the next ask tries
// again. Once a bus has answered, QtDBus keeps its connection for the life of the process and
// never connects again, so later asks go straight on.
//
// `then` is called once: at once when a bus has answered before, otherwise from the event loop,
// unless `context` is destroyed first.
void probeSystemBus(QObject *context, const std::function<void(bool answered)> &then);

#endif
