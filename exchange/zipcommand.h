#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace vandrel {

// What the archive work reports while it runs: the progress window listens in the
// program, tests record it.
class ZipEvents {
public:
    virtual ~ZipEvents() = default;
    virtual void started() = 0;
    virtual void compressing(const QString& name) = 0;
    virtual void decompressing(const QString& name) = 0;
    virtual void progress(int percent) = 0;
    virtual void complete() = 0;
    virtual void error(int code, const QString& text) = 0;
};

// A parsed archive command. For "zip" each file field is one run (sourceFolder may be
// empty: the spec is then taken as given, relative to the current directory).
struct ZipRequest {
    enum class Operation { Zip, Unzip };
    struct AddRun {
        QString sourceFolder;
        QString spec;
    };

    Operation operation = Operation::Zip;
    QString archive;
    QList<AddRun> adds;      // zip
    QString targetDirectory; // unzip
    QStringList specs;       // unzip: the file masks, in order
    bool overwrite = false;  // unzip: "-o"
};

// Splits the TAB-separated command with the shared word splitter (empty fields dropped,
// at most 99 taken). Nothing when field 1 names neither "zip" nor "unzip" (any case).
std::optional<ZipRequest> parseZipCommand(const QString& command);

// Runs the command and reports through events. True when the operation was known and
// handed to the archive work; failures of the work itself arrive as error events.
bool ZipCommand(const QString& command, ZipEvents& events);

// The program's form: progress in the progress window, errors as a message box.
bool ZipCommand(const QString& command);

} // namespace vandrel
