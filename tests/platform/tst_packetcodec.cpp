#include "platform/data/PacketCodec.h"
#include "util/ZQError.h"

#include <QCborStreamWriter>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTest>
#include <zlib.h>

namespace {

TDataSetRows sampleDataSet()
{
    TDataSetRows rows;
    rows.fields = {{"id", TFieldType::Integer, true, true},
                   {"name", TFieldType::Text, false, true},
                   {"active", TFieldType::Boolean},
                   {"changeddate", TFieldType::DateTime},
                   {"customername", TFieldType::Text, false, false, true}};
    rows.rows = {
        {1, "Müller & Söhne \"GmbH\"", true, QDateTime(QDate(2026, 12, 11), QTime(8, 30, 1, 250)), "x"},
        {-2147483647 - 1, QString(), false, QVariant(), "\U0001F600"},
        {2147483647, "", QVariant(), QDateTime(QDate(1999, 1, 1), QTime(0, 0), Qt::UTC), QVariant()}};
    return rows;
}

QByteArray packed(const QByteArray& ACbor)
{
    return PacketCodec::Deflate(ACbor).toBase64();
}

// A CBOR data set written by hand, for shapes that the encoder never makes.
QByteArray handWritten(const std::function<void(QCborStreamWriter&)>& AWrite)
{
    QByteArray cbor;
    QCborStreamWriter writer(&cbor);
    AWrite(writer);
    return cbor;
}

// A data set of one integer key column "id" of the given type number, whose rows AWriteRows writes.
QByteArray oneColumn(quint64 AType, const std::function<void(QCborStreamWriter&)>& AWriteRows, int ARows = 1)
{
    return handWritten([&](QCborStreamWriter& AWriter) {
        AWriter.startArray(2);
        AWriter.startArray(1);
        AWriter.startArray(3);
        AWriter.append(QStringLiteral("id"));
        AWriter.append(AType);
        AWriter.append(quint64(1));
        AWriter.endArray();
        AWriter.endArray();
        AWriter.startArray(ARows);
        AWriteRows(AWriter);
        AWriter.endArray();
        AWriter.endArray();
    });
}

// A zlib stream that inflates to far more than any packet may hold.
QByteArray zlibBomb()
{
    z_stream stream{};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    const QByteArray zeros(1024 * 1024, '\0');
    QByteArray out(2 * 1024 * 1024, Qt::Uninitialized);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const qsizetype megabytes = PacketCodec::MaxInflatedBytes / (1024 * 1024) + 8;
    for (qsizetype i = 0; i < megabytes; ++i) {
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
        stream.avail_in = uInt(zeros.size());
        deflate(&stream, i + 1 == megabytes ? Z_FINISH : Z_NO_FLUSH);
    }
    out.resize(out.size() - stream.avail_out);
    deflateEnd(&stream);
    return out;
}

} // namespace

// The storage form of data sets and change logs, and its refusal of hostile packets.
class TestPacketCodec : public QObject
{
    Q_OBJECT

private slots:
    void dataSetRoundTrip()
    {
        const TDataSetRows dataSet = sampleDataSet();
        const QByteArray text = PacketCodec::EncodeDataSet(dataSet);
        QVERIFY(QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors));
        QCOMPARE(PacketCodec::DecodeDataSet(text), dataSet);
        QCOMPARE(PacketCodec::DecodeDataSet(PacketCodec::EncodeDataSet({})), TDataSetRows());
    }

    void changeLogRoundTrip()
    {
        const TChangeLog log = {
            {TDelta::TKind::Insert, {}, {{"name", "Neu"}, {"orga_id", 7}}, {}},
            {TDelta::TKind::Modify,
             12,
             {{"city", "Bonn"}, {"active", false}},
             {{"city", QVariant()}, {"active", true}}},
            {TDelta::TKind::Delete, 13, {}, {}},
        };
        QCOMPARE(PacketCodec::DecodeChangeLog(PacketCodec::EncodeChangeLog(log)), log);
    }

    void containersRoundTrip()
    {
        const TDataSetList sets = {{"Customer", sampleDataSet()}};
        QCOMPARE(PacketCodec::DataSetListFromJson(PacketCodec::DataSetListToJson(sets)), sets);
        QVERIFY(PacketCodec::DataSetListFromJson(QJsonValue(QJsonValue::Null)).isEmpty());
        const TDeltaList deltas = {{"Customer", {{TDelta::TKind::Delete, 5, {}, {}}}}};
        QCOMPARE(PacketCodec::DeltaListFromJson(PacketCodec::DeltaListToJson(deltas)), deltas);
    }

    void hostilePackets_data()
    {
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not base64") << QByteArray("@@@@");
        QTest::newRow("not zlib") << QByteArray("plain text").toBase64();
        QTest::newRow("zlib of text") << packed("plain text");
        QTest::newRow("zlib bomb") << zlibBomb().toBase64();
        QTest::newRow("truncated zlib") << PacketCodec::Deflate(QByteArray(1000, 'a')).left(8).toBase64();
        QTest::newRow("zlib with trailing garbage") << (PacketCodec::Deflate("x") + "junk").toBase64();
        QTest::newRow("map instead of list") << packed(handWritten([](QCborStreamWriter& W) {
            W.startMap(0);
            W.endMap();
        }));
        QTest::newRow("claimed length far beyond the data")
            << packed(QByteArray::fromHex("9b7fffffffffffffff"));
        QTest::newRow("unknown column type") << packed(oneColumn(
            9, [](QCborStreamWriter&) {}, 0));
        QTest::newRow("row shorter than the columns") << packed(oneColumn(1, [](QCborStreamWriter& AWriter) {
            AWriter.startArray(0);
            AWriter.endArray();
        }));
        QTest::newRow("floating-point value") << packed(oneColumn(1, [](QCborStreamWriter& AWriter) {
            AWriter.startArray(1);
            AWriter.append(1.5);
            AWriter.endArray();
        }));
    }

    void hostilePackets()
    {
        QFETCH(QByteArray, packet);
        QVERIFY_THROWS_EXCEPTION(EZQError, PacketCodec::DecodeDataSet(packet));
        QVERIFY_THROWS_EXCEPTION(EZQError, PacketCodec::DecodeChangeLog(packet));
    }

    // Every cut of a valid packet's CBOR is refused, never misread.
    void everyTruncationIsRefused()
    {
        QByteArray cbor = QByteArray::fromBase64(PacketCodec::EncodeDataSet(sampleDataSet()));
        cbor = PacketCodec::Inflate(cbor);
        for (qsizetype cut = 0; cut < cbor.size(); ++cut)
            QVERIFY_THROWS_EXCEPTION(EZQError, PacketCodec::DecodeDataSet(packed(cbor.left(cut))));
    }

    void randomBytesNeverCrash()
    {
        QRandomGenerator random(4711);
        const QByteArray valid =
            PacketCodec::Inflate(QByteArray::fromBase64(PacketCodec::EncodeDataSet(sampleDataSet())));
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = valid;
            for (int flips = 1 + random.bounded(4); flips > 0; --flips)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            try {
                PacketCodec::DecodeDataSet(packed(bytes));
                PacketCodec::DecodeChangeLog(packed(bytes));
            } catch (const EZQError&) {
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestPacketCodec)
#include "tst_packetcodec.moc"
