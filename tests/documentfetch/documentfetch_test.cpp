// Copying picture fields to files and fetching compressed pictures through GENLIB40.
#include "catalogdb/database.h"
#include "catalogdb/documentfetch.h"
#include "catalogdb/genliblibrary.h"

#include "app/core/apptitle.h"
#include "app/core/settings.h"

#include "scriptedui.h"
#include "testdir.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include <zlib.h>

using namespace vandrel;

namespace {

const QString compressedName = QStringLiteral("Temporary.FetchedCompressedData.tmp");
const QString imageName = QStringLiteral("Temporary.FetchedImageData.tmp");

// The stored form: 4-byte little-endian length, then one zlib stream.
QByteArray compressed(const QByteArray& data)
{
    uLongf len = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(len), '\0');
    EXPECT_EQ(Z_OK, compress(reinterpret_cast<Bytef*>(out.data()), &len,
                             reinterpret_cast<const Bytef*>(data.constData()), uLong(data.size())));
    out.resize(qsizetype(len));
    const quint32 n = quint32(data.size());
    QByteArray head(4, '\0');
    for (int i = 0; i < 4; ++i)
        head[i] = char((n >> (8 * i)) & 0xFF);
    return head + out;
}

QByteArray pictureBytes(QColor colour, QSize size, const char* format = "PNG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

QByteArray patterned(qsizetype n)
{
    QByteArray b(n, '\0');
    for (qsizetype i = 0; i < n; ++i)
        b[i] = char((i * 7 + i / 251) & 0xFF);
    return b;
}

QByteArray readFile(const QString& name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class DocumentFetchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousProgramDir = programState().programDirectory;
        programState().programDirectory = dir.path();
        // The library is found beside the test executable, as beside the program.
        GenlibLibrary::setSearchForTesting(std::nullopt, true);
        resetDocumentFetchCounters();

        db = Database::create(dir.file(QStringLiteral("pictures.mdb")));
        ASSERT_TRUE(db);
        TableDef td = db->createTableDef(QStringLiteral("Illustrations"));
        td.appendField(td.createField(QStringLiteral("Nr"), Field::Long));
        td.appendField(td.createField(QStringLiteral("Tekening"), Field::LongBinary));
        td.appendField(td.createField(QStringLiteral("Notitie"), Field::Memo));
        td.appendField(td.createField(QStringLiteral("Naam"), Field::Text, 50));
        ASSERT_TRUE(db->appendTableDef(td));
        label.setPixmap(QPixmap::fromImage(pictureOf(Qt::yellow, QSize(3, 3))));
    }

    void TearDown() override
    {
        setFieldChunkObserverForTesting({});
        GenlibLibrary::setSearchForTesting(std::nullopt, true);
        programState().programDirectory = previousProgramDir;
    }

    static QImage pictureOf(QColor colour, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    // A row, left current in the returned recordset.
    std::unique_ptr<Recordset> row(int nr, const QVariant& tekening, const QVariant& notitie = {},
                                   const QVariant& naam = {})
    {
        auto rs = db->openRecordset(QStringLiteral("Illustrations"), Recordset::Dynaset);
        EXPECT_TRUE(rs->addNew());
        rs->setValue(QStringLiteral("Nr"), nr);
        rs->setValue(QStringLiteral("Tekening"), tekening);
        rs->setValue(QStringLiteral("Notitie"), notitie);
        rs->setValue(QStringLiteral("Naam"), naam);
        EXPECT_TRUE(rs->update());
        auto reading = db->openRecordset(QStringLiteral("SELECT * FROM Illustrations WHERE Nr = %1").arg(nr),
                                         Recordset::Dynaset, Recordset::ReadOnly);
        EXPECT_TRUE(reading && reading->hasCurrent());
        return reading;
    }

    QStringList temporaryFiles() const
    {
        return QDir(dir.path()).entryList({QStringLiteral("Temporary.*")}, QDir::Files, QDir::Name);
    }

    qint64 labelKey() const { return label.pixmap().cacheKey(); }

    test::TestDir dir;
    test::ScriptedUi ui;
    QString previousProgramDir;
    std::unique_ptr<Database> db;
    QLabel label;
};

TEST_F(DocumentFetchTest, CopiesInChunksOnlyAboveTheLimit)
{
    struct Case {
        qsizetype fieldBytes;
        qint32 size;
        QList<QPair<qint64, qint64>> pieces;
        qsizetype written;
    };
    const Case cases[] = {
        {16384, 16384, {{0, 16384}}, 16384},
        {16385, 16385, {{0, 16384}, {16384, 1}}, 16385},
        {40000, 40000, {{0, 16384}, {16384, 16384}, {32768, 7232}}, 40000},
        {1, 1, {{0, 1}}, 1},
        // A size beyond the field stops at the field's end: the piece asked there is empty.
        {20000, 50000, {{0, 16384}, {16384, 16384}, {20000, 16384}}, 20000},
    };
    int nr = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fieldBytes);
        const QByteArray data = patterned(c.fieldBytes);
        auto rs = row(nr++, data);
        QList<QPair<qint64, qint64>> pieces;
        setFieldChunkObserverForTesting([&](qint64 offset, qint64 count) { pieces.append({offset, count}); });
        const QString file = dir.file(QStringLiteral("copy%1.bin").arg(nr));
        const DocumentError e = CopyFieldToFile(*rs, QStringLiteral("Tekening"), file, c.size, DocumentChunkSize);
        EXPECT_FALSE(e.isSet()) << e.text.toStdString();
        EXPECT_EQ(c.pieces, pieces);
        EXPECT_EQ(data.left(c.written), readFile(file));
    }
}

