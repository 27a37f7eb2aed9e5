#pragma once

class TFrame2;

// The firmware senders: one download engine (the start command, "PG", one
// S-record per reply, the ends) and what each kind of transfer does after
// the data. Each runs one step per tick of its frame, in TransferStep.
enum class TFirmwareSender
{
    Tavr1Main,    // Tavr1 state 3
    Tavr1Network, // Tavr1 state 5 (Lantronix)
    Tavr1Som,     // Tavr1 state 9
    HdMain,       // HD state 3, unit without display
    Vren1Main,    // HD state 3, unit with display
    HdNetwork,    // HD state 5
};

void RunFirmwareSender(TFrame2& f, TFirmwareSender sender);

// The after-update bookkeeping each tick: a reconnect that ends in error
// before the unit is active again gets one more line telling what to do.
void WatchReconnectAfterUpdate(TFrame2& f);
