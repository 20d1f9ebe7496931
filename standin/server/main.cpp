// zqserver: the stand-in for the central server on loopback.
//   zqserver --demo DIR [--scale N]     creates a data folder with demo data and exits
//   zqserver --data DIR [--rest-port N] [--download-port N] [--session-idle SECONDS]
//                                       serves until SIGINT or SIGTERM
#include "server/ServerSettings.h"
#include "standin/server/Certificates.h"
#include "standin/server/DemoData.h"
#include "standin/server/DownloadService.h"
#include "standin/server/RestService.h"
#include "standin/server/Schema.h"
#include "standin/server/Sqlite.h"
#include "util/ZQError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTcpServer>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int ExitFailure = 2;
int SignalPipe[2];

struct TOptions
{
    QString demo;
    QString data;
    int scale = 0;
    int restPort = 8443;
    int downloadPort = 8080;
    int sessionIdle = 1800;
};

int number(const QStringList& AWords, qsizetype& AIndex, int AMin, int AMax)
{
    bool ok = false;
    const int value = AWords.value(++AIndex).toInt(&ok);
    if (!ok || value < AMin || value > AMax)
        throw EZQError(
            QStringLiteral("%1 takes a number from %2 to %3").arg(AWords[AIndex - 1]).arg(AMin).arg(AMax));
    return value;
}

TOptions parse(const QStringList& AWords)
{
    TOptions options;
    for (qsizetype i = 0; i < AWords.size(); ++i) {
        const QString& word = AWords[i];
        if (word == QLatin1String("--demo") && i + 1 < AWords.size())
            options.demo = AWords[++i];
        else if (word == QLatin1String("--data") && i + 1 < AWords.size())
            options.data = AWords[++i];
        else if (word == QLatin1String("--scale"))
            options.scale = number(AWords, i, 0, 10000000);
        else if (word == QLatin1String("--rest-port"))
            options.restPort = number(AWords, i, 0, 65535);
        else if (word == QLatin1String("--download-port"))
            options.downloadPort = number(AWords, i, 0, 65535);
        else if (word == QLatin1String("--session-idle"))
            options.sessionIdle = number(AWords, i, 1, 86400 * 365);
        else
            throw EZQError(
                QStringLiteral("unexpected argument \"%1\"; usage: zqserver --demo DIR [--scale N] | "
                               "--data DIR [--rest-port N] [--download-port N] [--session-idle SECONDS]")
                    .arg(word));
    }
    if (options.demo.isEmpty() == options.data.isEmpty())
        throw EZQError(QStringLiteral("give either --demo DIR or --data DIR"));
    return options;
}

void createDemo(const TOptions& AOptions)
{
    const QDir folder(AOptions.demo);
    if (!QDir().mkpath(folder.path()))
        throw EZQError(QStringLiteral("cannot create the folder %1").arg(folder.path()));
    if (folder.exists(QStringLiteral("zq.sqlite3")))
        throw EZQError(QStringLiteral("%1 already holds a database").arg(folder.path()));
    TSqliteDb db(folder.filePath(QStringLiteral("zq.sqlite3")));
    Schema::Create(db);
    DemoData::Create(db);
    DemoData::CreateNews(folder.filePath(QStringLiteral("www")));
    if (AOptions.scale > 0)
        DemoData::AddCustomers(db, AOptions.scale);
}

QSslConfiguration tlsOf(const QDir& AFolder)
{
    Certificates::Ensure(AFolder.path());
    QFile certificate(AFolder.filePath(QStringLiteral("server.pem")));
    QFile key(AFolder.filePath(QStringLiteral("server.key")));
    if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        throw EZQError(QStringLiteral("cannot read the server certificate in %1").arg(AFolder.path()));
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(&certificate, QSsl::Pem));
    tls.setPrivateKey(QSslKey(&key, QSsl::Ec, QSsl::Pem));
    if (tls.localCertificate().isNull() || tls.privateKey().isNull())
        throw EZQError(QStringLiteral("the server certificate in %1 is damaged").arg(AFolder.path()));
    return tls;
}

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[0], &byte, 1);
}

int serve(QCoreApplication& AApplication, const TOptions& AOptions)
{
    const QDir folder(AOptions.data);
    if (!folder.exists(QStringLiteral("zq.sqlite3")))
        throw EZQError(
            QStringLiteral("%1 is no data folder (no zq.sqlite3); make one with --demo").arg(folder.path()));
    TSqliteDb db(folder.filePath(QStringLiteral("zq.sqlite3")));
    Schema::Create(db);

    TRestService rest(db, AOptions.sessionIdle);
    rest.sslSetup(tlsOf(folder));
    const quint16 restPort = rest.listen(QHostAddress::LocalHost, quint16(AOptions.restPort));
    TDownloadService downloads(folder.filePath(QStringLiteral("www")),
                               QLatin1String(ZQServerSettings::DownloadUser),
                               QLatin1String(ZQServerSettings::DownloadPassword));
    const quint16 downloadPort = downloads.listen(QHostAddress::LocalHost, quint16(AOptions.downloadPort));
    if (restPort == 0 || downloadPort == 0)
        throw EZQError(QStringLiteral("cannot listen on 127.0.0.1 ports %1 and %2")
                           .arg(AOptions.restPort)
                           .arg(AOptions.downloadPort));

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        throw EZQError(QStringLiteral("cannot set up signal handling"));
    QSocketNotifier notifier(SignalPipe[1], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &AApplication, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    std::printf("rest-port %u\ndownload-port %u\nzqserver ready\n", restPort, downloadPort);
    std::fflush(stdout);
    return AApplication.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    try {
        const TOptions options = parse(application.arguments().mid(1));
        if (!options.demo.isEmpty()) {
            createDemo(options);
            return 0;
        }
        return serve(application, options);
    } catch (const EZQError& error) {
        std::fprintf(stderr, "zqserver: %s\n", qUtf8Printable(error.Message().simplified()));
        return ExitFailure;
    }
}
