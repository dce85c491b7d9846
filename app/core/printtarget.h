#pragma once

#include <QString>

class QPrinter;

namespace vandrel::printtarget {

// The folder for print jobs that become PDF files: $VANDREL_PRINT_DIR, else the user's
// documents folder.
QString pdfFolder();

// Points printer at the system's default printer, or, when there is none or
// $VANDREL_PRINT_DIR is set, at a new PDF file named after the job in pdfFolder().
// Returns that file's path; empty when a real printer was chosen.
QString choose(QPrinter& printer, const QString& jobName);

// Tells the user where the PDF of a job went (through the Ui port).
void tellPdfWritten(const QString& pdfPath);

} // namespace vandrel::printtarget