TEST_F(DocumentFetchTest, MemoCharactersAreOneByteEach)
{
    // 16385 characters: two pieces, the euro sign in the second one, a character outside
    // the code page as "?".
    QString text = QString(16383, QLatin1Char('a')) + QStringLiteral("\u00e9\u20ac");
    ASSERT_EQ(16385, text.size());
    auto rs = row(1, QVariant(), text);
    int pieces = 0;
    setFieldChunkObserverForTesting([&](qint64, qint64) { ++pieces; });
    const QString file = dir.file(QStringLiteral("memo.txt"));
    EXPECT_FALSE(CopyFieldToFile(*rs, 2, file, qint32(text.size()), DocumentChunkSize).isSet());
    EXPECT_EQ(2, pieces);
    EXPECT_EQ(QByteArray(16383, 'a') + QByteArray("\xe9\x80"), readFile(file));

    auto small = row(2, QVariant(), QStringLiteral("x\u03a9y"));
    EXPECT_FALSE(CopyFieldToFile(*small, 2, file + QStringLiteral("2"), 3, DocumentChunkSize).isSet());
    EXPECT_EQ(QByteArray("x?y"), readFile(file + QStringLiteral("2")));
}

TEST_F(DocumentFetchTest, WritesOverFromTheStartWithoutShortening)
{
    auto rs = row(1, QByteArray("abc"), QVariant(), QStringLiteral("tekst"));
    const QString file = dir.file(QStringLiteral("existing.bin"));
    writeFile(file, "0123456789");
    EXPECT_FALSE(CopyFieldToFile(*rs, 1, file, 3, DocumentChunkSize).isSet());
    EXPECT_EQ(QByteArray("abc3456789"), readFile(file));

    // Another type: the file is opened and closed, created when missing, left unchanged.
    EXPECT_FALSE(CopyFieldToFile(*rs, 3, file, 5, DocumentChunkSize).isSet());
    EXPECT_EQ(QByteArray("abc3456789"), readFile(file));
    const QString fresh = dir.file(QStringLiteral("fresh.bin"));
    EXPECT_FALSE(CopyFieldToFile(*rs, QStringLiteral("Nr"), fresh, 4, DocumentChunkSize).isSet());
    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_EQ(0, QFileInfo(fresh).size());
}

