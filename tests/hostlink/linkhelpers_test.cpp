// The line helpers over a receive buffer the test fills itself, on a virtual clock.
#include "hostlink/hostlink.h"
#include "hostlink/linkhelpers.h"

#include <gtest/gtest.h>

using namespace vandrel;

namespace {

const QByteArray ESC("\x1b");

struct HelperFixture : ::testing::Test {
    ManualClock clock{10};
    HostLink link{clock};
    ReceiveBuffer& buffer = link.receiveBuffer();
    // Bytes that "arrive" once the virtual clock has reached the given time.
    void arriveAt(qint64 ms, QByteArray bytes)
    {
        clock.onPump([this, ms, bytes, done = false](qint64 now) mutable {
            if (!done && now >= ms) {
                buffer.append(bytes);
                done = true;
            }
        });
    }
};

TEST_F(HelperFixture, ReadLineSplitsAtCarriageReturnAndDropsLineFeeds)
{
    buffer.append("ABC\r\nDEF");
    QByteArray line;
    ReadLine(link, line, 5);
    EXPECT_EQ(line, "ABC");
    EXPECT_EQ(buffer.bytes(), "\nDEF"); // the LF stays until the next line

    buffer.append("\r");
    ReadLine(link, line, 5);
    EXPECT_EQ(line, "DEF");
    EXPECT_TRUE(buffer.isEmpty());
}

TEST_F(HelperFixture, ReadLineTellsAnEmptyLineFromSilence)
{
    buffer.append("\r\n");
    QByteArray line;
    ReadLine(link, line, 5);
    EXPECT_EQ(line, " ");

    buffer.clear();
    const qint64 start = clock.nowMs();
    ReadLine(link, line, 5);
    EXPECT_EQ(line, "");
    // Gives up after timeout + 1 to timeout + 2 seconds.
    EXPECT_GE(clock.nowMs() - start, 6000);
    EXPECT_LE(clock.nowMs() - start, 7100);
}

TEST_F(HelperFixture, ReadLineReturnsAFrameStartRawAtOnce)
{
    const QByteArray frame = "OK" + ESC + ESC + "$$IU00";
    buffer.append(frame);
    QByteArray line;
    const qint64 start = clock.nowMs();
    ReadLine(link, line, 5);
    EXPECT_EQ(line, frame);
    EXPECT_LT(clock.nowMs() - start, 100);
}

TEST_F(HelperFixture, ReadLineWaitsForTheCarriageReturnAcrossArrivals)
{
    buffer.append("HAL");
    arriveAt(2000, QByteArray("LO\r", 3));
    QByteArray line;
    ReadLine(link, line, 5);
    EXPECT_EQ(line, "HALLO");
}

TEST_F(HelperFixture, ReadLineKeepsEveryByteValue)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n' && b != 27)
            all += char(b);
    buffer.append(all + "\r");
    QByteArray line;
    ReadLine(link, line, 1);
    EXPECT_EQ(line, all);
}

TEST_F(HelperFixture, WaitForTextConsumesTheMatchAndOneCharacter)
{
    buffer.append("Uw PRIVECODE: ");
    EXPECT_TRUE(WaitForText(link, "privecode", 3));
    EXPECT_EQ(buffer.bytes(), " ");

    buffer.clear();
    buffer.append("xx toegangscode");
    EXPECT_TRUE(WaitForText(link, "TOEGANGSCODE", 3));
    EXPECT_TRUE(buffer.isEmpty()); // nothing after the match: nothing left
}

TEST_F(HelperFixture, WaitForTextTimesOutAndLeavesTheBuffer)
{
    buffer.append("Uw toegangscode: ");
    const qint64 start = clock.nowMs();
    EXPECT_FALSE(WaitForText(link, "privecode", 3));
    EXPECT_GE(clock.nowMs() - start, 3000);
    EXPECT_LT(clock.nowMs() - start, 3100);
    EXPECT_EQ(buffer.bytes(), "Uw toegangscode: ");
}

TEST_F(HelperFixture, WaitForTextSeesTextThatArrivesLater)
{
    arriveAt(1500, "[C]ommand: ");
    EXPECT_TRUE(WaitForText(link, "[c]OMMAND", 5));
    EXPECT_EQ(buffer.bytes(), " ");
}

TEST_F(HelperFixture, WaitForDataPausesOrReturnsOnData)
{
    buffer.append("x"); // a pure pause waits whatever is there
    qint64 start = clock.nowMs();
    WaitForData(link, -0.5f);
    EXPECT_GE(clock.nowMs() - start, 500);
    EXPECT_LT(clock.nowMs() - start, 520);

    start = clock.nowMs();
    WaitForData(link, 1);
    EXPECT_EQ(clock.nowMs(), start); // data there: at once

    buffer.clear();
    start = clock.nowMs();
    arriveAt(start + 300, "y");
    WaitForData(link, 1);
    EXPECT_EQ(buffer.bytes(), "y");
    EXPECT_LT(clock.nowMs() - start, 400);

    buffer.clear();
    clock.onPump({});
    start = clock.nowMs();
    WaitForData(link, 1);
    EXPECT_GE(clock.nowMs() - start, 1000);
    EXPECT_LT(clock.nowMs() - start, 1100);
}

TEST_F(HelperFixture, TcpLineInputTakesOneCrLfLine)
{
    buffer.append("A\r\nB");
    QByteArray line;
    // The link is not connected, so the wait for a second line ends at once.
    EXPECT_TRUE(link.TCPlineinput(line));
    EXPECT_EQ(line, "A");
    EXPECT_EQ(buffer.bytes(), "B");
    EXPECT_FALSE(link.TCPlineinput(line));
    EXPECT_EQ(buffer.bytes(), "B");
}

TEST_F(HelperFixture, NothingIsSentOrConnectedWithoutALine)
{
    EXPECT_FALSE(IsConnected(link));
    SendLine(link, "TM TO 5388100\r"); // dropped, no wait, no crash
    EXPECT_FALSE(IsConnected(link));
}

} // namespace
