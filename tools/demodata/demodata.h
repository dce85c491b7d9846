#pragma once

// The demo-data generator: the files a wholesaler delivers, invented and reproducible.
// The same options always give the same bytes.

#include "tools/demodata/catalogfiles.h"
#include "tools/demodata/catalogworld.h"
#include "tools/demodata/illustrationdb.h"

#include <QString>

namespace vandrel::demodata {

struct DeliverySummary {
    int groups = 0;
    int articleRecords = 0; // withdrawn ones included
    int additionals = 0;
    int alternatives = 0;
    IllustrationDbCounts pictures;
};

// Writes "GRPINFO.TXT", "ARTINFO.TXT", "ADDIINFO.TXT", "ALTEINFO.TXT", "VDCDROM4.MDB" and
// the wholesaler's help pages (folder "groothandel") into dir (created when missing),
// replacing files of those names. Needs a
// QGuiApplication for drawing the pictures.
bool writeDelivery(const QString& dir, const Options& options, QString* error = nullptr,
                   DeliverySummary* summary = nullptr);

} // namespace vandrel::demodata