TEST_F(DocumentFetchTest, TwoFetchesLeaveOnlyTheSecondImageFile)
{
    const QByteArray red = pictureBytes(Qt::red, QSize(40, 30));
    // Above the chunk size once compressed, so the chunked path is part of the fetch.
    QImage noise(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x ^ y) & 0xFF));
    QByteArray blue;
    {
        QBuffer buffer(&blue);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(noise.save(&buffer, "PNG"));
    }
    const QByteArray blueStored = compressed(blue);
    ASSERT_GT(blueStored.size(), DocumentChunkSize);

    auto first = row(1, compressed(red));
    auto second = row(2, blueStored);
    int pieces = 0;
    setFieldChunkObserverForTesting([&](qint64, qint64) { ++pieces; });

    ASSERT_TRUE(FetchDocument(&label, *first, QStringLiteral("Tekening")));
    EXPECT_EQ(QSize(40, 30), label.pixmap().size());
    EXPECT_EQ(QColor(Qt::red).rgb(), label.pixmap().toImage().pixel(5, 5));
    EXPECT_EQ(QStringList{imageName}, temporaryFiles());
    EXPECT_EQ(red, readFile(dir.file(imageName)));

    ASSERT_TRUE(FetchDocument(&label, *second, 1));
    EXPECT_EQ(QSize(200, 200), label.pixmap().size());
    EXPECT_EQ(noise.pixel(17, 9), label.pixmap().toImage().pixel(17, 9));
    EXPECT_EQ(QStringList{imageName}, temporaryFiles());
    EXPECT_EQ(blue, readFile(dir.file(imageName)));
    EXPECT_EQ(1 + (blueStored.size() + DocumentChunkSize - 1) / DocumentChunkSize, pieces);

    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(2, documentFetchCounters().calls);
    EXPECT_EQ(2, documentFetchCounters().loaded);
    EXPECT_TRUE(GenlibLibrary::isBound());
}

TEST_F(DocumentFetchTest, JpegPicturesLoadToo)
{
    auto rs = row(1, compressed(pictureBytes(Qt::green, QSize(16, 8), "JPEG")));
    ASSERT_TRUE(FetchDocument(&label, *rs, 1));
    EXPECT_EQ(QSize(16, 8), label.pixmap().size());
}

TEST_F(DocumentFetchTest, DecompressionFailureKeepsThePicture)
{
    const QByteArray good = compressed(pictureBytes(Qt::red, QSize(4, 4)));
    QByteArray damaged = good;
    for (qsizetype i = 6; i < damaged.size(); ++i)
        damaged[i] = char(damaged[i] ^ 0x5A);
    QByteArray tooShortLength = good;
    tooShortLength[0] = 1;
    tooShortLength[1] = tooShortLength[2] = tooShortLength[3] = 0;

    const struct {
        const char* name;
        QVariant field;
        QString text;
    } cases[] = {
        {"empty", QByteArray(""), QStringLiteral("-3: Decompression Error")},
        {"null", QVariant(), QStringLiteral("-3: Decompression Error")},
        {"length only", QByteArray("\x10\0\0\0", 4), QStringLiteral("-3: Decompression Error")},
        {"damaged", damaged, QStringLiteral("-3: Decompression Error")},
        {"stored length too small", tooShortLength, QStringLiteral("-5: Decompression Error")},
    };
    ui.allowUnexpectedOkMessages(true);
    int nr = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto rs = row(nr++, c.field);
        const qint64 before = labelKey();
        EXPECT_FALSE(FetchDocument(&label, *rs, QStringLiteral("Tekening")));
        ASSERT_FALSE(ui.messages().isEmpty());
        const Message& m = ui.messages().last();
        EXPECT_EQ(c.text, m.text);
        EXPECT_EQ(MsgIcon::Warning, m.icon);
        EXPECT_EQ(AppTitle::programTitle, m.title);
        EXPECT_EQ(before, labelKey());
        EXPECT_TRUE(temporaryFiles().isEmpty()) << temporaryFiles().join(u' ').toStdString();
    }
    EXPECT_EQ(int(std::size(cases)), ui.messages().size());
    EXPECT_EQ(0, documentFetchCounters().loaded);
}

