#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class TRestConnection;

// A real zqserver on free loopback ports with a fresh demo data folder, for as long as the fixture lives.
class TServerFixture
{
public:
    explicit TServerFixture(int ASessionIdleSeconds = 1800, int AScale = 0);
    ~TServerFixture();

    // Empty when the server came up; else what went wrong.
    const QString& Error() const { return FError; }
    int RestPort() const { return FRestPort; }
    QString DataFolder() const { return FDir.filePath(QStringLiteral("data")); }
    QString CaFile() const { return FDir.filePath(QStringLiteral("data/ca.pem")); }

    // Points a connection at this server and trusts its certificate authority.
    void Aim(TRestConnection& AConnection) const;

    // The demo users' password.
    static constexpr char DemoPassword[] = "zqdemo";

private:
    QTemporaryDir FDir;
    QProcess FServer;
    QString FError;
    int FRestPort = 0;
};
