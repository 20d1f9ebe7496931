#include "standin/server/Certificates.h"

#include "util/ZQError.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

void openssl(const QString& AFolder, const QStringList& AArguments)
{
    QProcess process;
    process.setWorkingDirectory(AFolder);
    process.start(QStringLiteral("openssl"), AArguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        throw EZQError(QStringLiteral("openssl failed: %1")
                           .arg(QString::fromLocal8Bit(process.readAllStandardError()).simplified()));
}

} // namespace

namespace Certificates {

void Ensure(const QString& AFolder)
{
    const QDir folder(AFolder);
    if (folder.exists(QStringLiteral("ca.pem")) && folder.exists(QStringLiteral("server.pem")) &&
        folder.exists(QStringLiteral("server.key")))
        return;
    const QStringList ellipticKey = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    openssl(AFolder,
            QStringList{"req", "-x509"} + ellipticKey +
                QStringList{"-keyout", "ca.key", "-out", "ca.pem", "-days", "3650", "-subj",
                            "/CN=ZQConnect stand-in CA", "-addext", "basicConstraints=critical,CA:TRUE",
                            "-addext", "keyUsage=critical,keyCertSign,cRLSign"});
    openssl(AFolder,
            QStringList{"req"} + ellipticKey +
                QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=127.0.0.1"});
    QFile extensions(folder.filePath(QStringLiteral("server.ext")));
    if (!extensions.open(QIODevice::WriteOnly))
        throw EZQError(QStringLiteral("cannot write %1").arg(extensions.fileName()));
    extensions.write("subjectAltName=IP:127.0.0.1,IP:::1,DNS:localhost\nbasicConstraints=CA:FALSE\n"
                     "keyUsage=digitalSignature,keyEncipherment\nextendedKeyUsage=serverAuth\n");
    extensions.close();
    openssl(AFolder, {"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                      "-CAcreateserial", "-out", "server.pem", "-days", "3650", "-extfile", "server.ext"});
}

} // namespace Certificates
