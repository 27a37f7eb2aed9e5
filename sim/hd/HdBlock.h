#pragma once

#include "protocol/hd/HdData.h"

#include <QByteArray>
#include <QDateTime>
#include <array>

// The simulated HD unit's blocks, written through the protocol folder's layout
// so the unit and the program agree by construction.

struct THdBlockFields
{
    quint16 echoId = 0xFFFF;
    std::array<quint8, 4> echoValue{};
    quint8 audioSource = 0;
    quint8 status = 0;
    std::array<quint32, 2> alarmMasks{};
    THdServiceRec service;
    std::array<qint32, 126> measurements{};
    std::array<qint32, 509> spectrum{};
    int blockType = 0;

    std::array<quint32, 8> xhdrHash{};
    std::array<quint8, 8> xhdrParam{};
    std::array<quint16, 8> xhdrLot{};
    quint8 messageKind = 0; // 'S', 'L' or 0
    quint8 messageSubKind = 0;
    qint32 messageTotal = 0;
    qint32 messagePosition = 0;
    QByteArray payload; // at most 1096 bytes
};

// The 2729-byte block with its checksum; the type data is written afterwards
// by the writers below (which leave the checksum to setHdChecksum).
QByteArray BuildHdBlock(const THdBlockFields& fields);

// Type data writers.
void WriteHdConfig(QByteArray& block, const HdConfigRecord& c,
                   const std::array<qint32, HdUnitRecordItems>& unitRecord);
void WriteHdTimeAlign(QByteArray& block, const TTimeAlignConfigTable& t);
void WriteHdChunk(QByteArray& block, quint8 id, quint8 type, qint32 len, qint32 index,
                  const QByteArray& data340);
// part 0: the addresses; otherwise the proxy, group words and subjects.
void WriteHdEmail(QByteArray& block, const THdEmailSettings& e, int part);
void WriteHdTable(QByteArray& block, const std::array<qint32, HdTableWords>& table);

// The S-protocol frame: the block, the unit's date-time and, on the network,
// 64 bytes of the echoed line (CR-ended, NUL-padded; all NUL for none).
QByteArray StampHdBlock(const QByteArray& block, const QDateTime& stamp, bool network,
                        const QByteArray& echoLine);
