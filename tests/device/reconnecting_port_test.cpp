// The port that finds its way back to the box, against the scripted port: bytes pass through
// untouched, a closed port is reopened on a one-second timer, and "answering" follows the
// bytes that arrive.

#include "device/ReconnectingPort.h"
#include "support/Fakes.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Wrapped {
    Wrapped()
    {
        auto owned = std::make_unique<FakeCommPort>();
        fake = owned.get();
        port = std::make_unique<ReconnectingPort>(std::move(owned));
    }
    FakeCommPort* fake = nullptr;
    std::unique_ptr<ReconnectingPort> port;
};

} // namespace

TEST(ReconnectingPort, PresentBoxSeesExactlyTheBytesItAlwaysSaw)
{
    Wrapped link;
    QSignalSpy changes(link.port.get(), &ReconnectingPort::answeringChanged);
    link.fake->replies = {QByteArray("QUIRAN"), QByteArray(), QByteArray("\x41\x42", 2)};
    ASSERT_TRUE(link.port->Open(2));
    EXPECT_EQ(link.fake->openedPort, 2);
    for (uint8_t byte : {0x00, 0x00, 0xFF})
        link.port->Write(byte);
    EXPECT_EQ(link.port->WaitForReply(500, 6), QByteArray("QUIRAN"));
    link.port->Write(0xF3);
    EXPECT_TRUE(link.port->ReadAvailable().isEmpty());
    link.port->Write(0xF2);
    EXPECT_EQ(link.port->ReadAvailable(), QByteArray("\x41\x42", 2));
    link.port->Check();

    EXPECT_EQ(link.fake->written, (std::vector<uint8_t>{0x00, 0x00, 0xFF, 0xF3, 0xF2}));
    EXPECT_TRUE(link.port->answering());
    EXPECT_FALSE(link.port->retryTimer().isActive());
    // Not answering from the opening until the probe's answer; nothing after that.
    ASSERT_EQ(changes.size(), 2);
    EXPECT_FALSE(changes[0][0].toBool());
    EXPECT_TRUE(changes[1][0].toBool());
}

TEST(ReconnectingPort, PortMissingAtStartIsTriedOnceASecondAndTheBoxFoundByItsProbe)
{
    Wrapped link;
    link.fake->canOpen = false;
    EXPECT_FALSE(link.port->Open(1));
    EXPECT_FALSE(link.port->answering());
    EXPECT_TRUE(link.port->retryTimer().isActive());
    EXPECT_EQ(link.port->retryTimer().interval(), 1000);

    link.port->Reopen();   // still missing
    EXPECT_TRUE(link.port->retryTimer().isActive());

    link.fake->canOpen = true;
    link.fake->replies = {QByteArray("stale"), QByteArray(), QByteArray("QUIRAN"), QByteArray("\x20", 1)};
    link.fake->openedPort = 0;
    link.port->Reopen();
    EXPECT_EQ(link.fake->openedPort, 1);
    EXPECT_EQ(link.fake->written, (std::vector<uint8_t>{0x00, 0x00, 0xFF}));
    EXPECT_FALSE(link.port->retryTimer().isActive());
    // Until the probe is answered the port is closed to the readout: it neither writes nor
    // reads, so the answer can never be taken for readings.
    EXPECT_TRUE(link.port->probing());
    EXPECT_FALSE(link.port->IsOpen());
    link.port->Write(0xF3);
    EXPECT_TRUE(link.port->ReadAvailable().isEmpty());
    EXPECT_EQ(link.fake->written.size(), 3u);
    const unsigned openings = link.port->Openings();

    link.port->LookForProbeAnswer();   // nothing yet
    EXPECT_TRUE(link.port->probing());
    EXPECT_FALSE(link.port->answering());
    link.port->LookForProbeAnswer();
    EXPECT_FALSE(link.port->probing());
    EXPECT_TRUE(link.port->IsOpen());
    EXPECT_TRUE(link.port->answering());
    EXPECT_EQ(link.port->Openings(), openings + 1) << "the readout starts afresh";
    EXPECT_TRUE(link.port->ReadAvailable().isEmpty()) << "what followed the answer was dropped";
}

TEST(ReconnectingPort, LostPortIsNoticedAndReopenedOnTheSameNumber)
{
    Wrapped link;
    link.fake->replies = {QByteArray("\x10", 1)};
    ASSERT_TRUE(link.port->Open(3));
    ASSERT_FALSE(link.port->ReadAvailable().isEmpty());
    ASSERT_TRUE(link.port->answering());

    link.fake->open = false;   // the adapter is pulled out
    link.fake->canOpen = false;
    link.port->Check();
    EXPECT_FALSE(link.port->answering());
    EXPECT_TRUE(link.port->retryTimer().isActive());
    link.port->Check();   // looking again does not restart anything
    EXPECT_TRUE(link.port->retryTimer().isActive());
    link.port->Write(0xF3);   // skipped while closed
    EXPECT_TRUE(link.fake->written.empty());

    link.fake->canOpen = true;
    link.fake->openedPort = 0;
    link.port->Reopen();
    EXPECT_EQ(link.fake->openedPort, 3);
    EXPECT_TRUE(link.port->probing());
}

TEST(ReconnectingPort, ClosedPortBeforeAnyOpeningIsNotALoss)
{
    Wrapped link;
    link.port->Check();
    EXPECT_TRUE(link.port->answering());
    EXPECT_FALSE(link.port->retryTimer().isActive());
}

// The box switched off, or a device with something else behind it: after four bytes written
// with no byte back the device is given up and the box looked for again.
TEST(ReconnectingPort, FourWritesUnansweredAbandonTheDevice)
{
    Wrapped link;
    link.fake->replies = {QByteArray("QUIRAN")};
    ASSERT_TRUE(link.port->Open(1));
    link.port->WaitForReply(500, 6);
    ASSERT_TRUE(link.port->answering());

    // A lost answer or three is nothing to report.
    for (int i = 0; i < 3; ++i) {
        link.port->Write(0xF3);
        link.port->ReadAvailable();
        link.port->Check();
    }
    EXPECT_TRUE(link.port->answering());
    link.fake->replies = {QByteArray("\x30", 1)};
    link.port->ReadAvailable();
    for (int i = 0; i < 3; ++i) {
        link.port->Write(0xF2);
        link.port->Check();
    }
    EXPECT_TRUE(link.port->answering());
    EXPECT_EQ(link.fake->abandoned, 0);

    link.port->Write(0xF2);
    link.port->Check();
    EXPECT_FALSE(link.port->answering());
    EXPECT_EQ(link.fake->abandoned, 1);
    EXPECT_FALSE(link.port->IsOpen());
    EXPECT_TRUE(link.port->retryTimer().isActive());
}

// The probe's answer is waited for on the event loop, never by blocking the window.
TEST(ReconnectingPort, ProbeUnansweredInTimeAbandonsTheDeviceAndTriesAgain)
{
    Wrapped link;
    link.fake->canOpen = false;
    link.port->Open(1);
    link.fake->canOpen = true;
    link.port->Reopen();
    ASSERT_TRUE(link.port->probing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !link.port->probing(); }, 5000));
    EXPECT_EQ(link.fake->abandoned, 1);
    EXPECT_FALSE(link.port->answering());
    EXPECT_TRUE(link.port->retryTimer().isActive());
}
