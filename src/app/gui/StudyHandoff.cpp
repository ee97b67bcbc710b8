#include "app/gui/StudyHandoff.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <unistd.h>

namespace pyrostat {

QString StudyHandoffName(const std::string& programFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(programFolder), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("pyrostat-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

StudyHandoffServer::StudyHandoffServer(const std::string& programFolder,
                                       std::function<void(const std::string&)> open,
                                       QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), open_(std::move(open)) {
    const QString name = StudyHandoffName(programFolder);
    // A socket left by a copy that crashed: this copy holds the lock now.
    QLocalServer::removeServer(name);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(name);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            QPointer<QLocalSocket> guarded(socket);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, guarded] {
                if (!guarded || !guarded->canReadLine()) {
                    return;
                }
                const QByteArray line = guarded->readLine().trimmed();
                guarded->disconnectFromServer();
                if (!line.isEmpty() && open_) {
                    open_(line.toStdString());
                }
            });
        }
    });
}

bool StudyHandoffServer::Listening() const {
    return server_->isListening();
}

bool HandStudyToRunningCopy(const std::string& programFolder, const std::string& studyPath) {
    QLocalSocket socket;
    socket.connectToServer(StudyHandoffName(programFolder));
    if (!socket.waitForConnected(1000)) {
        return false;
    }
    socket.write(QByteArray::fromStdString(studyPath) + '\n');
    const bool written = socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return written;
}

} // namespace pyrostat
