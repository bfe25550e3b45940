#ifndef PROGRAMIDENTITY_H
#define PROGRAMIDENTITY_H

#include <QCoreApplication>

// The program as the technician and the computer it runs on know it.
namespace programIdentity {

constexpr char name[] = "Corvanel Firmware Updater";
constexpr char version[] = "1.0.1";

// Given to the application object of either front end, right after it is made.
inline void apply()
{
    QCoreApplication::setApplicationName("Software Updater");
    QCoreApplication::setOrganizationName("Tamsenholt Engineering");
    QCoreApplication::setOrganizationDomain("Tamsenholt Engineering");
    QCoreApplication::setApplicationVersion(version);
}

} // namespace programIdentity

#endif
