#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace vandrel {

// The print markup as a list of text pieces and commands, without a printer: what
// FormatPrint carries out.
class PrintMarkup {
public:
    enum class Op {
        Text,        // text: print it
        StoreX, StoreY, RestoreX, RestoreY,
        Portrait, Landscape,
        FontSize,    // number
        WideOn,      // size 18, bold on
        WideOff,     // size 12, bold off
        BoldOn, BoldOff, UnderlineOn, UnderlineOff, ItalicOn, ItalicOff,
        CrLf, FormFeed, EndOfDocument, TopOfPage, CarriageReturn, LineFeed,
        DateLong, DateShort, Time,
        FontName,    // text
        Tab,         // whole: column
        FixedTab,    // whole: column of 12-point Courier New
        MoveUp, MoveDown, MoveLeft, MoveRight, // whole: millimetres
        LineWidth,   // whole
        HLine, VLine, // whole: millimetres
        Memo,        // memo
        Ignored,     // unknown commands, "{header:", other "{move" commands
    };
    enum class MemoUnit { Characters, Millimetres, Twips };

    struct Memo {
        int width = 0;
        MemoUnit unit = MemoUnit::Characters;
        int lines = 0;
        QString text;
        bool operator==(const Memo&) const = default;
    };

    struct Token {
        Op op = Op::Text;
        QString text;    // Text; FontName: the name; other commands: as written
        QString source;  // the markup this piece came from
        double number = 0; // FontSize
        int whole = 0;     // Tab, FixedTab, moves, LineWidth, rules
        Memo memo;
    };

    // Splits markup into pieces. A "{" without a "}" after it prints as text, with all
    // that follows.
    static QList<Token> parse(const QString& markup);
    // One command, braces included.
    static Token command(const QString& command);

    // Reads a leading number: blanks skipped, a sign, digits with at most one decimal
    // point; no number gives 0.
    static double leadingNumber(QStringView text);
    // To a whole number, halves to the even neighbour; limited to the int range.
    static int roundHalfEven(double value);
    // The argument of a move: only the whole-number part counts.
    static int moveDistance(QStringView argument);
    static Memo parseMemo(QStringView argument);
};

} // namespace vandrel
