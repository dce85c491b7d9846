#pragma once

#include "tools/demodata/catalogworld.h"

#include <QIODevice>

namespace vandrel::demodata {

// The delivered text files, Windows-1252 with CR LF. Each returns the number of records
// written (not counting end lines), or -1 when the device fails.

// GRPINFO.TXT: "code|description" per line, a blank line between main groups.
int writeGroupFile(const CatalogWorld& world, QIODevice& out);
// ARTINFO.TXT: 26 fields, each followed by "|"; last the end record "9999999" + date.
int writeArticleFile(const CatalogWorld& world, QIODevice& out);
// ADDIINFO.TXT "article|complement|quantity" and ALTEINFO.TXT "article|alternative".
// Both end with the line "9999999": the import leaves a file's last line out, so the
// end line makes sure every data line is read.
int writeAdditionalsFile(const CatalogWorld& world, QIODevice& out);
int writeAlternativesFile(const CatalogWorld& world, QIODevice& out);

} // namespace vandrel::demodata
