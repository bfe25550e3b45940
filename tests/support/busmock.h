#ifndef BUSMOCK_H
#define BUSMOCK_H

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QVariantList>

// One of python-dbusmock's templates on one of the tests' private buses, for as long as this
// object lives. A missing python3-dbusmock makes serve() fail: CI installs it, so a test that
// needs it must not pass without it.
class busMock
{
public:
    explicit busMock(const QString &templateName, const QString &parameters = QStringLiteral("{}"),
                     QDBusConnection::BusType bus = QDBusConnection::SystemBus);
    ~busMock();

    // "absent" starts nothing, "hung" a mock that owns its name but answers nothing, anything
    // else a working one. False, with the reason in error(), when the mock does not come up or
    // the bus is not the tests' private one.
    bool serve(const QString &how);
    QString error() const { return failure; }

    // Calls the template's main object (an empty interface is its main one) and waits for the
    // answer: its first argument, with every array and structure turned into a QVariantList and
    // every dictionary into a QVariantMap.
    QVariant call(const QString &interface, const QString &method,
                  const QVariantList &arguments = {});
    // The same on python-dbusmock's own interface.
    QVariant control(const QString &method, const QVariantList &arguments = {});
    int callCount(const QString &method);
    // From now on the template's method fails with AccessDenied, as polkit's refusal does,
    // whenever the Python condition on its `args` holds, and works as before otherwise.
    void refuse(const QString &method, const QString &inSignature, const QString &outSignature,
                const QString &condition);

private:
    // Whether the tests see the bus that ctest starts, never the machine's.
    bool onPrivateBus() const;
    bool start();

    const QDBusConnection::BusType bus;
    QDBusConnection connection;
    QProcess process;
    QString templateName;
    QString parameters;
    QString busName;
    QString failure;
};

#endif
