#pragma once

#include <QByteArray>

// The commands of a rack system (the command unit QEL_Commands): an opcode
// byte or letter, argument bytes and the terminator FE, sent unchanged. A
// builder whose argument is out of range returns an empty command, which the
// frame does not send. A raw argument byte must stay below FE: FE would end
// the command early and FF is the poll.

// Link commands.
QByteArray RackAttention();            // 03 FE
QByteArray RackStartData();            // 04 FE
QByteArray RackLoginRequest();         // 01 FE
QByteArray RackEndConnection();        // 02 FE
QByteArray RackDownloadStart(int count); // 05 hex4(count) FE; count 0..65535
QByteArray RackTerminator();           // FE
QByteArray RackIdentify();             // 07 FE
QByteArray RackPasswordChange();       // 06 FE
QByteArray RackPoll();                 // FF alone

// Module commands.
QByteArray Kelb1PanelOpenCmd();
QByteArray Kelb1ShowItemCmd(int n);
QByteArray Kelb1SelectPageCmd(int k);
QByteArray Kelb1SetValueCmd(int e, int v); // v 16 bits
QByteArray Lyn1RdsStreamCmd(int on);

QByteArray Nuva1PanelOpenCmd();
QByteArray Nuva1ShowItemCmd(int n); // n 0..49
QByteArray Nuva1SelectPageCmd(int k);
QByteArray Nuva1SetValueCmd(int e, int v);

QByteArray Lyn1PanelOpenCmd();
QByteArray Lyn1ShowItemCmd(int n); // n 0..19
QByteArray Lyn1SelectPageCmd(int k);
QByteArray Lyn1SetValueCmd(int e, int v);

QByteArray Varn1PanelOpenCmd(int u);
QByteArray Varn1ShowItemCmd(int u, int n);
QByteArray Varn1SelectPageCmd(int u, int k);
QByteArray Varn1SetValueCmd(int u, int e, int v);

// k is the preset's digit character '0'..'9'.
QByteArray Jov4PresetCmd(char k);
// The first five characters of t; empty when t is shorter.
QByteArray Jov4FrequencyCmd(const QByteArray& t);

QByteArray Gry230PanelOpenCmd();
QByteArray Gry230ShowItemCmd(int n); // n 0..49
QByteArray Gry230SelectPageCmd(int k);
QByteArray Gry230SetValueCmd(int e, int v);

QByteArray Gry250PanelOpenCmd();
QByteArray Gry250ShowItemCmd(int n); // n 0..49
QByteArray Gry250SelectPageCmd(int k);
QByteArray Gry250SetValueCmd(int e, int v);

QByteArray Pelo1PanelOpenCmd();
QByteArray Pelo1ShowItemCmd(int n); // n 0..49
QByteArray Pelo1SelectPageCmd(int k);
QByteArray Pelo1SetValueCmd(int e, int v);

QByteArray Pelo2PanelOpenCmd();
QByteArray Pelo2ShowItemCmd(int n); // n 0..52
QByteArray Pelo2SelectPageCmd(int k);
QByteArray Pelo2SetValueCmd(int e, int v); // v 16 bits
