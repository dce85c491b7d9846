#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

#include <optional>

namespace vandrel {

// One product group of GRPINFO.TXT.
struct GroupEntry {
    int level = 1;    // 1..4, the indent in the tree
    qint32 itemData;  // main group (3 digits), group (2), subgroup (4), sub-subgroup (2)
    QString text;
};

// Reads the group file's lines: blank lines and lines without "|" are skipped.
QList<GroupEntry> parseGroupLines(const QList<QString>& lines);
// One line; nothing for a blank line or a line without "|".
std::optional<GroupEntry> parseGroupLine(const QString& line);

// The ProduktGroep prefix a leaf group lists its articles by.
QString groupPrefix(qint32 itemData);

// The main group's text colour and background of the group caption bar; nothing when
// the text is no digit (the bar stays as it is).
struct GroupColours {
    QColor background;
    QColor text;
};
std::optional<GroupColours> groupColours(const QString& mainGroupText);

} // namespace vandrel
