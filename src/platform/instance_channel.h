#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace vaziduvu {

// How a second start reaches the running program: the running one listens
// on a local socket named after the instance lock and the user; a second
// start sends it one line, the absolute path of the log to open (empty:
// just come to the front), and leaves.
QString instanceChannelName(const QString &lockName);

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QObject *parent = nullptr);

    // Listens on the name; a socket left by a copy that crashed is removed
    // first (only the holder of the instance lock listens). False when the
    // socket cannot be made: the program then runs without it.
    bool listen(const QString &name);

    // Sends the path (empty: none) to the program listening on the name.
    // False when nobody answers within timeoutMs.
    static bool send(const QString &name, const QString &path, int timeoutMs);

signals:
    // A second start asked for the window, with a log to open or none.
    void openRequested(const QString &path);

private:
    QLocalServer *server_;
};

}  // namespace vaziduvu
