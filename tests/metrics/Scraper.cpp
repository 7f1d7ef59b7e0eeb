#include "Scraper.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

std::optional<double> Scrape::value(const char* sample, const QString& meter) const {
    const QJsonValue v = samples.value(QLatin1String(sample)).toObject().value(meter);
    if (!v.isArray())
        return std::nullopt;
    return v.toArray().at(0).toDouble();
}

QString Scrape::model(const char* sample, const QString& meter) const {
    return samples.value(QLatin1String(sample)).toObject().value(meter).toArray().at(1).toString();
}

QStringList Scrape::samplesOf(const QString& meter) const {
    QStringList names;
    for (auto it = samples.begin(); it != samples.end(); ++it)
        if (it.value().toObject().contains(meter))
            names << it.key();
    return names;
}

Scrape scrape(const QString& url) {
    QProcess python;
    python.start(QStringLiteral(METRICS_PYTHON), {QStringLiteral(METRICS_SCRAPER), url});
    Scrape result;
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        result.error = QString::fromLocal8Bit(python.readAllStandardError());
        return result;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(python.readAllStandardOutput(), &parseError);
    result.ok = json.isObject();
    result.error = parseError.errorString();
    result.samples = json.object();
    return result;
}

namespace loopback {

int connectTo(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

QByteArray exchange(quint16 port, const QByteArray& request, int timeoutMs) {
    const int fd = connectTo(port);
    if (fd < 0)
        return {};
    QByteArray reply;
    if (::send(fd, request.constData(), request.size(), MSG_NOSIGNAL) == request.size()) {
        QElapsedTimer clock;
        clock.start();
        char buffer[4096];
        pollfd readable{fd, POLLIN, 0};
        while (clock.elapsed() < timeoutMs &&
               ::poll(&readable, 1, int(timeoutMs - clock.elapsed())) > 0) {
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            reply.append(buffer, int(n));
        }
    }
    ::close(fd);
    return reply;
}

} // namespace loopback
