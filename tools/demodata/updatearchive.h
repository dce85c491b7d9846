#pragma once

#include "tools/demodata/catalogworld.h"

#include <QList>
#include <QString>

namespace vandrel::demodata {

// What an update archive changes against the delivery of the same options.
struct UpdateSummary {
    QList<int> repriced;  // articles with a new gross and net price (10 % up)
    QList<int> added;     // new article numbers
    QList<int> withdrawn; // articles marked "*** VERVALLEN ***"
    QString renamedGroup; // code of the group whose text the new group file changes
};

// The host's update archive "VDCDINFO.ZIP" for a demo delivery: "VDCDINFO" with the
// changed, new and withdrawn articles and its end record dated the day after the
// delivery; a new "GRPINFO.TXT" (one group renamed); "ADDIINFO.TXT" and "ALTEINFO.TXT" in
// full, as the import replaces those tables whole. The same options give the same bytes.
bool writeUpdateArchive(const QString& zipPath, const Options& options, QString* error = nullptr,
                        UpdateSummary* summary = nullptr);

} // namespace vandrel::demodata
