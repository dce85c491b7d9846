#pragma once

#include <QByteArray>

namespace vandrel {

class HostLink;

// The line helpers the host sessions use on top of the host link: lines and prompts out
// of the receive buffer, every wait with a time-out, the connection mode hidden. Bytes
// are 8-bit and pass unchanged.

// Disconnect of the link.
void HangUp(HostLink& link);
// Sends the text exactly as given (the caller adds CR, CR LF or nothing).
void SendLine(HostLink& link, const QByteArray& text);
// Modem mode: moves serial input into the receive buffer (internet data comes by event).
void PollReceive(HostLink& link);
// One line: ends at CR, LF removed, an empty line is " ", a time-out is "" (after
// timeout + 1 to timeout + 2 seconds). An ESC before any CR returns what was received
// at once, raw (the start of a block-protocol frame).
void ReadLine(HostLink& link, QByteArray& line, int timeoutSeconds);
// seconds > 0: until the receive buffer holds something or the time has passed;
// seconds <= 0: a pure pause of |seconds|.
void WaitForData(HostLink& link, float seconds);
// Until text (letter case ignored) is in the receive buffer; then the buffer loses
// everything up to the match, the match and the one character after it.
bool WaitForText(HostLink& link, const QByteArray& text, float timeoutSeconds);
bool IsConnected(HostLink& link);

} // namespace vandrel
