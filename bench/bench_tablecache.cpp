// Loading and posting tables end to end against zqserver, each beside a reference run in the same
// process run: sqlite3 reading the same rows from the same file, and a bare load of the same table.
//   bench_tablecache [ROUNDS]
#include "pages/ZQParams.h"
#include "server/ServerConnection.h"
#include "tests/testsupport/ServerFixture.h"
#include "update/MyProxyConf.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QString CustomersOfPartner = QStringLiteral("SELECT * FROM Customer WHERE orga_id=2");

double medianMilliseconds(int ARounds, const std::function<void()>& AWork)
{
    QList<double> times;
    for (int round = 0; round < ARounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        AWork();
        times << clock.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* AWhat, double AMeasured, const char* AReference, double AReferenceTime)
{
    std::printf("%-44s %10.1f ms   %-34s %10.1f ms   ratio %6.2f\n", AWhat, AMeasured, AReference,
                AReferenceTime, AMeasured / AReferenceTime);
}

std::unique_ptr<TServerFixture> startServer(int AScale)
{
    auto server = std::make_unique<TServerFixture>(1800, AScale);
    if (!server->Error().isEmpty())
        qFatal("%s", qPrintable(server->Error()));
    return server;
}

std::unique_ptr<TFServCon> loggedIn(const TServerFixture& AServer)
{
    auto servCon = std::make_unique<TFServCon>(TMyProxyConf());
    AServer.Aim(servCon->RestCon());
    servCon->SetLoginUsername(QStringLiteral("admin@ps-nord.de"));
    servCon->SetLoginPassword(QLatin1String(TServerFixture::DemoPassword));
    if (!servCon->isConnected())
        qFatal("login failed");
    servCon->SetSessionVariable();
    return servCon;
}

void benchLoad(int ARounds)
{
    const auto server = startServer(100000);
    auto servCon = loggedIn(*server);
    TDataTable& customers = servCon->Table(ZQParams::TableCustomer);
    const double load = medianMilliseconds(
        ARounds, [&] { servCon->getOneTable(ZQParams::TableCustomer, CustomersOfPartner, QString()); });
    const double sqlite = medianMilliseconds(ARounds, [&] {
        QProcess reader;
        reader.setStandardOutputFile(QProcess::nullDevice());
        reader.start(QStringLiteral("sqlite3"),
                     {"-readonly", server->DataFolder() + "/zq.sqlite3", CustomersOfPartner});
        if (!reader.waitForFinished(120000) || reader.exitCode() != 0)
            qFatal("sqlite3 failed");
    });
    std::printf("rows loaded: %d\n", customers.RecordCount());
    report("getOneTable, 100,005 customers", load, "sqlite3 reading the same rows", sqlite);
}

void benchPost(int ARounds)
{
    const auto server = startServer(10000);
    auto servCon = loggedIn(*server);
    TDataTable& customers = servCon->Table(ZQParams::TableCustomer);
    const double bare = medianMilliseconds(
        ARounds, [&] { servCon->getOneTable(ZQParams::TableCustomer, CustomersOfPartner, QString()); });
    int round = 0;
    const double post = medianMilliseconds(ARounds, [&] {
        customers.MoveTo(5000);
        customers.SetValue(QStringLiteral("phone"), QStringLiteral("040 %1").arg(++round));
        customers.Post(); // sends, reloads and finds the row again
    });
    if (customers.RecNo() != 5000 ||
        customers.Value(QStringLiteral("phone")).toString() != QStringLiteral("040 %1").arg(round))
        qFatal("the posted row was not found again");
    std::printf("rows in the table: %d\n", customers.RecordCount());
    report("post of one changed row, 10,005 customers", post, "bare load of the same table", bare);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int rounds = argc > 1 ? std::clamp(QString::fromLocal8Bit(argv[1]).toInt(), 1, 50) : 5;
    std::printf("median of %d rounds\n", rounds);
    benchLoad(rounds);
    benchPost(rounds);
    return 0;
}