TEST_F(DocumentFetchTest, LeftoverCompressedFileIsNotReadBack)
{
    // An interrupted fetch left a complete compressed picture; an empty field must not
    // bring that picture back.
    writeFile(dir.file(compressedName), compressed(pictureBytes(Qt::blue, QSize(9, 9))));
    auto rs = row(1, QByteArray(""));
    ui.allowUnexpectedOkMessages(true);
    const qint64 before = labelKey();
    EXPECT_FALSE(FetchDocument(&label, *rs, 1));
    EXPECT_EQ(QStringList{QStringLiteral("-3: Decompression Error")}, ui.messageTexts());
    EXPECT_EQ(before, labelKey());
    EXPECT_TRUE(temporaryFiles().isEmpty());
}

TEST_F(DocumentFetchTest, MissingLibraryGivesTheFetchMessage)
{
    auto rs = row(1, compressed(pictureBytes(Qt::red, QSize(4, 4))));
    QTemporaryDir empty;
    GenlibLibrary::setSearchForTesting(QStringList{empty.path()}, false);
    ui.allowUnexpectedOkMessages(true);
    const qint64 before = labelKey();
    EXPECT_FALSE(FetchDocument(&label, *rs, 1));
    ASSERT_EQ(1, ui.messages().size());
    EXPECT_EQ(QStringLiteral("(48) Fout bij het laden van de DLL GENLIB40"), ui.messages()[0].text);
    EXPECT_EQ(QStringLiteral("FetchDocument"), ui.messages()[0].title);
    EXPECT_EQ(MsgIcon::Warning, ui.messages()[0].icon);
    EXPECT_EQ(before, labelKey());
    EXPECT_FALSE(GenlibLibrary::isBound());
    EXPECT_TRUE(temporaryFiles().isEmpty());

    // A failed binding is not kept: once the library is there, the next fetch works.
    GenlibLibrary::setSearchForTesting(std::nullopt, true);
    EXPECT_TRUE(FetchDocument(&label, *rs, 1));
    EXPECT_EQ(QSize(4, 4), label.pixmap().size());
    EXPECT_EQ(1, ui.messages().size());
    EXPECT_EQ(2, documentFetchCounters().calls);
    EXPECT_EQ(1, documentFetchCounters().loaded);
}

TEST_F(DocumentFetchTest, OtherFailuresGiveNumberAndText)
{
    auto notAPicture = row(1, compressed("this is no picture"));
    auto picture = row(2, compressed(pictureBytes(Qt::red, QSize(4, 4))));
    auto empty = db->openRecordset(QStringLiteral("SELECT * FROM Illustrations WHERE Nr = 99"), Recordset::Dynaset);
    ui.allowUnexpectedOkMessages(true);

    const qint64 before = labelKey();
    EXPECT_FALSE(FetchDocument(&label, *empty, 1));
    EXPECT_FALSE(FetchDocument(&label, *notAPicture, 1));
    EXPECT_FALSE(FetchDocument(&label, *picture, QStringLiteral("Plaatje")));
    // A program directory that cannot be written to.
    programState().programDirectory = dir.file(QStringLiteral("gone")) + QDir::separator();
    EXPECT_FALSE(FetchDocument(&label, *picture, 1));
    EXPECT_EQ(before, labelKey());

    const QStringList expected = {
        QStringLiteral("(3021) Er is geen huidige record."),
        QStringLiteral("(481) Ongeldige afbeelding"),
        QStringLiteral("(3265) Het veld 'Plaatje' bestaat niet."),
        QStringLiteral("(76) Pad niet gevonden"),
    };
    EXPECT_EQ(expected, ui.messageTexts());
    for (const Message& m : ui.messages()) {
        EXPECT_EQ(QStringLiteral("FetchDocument"), m.title);
        EXPECT_EQ(MsgIcon::Warning, m.icon);
    }
    // The undecodable picture's image file stays until the next fetch; never a compressed one.
    programState().programDirectory = dir.path();
    EXPECT_EQ(QStringList{imageName}, temporaryFiles());
    EXPECT_EQ(4, documentFetchCounters().calls);
    EXPECT_EQ(0, documentFetchCounters().loaded);
}

} // namespace
