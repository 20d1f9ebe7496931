#include "standin/server/DemoData.h"

#include "config/DESCrypt.h"
#include "standin/server/Sqlite.h"
#include "util/ZQError.h"

#include <QDir>
#include <QFile>
#include <QVariantList>

namespace {

constexpr int PartnerOrga = 2;

void insertRows(TSqliteDb& ADb, const QString& ATable, const QStringList& AColumns,
                const QList<QVariantList>& ARows)
{
    QStringList marks(AColumns.size(), QStringLiteral("?"));
    TSqliteStatement insert(ADb,
                            QStringLiteral("INSERT INTO main.%1 (%2) VALUES (%3)")
                                .arg(ATable, AColumns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    for (const QVariantList& row : ARows) {
        for (int i = 0; i < row.size(); ++i)
            insert.Bind(i + 1, row[i]);
        insert.Step();
        insert.Reset();
    }
}

} // namespace

namespace DemoData {

void Create(TSqliteDb& ADb)
{
    ADb.Exec(QStringLiteral("BEGIN"));
    insertRows(ADb, "Orgatype", {"name"}, {{"Hersteller"}, {"Vertriebspartner"}});
    insertRows(
        ADb, "Orga", {"name", "postcode", "city", "street", "orgashortcode", "email", "orgatype_id"},
        {{"ZQ Software GmbH", "20095", "Hamburg", "Mönckebergstraße 7", "ZQ", "info@zq-software.de", 1},
         {"Praxis-Service Nord", "24103", "Kiel", "Holstenstraße 12", "PSN", "kontakt@ps-nord.de", 2},
         {"MediPartner Süd", "80331", "München", "Marienplatz 3", "MPS", "service@medipartner.de", 2}});
    const QString password = HashPassword(QStringLiteral("zqdemo"));
    insertRows(ADb, "Orgauser", {"email", "name", "password", "active", "rights", "orga_id"},
               {{"zqxtadmin@zq-software.de", "Anna Admin", password, true, "ZQXTADMIN", 1},
                {"entwickler@zq-software.de", "Erik Entwickler", password, true, "ZQXTENTWICKLER", 1},
                {"installer@zq-software.de", "Ines Installer", password, true, "ZQXTINSTALLER", 1},
                {"abrechnung@zq-software.de", "Bernd Buchhaltung", password, true, "ZQXTABRECHNUNG", 1},
                {"admin@ps-nord.de", "Nora Nord", password, true, "ADMIN", PartnerOrga},
                {"standard@ps-nord.de", "Stefan Standard", password, true, "STANDARD", PartnerOrga},
                {"praxis@ps-nord.de", "Paula Praxis", password, true, "PRAXISUSER", PartnerOrga},
                {"admin@medipartner.de", "Max Süd", password, true, "ADMIN", 3}});
    insertRows(ADb, "Customertype", {"name"}, {{"Arztpraxis"}, {"Zahnarztpraxis"}, {"MVZ"}});
    insertRows(
        ADb, "Softwaresystem", {"name", "filebased", "manufacturer"},
        {{"MediStar", 0, "MediStar AG"}, {"PraxPlan", 1, "PraxPlan GmbH"}, {"DentaSoft", 0, "Denta KG"}});
    insertRows(ADb, "Customer",
               {"customername", "street", "postcode", "city", "phone", "email", "contactperson", "orga_id",
                "customertype_id", "softwaresystem_id", "customernumber"},
               {{"Praxis Dr. Berger", "Lindenallee 4", "24105", "Kiel", "0431 11223", "praxis@berger.de",
                 "Dr. Berger", PartnerOrga, 1, 1, "K-1001"},
                {"Zahnarztpraxis Möller", "Hafenstraße 9", "24937", "Flensburg", "0461 4455",
                 "info@zahn-moeller.de", "Dr. Möller", PartnerOrga, 2, 3, "K-1002"},
                {"MVZ Ostufer", "Werftstraße 20", "24148", "Kiel", "0431 9988", "mvz@ostufer.de",
                 "Frau Jansen", PartnerOrga, 3, 2, "K-1003"},
                {"Praxis Dr. Adler", "Am Markt 1", "23552", "Lübeck", "0451 3030", "adler@praxis-luebeck.de",
                 "Dr. Adler", PartnerOrga, 1, 2, "K-1004"},
                {"Hausarztpraxis Zander", "Dorfstraße 8", "25746", "Heide", "0481 2121",
                 "zander@heide-praxis.de", "Dr. Zander", PartnerOrga, 1, 1, "K-1005"},
                {"Praxis Dr. Huber", "Leopoldstraße 50", "80802", "München", "089 123456", "huber@praxis.de",
                 "Dr. Huber", 3, 1, 1, "S-2001"},
                {"Zahnärzte am Dom", "Domplatz 2", "93047", "Regensburg", "0941 5566", "dom@zahn.de",
                 "Dr. Weiß", 3, 2, 3, "S-2002"}});
    insertRows(ADb, "Concustomeruser", {"customer_id", "orgauser_id"}, {{1, 7}, {3, 7}});
    insertRows(ADb, "Software", {"name", "description", "confluenceshortcode", "shortcode"},
               {{"ZQ Praxis", "Praxisverwaltung", "ZQP", "ZQP"},
                {"ZQ Labor", "Laboranbindung", "ZQL", "ZQL"},
                {"ZQ Connect", "Partnerportal", "ZQC", "ZQC"}});
    insertRows(ADb, "Conorgasoftware", {"orga_id", "software_id"},
               {{2, 1}, {2, 2}, {3, 1}, {1, 1}, {1, 2}, {1, 3}});
    insertRows(
        ADb, "Filename",
        {"filename", "filepathonserver", "category", "changeddate", "description", "differentversions"},
        {{"ZQPraxisSetup.exe", "Praxis", "Praxis", "2026-11-02T09:00:00.000", "Installation ZQ Praxis", true},
         {"ZQPraxisHandbuch.pdf", "Praxis", "Dokumente", "2026-10-15T10:00:00.000", "Handbuch zu ZQ Praxis",
          false},
         {"ZQLaborClient.zip", "Labor", "Labor", "2026-09-20T14:30:00.000", "Laborclient", true},
         {"ZQConnectSetup.exe", "Connect", "Connect", "2026-12-01T08:00:00.000", "Installation ZQ Connect",
          true},
         {"Sonderfreigabe.txt", "Extra", "Extra", "2026-08-01T12:00:00.000", "Direkte Freigabe", false}});
    insertRows(ADb, "Filenameversion", {"updateversion", "releasedate", "changelog", "filename_id"},
               {{"5.1.0", "2026-09-01T08:00:00.000", "Neue Terminplanung", 1},
                {"5.2.0", "2026-11-02T09:00:00.000", "Schnellere Suche\nFehlerbehebungen", 1},
                {"2.0.3", "2026-09-20T14:30:00.000", "Neue Laborschnittstelle", 3},
                {"1.0.0", "2026-12-01T08:00:00.000", "Erste Ausgabe", 4}});
    insertRows(ADb, "Consoftwarefilename", {"filename_id", "software_id"}, {{1, 1}, {2, 1}, {3, 2}, {4, 3}});
    insertRows(ADb, "Conorgafilename", {"filename_id", "orga_id"}, {{5, 2}});
    insertRows(ADb, "Updateversion",
               {"releasedate", "orga_id", "filename", "version", "forholeorga", "forallorga", "url"},
               {{"2026-11-05T10:00:00.000", PartnerOrga, "ZQPraxisSetup.exe", "5.2.0", false, false,
                 "\\downloads\\Praxis\\Versionen\\5.2.0\\ZQPraxisSetup.exe"}});
    insertRows(ADb, "Conupversionpraxis", {"updateversion_id", "customer_id"}, {{1, 1}, {1, 2}});
    ADb.Exec(QStringLiteral("COMMIT"));
}

void CreateNews(const QString& AFolder)
{
    struct TNews
    {
        const char* shortcode;
        const char* product;
        const char* items;
    };
    static constexpr TNews News[] = {
        {"ZQP", "ZQ Praxis",
         "<li><b>Version 5.2.0</b>: schnellere Patientensuche und ein neuer Terminkalender.</li>"
         "<li>Schulungstermine für das erste Quartal sind freigeschaltet.</li>"},
        {"ZQL", "ZQ Labor", "<li><b>Version 2.0.3</b>: neue Laborschnittstelle nach LDT 3.2.</li>"},
        {"ZQC", "ZQ Connect", "<li><b>Version 1.0</b>: das Partnerportal ist da.</li>"},
    };
    for (const TNews& news : News) {
        const QString folder = QStringLiteral("%1/News/%2/HTML").arg(AFolder, QLatin1String(news.shortcode));
        QFile page(folder + QStringLiteral("/%1.html").arg(QLatin1String(news.shortcode)));
        if (!QDir().mkpath(folder) || !page.open(QIODevice::WriteOnly))
            throw EZQError(QStringLiteral("cannot write %1").arg(page.fileName()));
        page.write(
            QStringLiteral(
                "<!DOCTYPE html><html lang=\"de\"><head><meta charset=\"utf-8\"><title>%1 – Neuigkeiten"
                "</title><style>body{font-family:sans-serif;margin:2em;color:#333}h1{color:crimson}"
                "</style></head><body><h1>Neuigkeiten zu %1</h1><ul>%2</ul></body></html>\n")
                .arg(QLatin1String(news.product), QString::fromUtf8(news.items))
                .toUtf8());
    }
}

void AddCustomers(TSqliteDb& ADb, int ACount)
{
    ADb.Exec(QStringLiteral("BEGIN"));
    TSqliteStatement insert(
        ADb, QStringLiteral("INSERT INTO main.Customer (customername, street, postcode, city, phone, "
                            "email, contactperson, orga_id, customertype_id, softwaresystem_id, "
                            "customernumber) VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 1; i <= ACount; ++i) {
        const QVariantList row = {QStringLiteral("Testpraxis %1").arg(i),
                                  QStringLiteral("Teststraße %1").arg(i % 200 + 1),
                                  QStringLiteral("%1").arg(20000 + i % 9000),
                                  QStringLiteral("Teststadt"),
                                  QStringLiteral("040 %1").arg(100000 + i),
                                  QStringLiteral("praxis%1@test.de").arg(i),
                                  QStringLiteral("Dr. Test %1").arg(i),
                                  PartnerOrga,
                                  1 + i % 3,
                                  1 + i % 3,
                                  QStringLiteral("T-%1").arg(i)};
        for (int column = 0; column < row.size(); ++column)
            insert.Bind(column + 1, row[column]);
        insert.Step();
        insert.Reset();
    }
    ADb.Exec(QStringLiteral("COMMIT"));
}

} // namespace DemoData
