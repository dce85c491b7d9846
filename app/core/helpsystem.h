#pragma once

#include <QString>

namespace vandrel {

// Opens a topic of the program's help file in the desktop's help viewer. A viewer opened
// by the desktop cannot be given a context number, so it opens the file at its start;
// the number is kept for a viewer that can jump to it. A missing file gets a message.
void showHelpTopic(const QString& helpFile, int contextNumber);

} // namespace vandrel
