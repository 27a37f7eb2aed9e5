#pragma once

#include "data/DataLog.h"

#include <QByteArray>
#include <QString>

// The state of playing back a rack log: which records form the play range,
// which one is shown, and how the timer, the keys, the time pickers and the
// track bar move through them. Widget-free, so the formulas are tested (and
// fuzzed) without a window. Times are TDateTime days.
class TLogPlaybackModel
{
public:
    enum class Mode
    {
        Stopped,
        Play,
        FastForward,
        Rewind,
    };
    enum class Load
    {
        Loaded,
        Scanning,   // scan() has records left to look at
        CannotRead, // reason says why
        NoRecord,   // no whole record in the file
        NoGoodTime, // no record with a valid time stamp
    };

    // Opens the file: CannotRead or NoRecord at once, else Scanning until
    // scan() has looked at every record.
    Load begin(const QString& path, QString* reason);
    // The same over bytes in memory.
    Load beginBytes(const QByteArray& bytes);
    // Scans up to maxRecords more records: Scanning while some are left, then
    // Loaded, or NoGoodTime (and nothing loaded).
    Load scan(int maxRecords);
    // How far the scan is, 0..100.
    int scanPercent() const;
    // begin and the whole scan in one call, for tests and tools: a window
    // scans in slices between its events.
    Load load(const QString& path, QString* reason);
    Load loadBytes(const QByteArray& bytes);
    void unload();

    bool isLoaded() const { return m_count > 0; }
    int count() const { return m_count; }
    int trailingBytes() const { return m_reader.trailingBytes(); }
    int damagedCount() const { return m_reader.damagedCount(); }

    int current() const { return m_current; }
    int first() const { return m_first; }
    int last() const { return m_last; }
    double firstTime() const { return m_firstTime; }
    double lastTime() const { return m_lastTime; }
    double startPicker() const { return m_startPicker; }
    double stopPicker() const { return m_stopPicker; }
    Mode mode() const { return m_mode; }
    bool loop = false;

    void play() { setMode(Mode::Play); }
    void fastForward() { setMode(Mode::FastForward); }
    void rewind() { setMode(Mode::Rewind); }
    void pause() { setMode(Mode::Stopped); }

    // One timer tick. True when a record is to be shown (the one at shown()):
    // play shows every fifth tick, fast forward and rewind every tick; each
    // show moves on by one within the range.
    bool tick();
    // The record the last show was of, -1 before any.
    int shown() const { return m_shown; }
    // "I<" and ">I".
    void reset();
    void toEnd();
    // The pickers: the value is kept within its bounds and returned.
    double setStartPicker(double t);
    double setStopPicker(double t);
    // The user moved the track bar to 0..100; the record there is shown.
    void trackMoved(int position);
    // Where the track bar stands for the record shown last (the current one
    // before any show).
    int trackPosition() const;

    // The time of record i, read from the file; NaN when it is damaged.
    double time(int i) { return m_reader.time(i); }
    QByteArray record(int i) { return m_reader.record(i); }

private:
    Load begun();
    Load scanAll(Load begun);
    Load loaded();
    void setMode(Mode m);
    void show();
    void step(bool forward);
    // The span of the file's times, 0 when it is not a usable positive span.
    double span() const;
    void clampRange();

    DataLog::TReader m_reader;
    int m_count = 0;
    int m_current = 0;
    int m_first = 0;
    int m_last = 0;
    int m_shown = -1;
    int m_ticks = 0;
    double m_firstTime = 0;
    double m_lastTime = 0;
    double m_startPicker = 0;
    double m_stopPicker = 0;
    Mode m_mode = Mode::Stopped;
};
