// The compression pair through the C interface, checked against zlib itself.
#include "genlibapi.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

using namespace genlibtest;

namespace {

std::string lengthPrefix(uint32_t n)
{
    return std::string{char(n), char(n >> 8), char(n >> 16), char(n >> 24)};
}

std::string zlibCompress(const std::string& data)
{
    uLongf len = compressBound(uLong(data.size()));
    std::string out(len, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &len,
             reinterpret_cast<const Bytef*>(data.data()), uLong(data.size()));
    out.resize(len);
    return out;
}

// Picture-like bytes: smooth runs with some noise and zero bytes among them.
std::string pictureBytes(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = char((i / 7) % 5 == 0 ? 0 : (i % 256) ^ (rng() % 4));
    return s;
}

// Data of exactly the given length, stored behind a chosen length field.
std::string withStoredLength(const std::string& data, uint32_t stored)
{
    return lengthPrefix(stored) + zlibCompress(data);
}

int decompress(std::string_view input, std::string* output = nullptr)
{
    Bstr b(input);
    int status = lib().DecompressString(b.handle());
    if (output)
        *output = b.bytes();
    return status;
}

} // namespace

TEST(Genlib40Compress, OutputIsLengthPrefixAndZlibStream)
{
    for (const std::string& data : {std::string(), std::string("abc"), pictureBytes(70000, 1)}) {
        Bstr b(data);
        ASSERT_EQ(lib().CompressString(b.handle()), Z_OK);
        EXPECT_EQ(b.bytes(), lengthPrefix(uint32_t(data.size())) + zlibCompress(data));
    }
}

TEST(Genlib40Compress, RoundTripKeepsZeroBytesAndEmptyInput)
{
    for (const std::string& data :
         {std::string(), std::string("\0\0a\0b\0", 6), pictureBytes(300000, 2)}) {
        Bstr b(data);
        ASSERT_EQ(lib().CompressString(b.handle()), Z_OK);
        if (data.empty()) {
            EXPECT_EQ(b.bytes().substr(0, 4), std::string(4, '\0'));
            EXPECT_LT(b.bytes().size(), 16u);
        }
        ASSERT_EQ(lib().DecompressString(b.handle()), Z_OK);
        EXPECT_EQ(b.bytes(), data);
    }
}

TEST(Genlib40Compress, IncompressibleDataFitsTheCapacity)
{
    std::mt19937 rng(7);
    std::string noise(100000, '\0');
    for (char& c : noise)
        c = char(rng());
    Bstr b(noise);
    ASSERT_EQ(lib().CompressString(b.handle()), Z_OK);
    ASSERT_EQ(lib().DecompressString(b.handle()), Z_OK);
    EXPECT_EQ(b.bytes(), noise);
}

// The output capacity is n * 0.01 + n + 12 with 0.01 as a 32-bit float, rounded: a stored
// length of 100 gives room for 113 bytes, 350 for 365 (the exact decimal would give 366).
TEST(Genlib40Compress, StoredLengthSetsTheCapacity)
{
    struct Case {
        uint32_t stored;
        size_t actual;
        int status;
    } cases[] = {
        {100, 113, Z_OK},   {100, 114, Z_BUF_ERROR}, {350, 365, Z_OK},
        {350, 366, Z_BUF_ERROR}, {500, 1000, Z_BUF_ERROR}, {5000, 1000, Z_OK},
        {0, 12, Z_OK},      {0, 13, Z_BUF_ERROR},
    };
    for (const Case& c : cases) {
        std::string data = pictureBytes(c.actual, 3);
        std::string out;
        EXPECT_EQ(decompress(withStoredLength(data, c.stored), &out), c.status)
            << c.stored << " / " << c.actual;
        if (c.status == Z_OK) {
            EXPECT_EQ(out, data);
        }
    }
}

TEST(Genlib40Compress, DamagedOrShortInputFailsWithoutReadingOutside)
{
    std::string good = withStoredLength(pictureBytes(5000, 4), 5000);
    std::string flipped = good;
    flipped[10] = char(flipped[10] ^ 0x55);
    std::string badHeader = good;
    badHeader[4] = 0x12; // not a zlib header
    struct Case {
        const char* what;
        std::string input;
    } cases[] = {
        {"damaged stream", flipped},
        {"bad header", badHeader},
        {"truncated stream", good.substr(0, good.size() / 2)},
        {"no stream", lengthPrefix(10)},
        {"empty", std::string()},
        {"one byte", std::string("\x05", 1)},
        {"three bytes", std::string("\x05\0\0", 3)},
        {"negative length", lengthPrefix(0xFFFFFFF0u) + zlibCompress("abc")},
    };
    for (const Case& c : cases) {
        int status = decompress(c.input);
        EXPECT_NE(status, Z_OK) << c.what;
    }
    EXPECT_EQ(decompress(flipped), Z_DATA_ERROR);
    EXPECT_EQ(decompress(badHeader), Z_DATA_ERROR);
}

TEST(Genlib40Compress, HugeStoredLengthStillDecompressesWhatIsThere)
{
    // A length field far larger than the data claims nothing the stream could fill.
    std::string data = "klein plaatje";
    std::string out;
    EXPECT_EQ(decompress(withStoredLength(data, 0x7FFFFFFFu), &out), Z_OK);
    EXPECT_EQ(out, data);
}

TEST(Genlib40Compress, NullHandleIsRefused)
{
    EXPECT_NE(lib().CompressString(nullptr), Z_OK);
    EXPECT_NE(lib().DecompressString(nullptr), Z_OK);
    BSTR none = nullptr; // a null string is the empty string
    EXPECT_EQ(lib().CompressString(&none), Z_OK);
    EXPECT_EQ(lib().DecompressString(&none), Z_OK);
    EXPECT_EQ(lib().SysStringByteLen(none), 0u);
    lib().SysFreeString(none);
}
