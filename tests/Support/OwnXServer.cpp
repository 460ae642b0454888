#include "Support/OwnXServer.h"

OwnXServer::OwnXServer() {
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("1280x800x24")});
    if (server_.waitForStarted(5'000) && server_.waitForReadyRead(10'000)) {
        display_ = ':' + server_.readLine().trimmed();
    }
}

void OwnXServer::end() {
    server_.kill();
    server_.waitForFinished();
}
