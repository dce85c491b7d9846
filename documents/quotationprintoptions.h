#pragma once

#include <QString>

namespace vandrel {

// The choices of the print options dialog, kept in section "PrintSettings" of the
// settings file.
struct QuotationPrintOptions {
    bool printHeader = false;   // PrintHeader: title, reference and date
    bool printCodes = true;     // PrintCodes: article numbers of article lines
    bool printOfferte = false;  // PrintOfferte: the catalog's quotation texts
    bool printValues = true;    // PrintValues: amounts of article lines
    bool exportOptions = false; // ExportOptions: one of the two outputs below, not the printer
    bool printEditor = false;   // PrintEditor: RTF into the text editor, else a tab file
    // Millimetres, as typed.
    QString leftMargin = QStringLiteral("20");
    QString rightMargin = QStringLiteral("20");
    QString topMargin = QStringLiteral("20");
    QString botMargin = QStringLiteral("20");
    QString firstPageTopMargin = QStringLiteral("20");

    enum class Output { Printer, Editor, TabFile };
    Output output() const;

    // Reads every key (defaults for missing ones) from the settings file.
    static QuotationPrintOptions load();
    // Writes every key back: margins as typed, check boxes as "0"/"1", PrintEditor as
    // "TRUE"/"FALSE". False when the settings file cannot be written.
    bool save() const;
};

// The truth value of a settings text: "TRUE"/"FALSE" in any case, or a number (not 0 is
// true). Other text gives the default.
bool settingsBool(const QString& text, bool defaultValue);

// A margin box holds a whole number of millimetres from 0 to 999 (blanks around allowed).
bool isMarginText(const QString& text);

} // namespace vandrel
