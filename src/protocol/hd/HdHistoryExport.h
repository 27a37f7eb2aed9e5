#pragma once

#include "protocol/hd/HdHistoryRows.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The text file a day of history is saved to: a time stamp, the download's
// header, then the table as comma-separated lines.

// "yyyy-MM-dd hh:mm:ss", the stamp of the file and of the chart's time axis.
QString HdHistoryStampText(const QDateTime& stamp);

// title + " MMddyyyy hhHmmMssS.txt"
QString HdHistoryFileName(const QString& title, const QDateTime& stamp);

// The file's lines, without line ends: the stamp, the id, type and length of
// the download the rows came from, the title row and the 1440 minute rows.
QStringList HdHistoryExportLines(const QDateTime& stamp, const THdHistoryRows& rows);

// Writes lines, Latin-1 and CR LF each, to folder/fileName, making the folder
// first. Written whole or not at all: a failure leaves any earlier file of
// that name as it was, and error says why.
bool WriteHdHistoryExport(const QString& folder, const QString& fileName,
                          const QStringList& lines, QString* error);
