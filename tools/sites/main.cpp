// brennoc-sites: serves the sample outside sites on 127.0.0.1 and logs every request on standard error.
#include "sites.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

// A request line's target as a printable log field.
QByteArray printable(QByteArray text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            c = '?';
    }
    return text;
}

void logRequest(const Loopback::HttpRequest& request, int status) {
    std::fprintf(stderr, "%s %s %d\n", printable(request.method).constData(), printable(request.target).constData(),
                 status);
}

// Writes the port in one step, so a reader never sees a half-written file.
bool writePortFile(const QString& path, quint16 port) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray::number(port) + '\n');
    return file.commit();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brennoc-sites"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves the sample sites of brennoc on 127.0.0.1."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port to listen on; 0 picks a free one."), QStringLiteral("N"),
                                        QStringLiteral("0"));
    const QCommandLineOption portFileOption(QStringLiteral("port-file"),
                                            QStringLiteral("Write the port to this file once listening."),
                                            QStringLiteral("PATH"));
    parser.addOption(portOption);
    parser.addOption(portFileOption);
    parser.process(app);

    bool ok = false;
    const uint port = parser.value(portOption).toUInt(&ok);
    if (!ok || port > 65535) {
        std::fprintf(stderr, "brennoc-sites: not a port: %s\n", qPrintable(parser.value(portOption)));
        return 2;
    }

    Sites::Registry registry;
    Sites::Registration::addAll(registry);
    Loopback::HttpServer server;
    server.setFallback([&registry](const Loopback::HttpRequest& request) { return registry.serve(request); });
    QObject::connect(&server, &Loopback::HttpServer::requestHandled, &logRequest);
    Sites::forgetHandledRequests(server);
    if (!server.listen(static_cast<quint16>(port))) {
        std::fprintf(stderr, "brennoc-sites: cannot listen on 127.0.0.1:%u\n", port);
        return 1;
    }
    if (parser.isSet(portFileOption) && !writePortFile(parser.value(portFileOption), server.port())) {
        std::fprintf(stderr, "brennoc-sites: cannot write %s\n", qPrintable(parser.value(portFileOption)));
        return 1;
    }
    std::fprintf(stderr, "brennoc-sites: listening on http://127.0.0.1:%u\n", unsigned(server.port()));
    return QCoreApplication::exec();
}
