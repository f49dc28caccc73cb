#include "cli/single_instance.h"

#include <unistd.h>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include <cstdio>

#include "app/program.h"
#include "cli/instance_actions.h"
#include "ui/forms/qt/view.h"

namespace korvo::cli {

namespace {

// A running instance answers at once; the wait only covers one busy with a large folder.
constexpr int ConnectMs = 1000;
constexpr int AnswerMs = 5000;
constexpr qint64 LongestMessage = 64;

const QByteArray Acknowledged = "ok\n";

}  // namespace

std::string instanceName(const std::string& runtimeFolder) {
    return socketName(runtimeFolder, ::getuid());
}

HandOver handOver(const std::string& name, Request request) {
    const auto message = messageFor(request);
    if (!message) return HandOver::NoAnswer;
    QLocalSocket socket;
    socket.connectToServer(QString::fromLocal8Bit(name));
    // A leftover file nobody listens on refuses the connection: nothing is running.
    if (!socket.waitForConnected(ConnectMs)) return HandOver::NoneRunning;
    socket.write(QByteArray::fromStdString(*message + "\n"));
    if (!socket.waitForBytesWritten(ConnectMs)) return HandOver::NoAnswer;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(AnswerMs)) return HandOver::NoAnswer;
    }
    return socket.readLine(LongestMessage) == Acknowledged ? HandOver::Delivered
                                                           : HandOver::NoAnswer;
}

InstanceServer::InstanceServer(Program& app, qt::View& view)
    : app_(app), view_(view), server_(std::make_unique<QLocalServer>()) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server_.get(), &QLocalServer::newConnection, [this] { accept(); });
}

InstanceServer::~InstanceServer() = default;

InstanceServer::Claim InstanceServer::listen(const std::string& name) {
    const QString qname = QString::fromLocal8Bit(name);
    if (server_->listen(qname)) return Claim::Claimed;
    if (server_->serverError() != QAbstractSocket::AddressInUseError) return Claim::Failed;
    QLocalSocket probe;
    probe.connectToServer(qname);
    if (probe.waitForConnected(ConnectMs)) return Claim::TakenByAnother;
    // Left behind by an instance that crashed: nobody answers on it.
    QLocalServer::removeServer(qname);
    return server_->listen(qname) ? Claim::Claimed : Claim::Failed;
}

void InstanceServer::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > LongestMessage) socket->abort();
                return;
            }
            const auto request =
                requestFor(socket->readLine(LongestMessage).trimmed().toStdString());
            socket->write(request ? Acknowledged : QByteArray("?\n"));
            socket->flush();
            socket->waitForBytesWritten(ConnectMs);
            socket->disconnectFromServer();
            if (!request) return;
            if (forms::Form* shown = carryOut(app_, *request)) {
                if (QWidget* window = view_.window(*shown)) {
                    window->raise();
                    window->activateWindow();
                }
            }
        });
    }
}

int answerWithoutWindow(const CommandLine& line, const std::string& name,
                        const std::string& version) {
    if (!line.error.empty()) {
        std::fprintf(stderr, "korvo: %s\nTry 'korvo --help'.\n", line.error.c_str());
        return 2;
    }
    if (line.request == Request::Help) {
        std::fputs(helpText().c_str(), stdout);
        return 0;
    }
    if (line.request == Request::Version) {
        std::fputs(versionText(version).c_str(), stdout);
        return 0;
    }
    switch (handOver(name, line.request)) {
        case HandOver::Delivered:
            return 0;
        case HandOver::NoAnswer:
            std::fputs("korvo: the running Korvo does not answer\n", stderr);
            return 1;
        case HandOver::NoneRunning:
            break;
    }
    if (line.request == Request::Start) return -1;
    std::fputs("korvo: Korvo is not running\n", stderr);
    return 1;
}

}  // namespace korvo::cli
