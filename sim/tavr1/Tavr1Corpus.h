#pragma once

#include <QString>

// Seeds for the Tavr1 family's fuzz targets: each target's inputs as the
// simulated unit would send them (blocks of every tail kind, stamped blocks,
// streams with a lost byte, identification lines, set lines) and the files
// the program reads (DLD headers, CFG files), plus the field helpers' and
// date-time stamps' inputs. Written into dir/<Name>Fuzz/, one file a seed.
// False, with the reason, when a file cannot be written.
bool writeTavr1Corpus(const QString& dir, QString* error);
