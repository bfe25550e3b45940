#ifndef DESKTOPNOTICE_H
#define DESKTOPNOTICE_H

#include <QObject>
#include <QSet>
#include <QString>

// A notice on the desktop through its notification server (org.freedesktop.Notifications on the
// session bus), for an update that ended while nobody was looking. Nothing here waits: every call
// is asynchronous, and without a session bus or a notification server no notice is shown.
class desktopNotice : public QObject
{
    Q_OBJECT

public:
    // `actionText` names the click on a notice, which asks for the window.
    explicit desktopNotice(QString actionText, QObject *parent = nullptr);

    // The summary and the body are plain text. An urgent notice stays until it is dismissed.
    void show(const QString &summary, const QString &body, bool urgent);

signals:
    // One of this program's notices was clicked.
    void clicked();

private slots:
    // The notification server's signals, which QtDBus delivers to slots by name.
    void actionInvoked(uint id, const QString &action);
    void closed(uint id);

private:
    void ask(const QString &summary, const QString &body, bool urgent);
    void notify(const QString &summary, const QString &body, bool urgent);

    const QString actionText;
    bool listening = false;
    QSet<uint> shown;
};

#endif
