#include "platform/instance_channel.h"

#include <QElapsedTimer>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <algorithm>

#include <unistd.h>

namespace vaziduvu {

QString instanceChannelName(const QString &lockName)
{
    return lockName + QLatin1Char('-') + QString::number(::getuid());
}

InstanceChannel::InstanceChannel(QObject *parent)
    : QObject(parent)
    , server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // One line: the path as the file system spells it.
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->canReadLine())
                    return;
                QByteArray line = socket->readLine();
                line.chop(1);
                socket->write("ok\n");
                socket->flush();
                emit openRequested(QFile::decodeName(line));
            });
        }
    });
}

bool InstanceChannel::listen(const QString &name)
{
    if (server_->listen(name))
        return true;
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

bool InstanceChannel::send(const QString &name, const QString &path, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(QFile::encodeName(path) + '\n');
    if (!socket.waitForBytesWritten(std::max(1, timeoutMs - int(clock.elapsed()))))
        return false;
    // The answer says the line arrived; the program opens the file after.
    return socket.waitForReadyRead(std::max(1, timeoutMs - int(clock.elapsed())));
}

}  // namespace vaziduvu
