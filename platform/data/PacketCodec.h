#pragma once

#include "platform/data/Containers.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <memory>

class QCborStreamWriter;

// The storage form of data sets and change logs inside the JSON containers: CBOR, compressed with zlib
// at the default level, base64-encoded (docs/protocol.md). Decoding never trusts its input: a damaged,
// truncated or oversized packet raises EZQError and nothing else.
namespace PacketCodec {

// Writes a data set packet row by row, so that a server can stream rows into it without building them
// first. Each row takes exactly one value per field, then EndRow.
class TDataSetEncoder
{
public:
    explicit TDataSetEncoder(const TFieldDefs& AFields);
    ~TDataSetEncoder();
    TDataSetEncoder(const TDataSetEncoder&) = delete;
    TDataSetEncoder& operator=(const TDataSetEncoder&) = delete;

    void AddNull();
    void AddInteger(qint64 AValue);
    void AddBoolean(bool AValue);
    void AddText(QByteArrayView AUtf8);
    void AddDateTime(QByteArrayView AIsoText);
    void AddValue(const QVariant& AValue);
    void EndRow();
    // The packet: base64 of the zlib stream of the CBOR.
    QByteArray Finish();

private:
    void StartRowIfNeeded();

    QByteArray FCbor;
    std::unique_ptr<QCborStreamWriter> FWriter;
    qsizetype FFieldCount;
    bool FInRow = false;
};

// The most that one packet may inflate to.
constexpr qsizetype MaxInflatedBytes = 256 * 1024 * 1024;

QByteArray EncodeDataSet(const TDataSetRows& ADataSet);
TDataSetRows DecodeDataSet(QByteArrayView ABase64);

QByteArray EncodeChangeLog(const TChangeLog& ALog);
TChangeLog DecodeChangeLog(QByteArrayView ABase64);

// The containers: a JSON object with one member per entry, keyed by its name, whose value is the packet.
QJsonObject DataSetListToJson(const TDataSetList& AList);
TDataSetList DataSetListFromJson(const QJsonValue& AValue);
QJsonObject DeltaListToJson(const TDeltaList& AList);
TDeltaList DeltaListFromJson(const QJsonValue& AValue);

// zlib with its bound on the inflated size; exposed for the tests of hostile packets.
QByteArray Deflate(const QByteArray& AData);
QByteArray Inflate(QByteArrayView AData);

} // namespace PacketCodec
