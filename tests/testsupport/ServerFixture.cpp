#include "tests/testsupport/ServerFixture.h"

#include "platform/rest/RestConnection.h"

#include <QDeadlineTimer>
#include <csignal>
#include <sys/prctl.h>

TServerFixture::TServerFixture(int ASessionIdleSeconds, int AScale)
{
    const QString data = DataFolder();
    QStringList demo = {"--demo", data};
    if (AScale > 0)
        demo << "--scale" << QString::number(AScale);
    if (QProcess::execute(QStringLiteral(ZQSERVER_PATH), demo) != 0) {
        FError = QStringLiteral("zqserver --demo failed");
        return;
    }
    FServer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The server ends with the test, even when the test crashes.
    FServer.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    FServer.start(QStringLiteral(ZQSERVER_PATH), {"--data", data, "--rest-port", "0", "--download-port", "0",
                                                  "--session-idle", QString::number(ASessionIdleSeconds)});
    QByteArray output;
    const QDeadlineTimer deadline(60000);
    while (!output.contains("zqserver ready\n") && !deadline.hasExpired() &&
           FServer.state() != QProcess::NotRunning) {
        FServer.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
        output += FServer.readAllStandardOutput();
    }
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("rest-port "))
            FRestPort = line.mid(10).toInt();
    }
    if (!output.contains("zqserver ready\n") || FRestPort == 0)
        FError = QStringLiteral("zqserver did not come up: ") + QString::fromLocal8Bit(output);
}

TServerFixture::~TServerFixture()
{
    if (FServer.state() == QProcess::NotRunning)
        return;
    FServer.terminate();
    if (!FServer.waitForFinished(10000))
        FServer.kill();
    FServer.waitForFinished(10000);
}

void TServerFixture::Aim(TRestConnection& AConnection) const
{
    AConnection.Host = QStringLiteral("127.0.0.1");
    AConnection.Port = FRestPort;
    AConnection.AddCaCertificates(QSslCertificate::fromPath(CaFile()));
}
