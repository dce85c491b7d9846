#pragma once

#include <QByteArray>

namespace vandrel::hostsim {

// How the order and update commands behave; the faults (--fault NAME=VALUE) change it.
// Defaults are a well-behaved host.
struct SessionScript {
    // Orders.
    int orderErrorAt = 0;         // the Nth order received (1-based) is refused once with "* ERROR:"
    bool processingError = false; // "ERROR" while processing the orders
    int dropAfterOrder = 0;       // hang up after storing the Nth order

    // Update.
    bool prepareError = false; // "ERROR" while preparing the update
    int downloadErrors = 0;    // the first N download requests get "* DOWNLOAD ERR:"
    bool serialSilence = false; // an X/Y/ZMODEM download starts, then the host sends nothing

    // OB-XFER.
    int blockSize = 4096;
    int badCheckBlock = 0;        // this data block (1-based) goes out with a wrong check digit once
    bool badCheckAlways = false;  // every data block goes out with a wrong check digit
    int splitFrames = 0;          // frames go out in pieces of this many bytes
    int silenceAfterBlock = 0;    // after this data block the host waits for the program to ask again
    int dropAfterBlock = 0;       // the host hangs up after sending this data block
    QByteArray fileName = "VDCDINFO.ZIP"; // the name in the header
};

} // namespace vandrel::hostsim
