#pragma once

#include <QString>

// Seeds for the rack's fuzz target (fuzz/RackRecordFuzz.cpp): each is a
// received byte stream behind one header byte. Header bits 0-1: the family
// (3 AM, 2 TV, else FM); bit 2: the S protocol; bits 4-7: the controller, an
// index into RackFuzzControllers.
constexpr int RackFuzzControllers[] = {0, 1, 2, 4, 8, 17, 18, 19, 33, 34};

// Writes the seeds into dir/RackRecordFuzz/ and those of the log reader
// (fuzz/RackLogFuzz.cpp: rack log files) into dir/RackLogFuzz/. Returns false (with a reason)
// when a file cannot be written.
bool WriteRackCorpus(const QString& dir, QString* error = nullptr);

// The log reader's seeds alone: one record, five, five and a fragment, and
// records with the unit's own stamps.
bool WriteRackLogCorpus(const QString& dir, QString* error = nullptr);
