// The message bus: order of posted messages across windows, drop on destroy,
// payloads through relays, re-entrant sends, sends inside a modal loop.
#include "platform/MessageBus.h"
#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace platform;

namespace {

struct Delivery {
    WindowHandle window;
    std::uint32_t id;
    WParam wParam;
    LParam lParam;
};

// A window that logs what reaches it into a shared journal.
class JournalWindow {
public:
    explicit JournalWindow(std::vector<Delivery>& journal) : m_journal(journal) {
        m_window.OnAny([this](const Message& m) {
            m_journal.push_back({m_window.Handle(), m.id, m.wParam, m.lParam});
            return LResult{0};
        });
    }
    MessageWindow& Window() { return m_window; }
    WindowHandle Handle() const { return m_window.Handle(); }

private:
    std::vector<Delivery>& m_journal;
    MessageWindow m_window;
};

class MessageBusTest : public ::testing::Test {
protected:
    void SetUp() override { TheMessageBus().ProcessPosted(); }
    void TearDown() override { TheMessageBus().ProcessPosted(); }
    static void RunEventLoop() {
        QCoreApplication::sendPostedEvents();
        TheMessageBus().ProcessPosted();
    }
    std::vector<std::uint32_t> Ids() const {
        std::vector<std::uint32_t> ids;
        for (const Delivery& d : journal)
            ids.push_back(d.id);
        return ids;
    }
    std::vector<Delivery> journal;
};

TEST_F(MessageBusTest, PostedMessagesArriveInPostOrderAcrossWindows) {
    JournalWindow a(journal), b(journal), c(journal);
    b.Window().On(1, [&](const Message& m) {
        journal.push_back({b.Handle(), m.id, 0, 0});
        PostMessage(a.Handle(), 3, 0, 0);  // goes behind what is already queued
        return LResult{0};
    });
    c.Window().OnAny([&](const Message& m) {
        journal.push_back({c.Handle(), m.id, 0, 0});
        return LResult{0};
    });
    b.Window().OnAny([&](const Message& m) {
        journal.push_back({b.Handle(), m.id, 0, 0});
        return LResult{0};
    });
    PostMessage(b.Handle(), 1, 0, 0);
    PostMessage(c.Handle(), 2, 0, 0);
    PostMessage(b.Handle(), 4, 0, 0);
    while (TheMessageBus().PendingCount() > 0)
        QCoreApplication::processEvents();  // the real event loop path
    EXPECT_EQ(Ids(), (std::vector<std::uint32_t>{1, 2, 4, 3}));
    ASSERT_EQ(journal.size(), 4u);
    EXPECT_EQ(journal[1].window, c.Handle());
    EXPECT_EQ(journal[3].window, a.Handle());
}

TEST_F(MessageBusTest, HandlerPostsGoToTheEndBehindEarlierPosts) {
    JournalWindow a(journal), b(journal);
    std::vector<int> order;
    a.Window().On(10, [&](const Message&) {
        order.push_back(10);
        PostMessage(b.Handle(), 12, 0, 0);
        return LResult{0};
    });
    b.Window().On(11, [&](const Message&) { order.push_back(11); return LResult{0}; });
    b.Window().On(12, [&](const Message&) { order.push_back(12); return LResult{0}; });
    PostMessage(a.Handle(), 10, 0, 0);
    PostMessage(b.Handle(), 11, 0, 0);
    RunEventLoop();
    EXPECT_EQ(order, (std::vector<int>{10, 11, 12}));
}

TEST_F(MessageBusTest, ParametersArriveUnchanged) {
    JournalWindow a(journal);
    const WParam bigW = 0xFFFF'FFFF'FFFF'FFF0ull;
    const LParam negativeL = -123456789012345;
    PostMessage(a.Handle(), UM_ANALYSIS_LINE, bigW, negativeL);
    RunEventLoop();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].id, UM_ANALYSIS_LINE);
    EXPECT_EQ(journal[0].wParam, bigW);
    EXPECT_EQ(journal[0].lParam, negativeL);
}

// ----- windows that go away -----

TEST_F(MessageBusTest, PostToDestroyedWindowIsDroppedAndSendReturnsZero) {
    WindowHandle gone;
    {
        MessageWindow window;
        window.On(5, [](const Message&) { return LResult{7}; });
        gone = window.Handle();
        EXPECT_EQ(SendMessage(gone, 5, 0, 0), 7);
    }
    MessageSpy spy;
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(PostMessage(gone, 5, 0, 0));
    EXPECT_EQ(SendMessage(gone, 5, 0, 0), 0);
    EXPECT_EQ(TheMessageBus().PendingCount(), 0u);
    EXPECT_EQ(spy.Of(SpiedMessage::Kind::Dropped).size(), 2u);
    EXPECT_FALSE(PostMessage(kNoWindow, 5, 0, 0));
}

TEST_F(MessageBusTest, QueuedMessagesForAWindowDestroyedBeforeDeliveryAreDropped) {
    JournalWindow keeper(journal);
    auto doomed = std::make_unique<JournalWindow>(journal);
    const WindowHandle doomedHandle = doomed->Handle();
    PostMessage(doomedHandle, 1, 0, 0);
    PostMessage(keeper.Handle(), 2, 0, 0);
    PostMessage(doomedHandle, 3, 0, 0);
    doomed.reset();
    RunEventLoop();
    EXPECT_EQ(Ids(), (std::vector<std::uint32_t>{2}));
}

TEST_F(MessageBusTest, WindowDestroyedByAnEarlierHandlerMissesItsQueuedMessages) {
    JournalWindow victim(journal);
    MessageWindow killer;
    killer.On(1, [&](const Message&) {
        victim.Window().Destroy();
        return LResult{0};
    });
    PostMessage(killer.Handle(), 1, 0, 0);
    PostMessage(victim.Handle(), 2, 0, 0);
    RunEventLoop();
    EXPECT_TRUE(journal.empty());
}

TEST_F(MessageBusTest, HandlesAreNeverReused) {
    WindowHandle first;
    {
        MessageWindow window;
        first = window.Handle();
    }
    MessageWindow next;
    EXPECT_NE(next.Handle(), first);
    EXPECT_GT(next.Handle(), first);
    EXPECT_FALSE(IsWindow(first));
}

TEST_F(MessageBusTest, HandlerMayDestroyItsOwnWindow) {
    auto window = std::make_unique<MessageWindow>();
    int calls = 0;
    window->On(1, [&](const Message&) {
        ++calls;
        window.reset();
        return LResult{1};
    });
    EXPECT_EQ(SendMessage(window->Handle(), 1, 0, 0), 1);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(window, nullptr);
}

// ----- payloads -----

struct Record60 {
    std::int32_t words[15];
};

TEST_F(MessageBusTest, PostedPayloadLivesThroughEveryRelayHopAfterSenderIsGone) {
    // sender -> hub -> view -> leaf, each hop a new post of the same message
    MessageWindow hub, view, leaf;
    Record60 seen{};
    bool leafReached = false;
    hub.On(UM_ANALYSIS_LINE, [&](const Message& m) {
        PostMessage(view.Handle(), WithParams(m, 0, m.lParam));
        return LResult{0};
    });
    view.On(UM_ANALYSIS_LINE, [&](const Message& m) {
        PostMessage(leaf.Handle(), m);
        return LResult{0};
    });
    leaf.On(UM_ANALYSIS_LINE, [&](const Message& m) {
        seen = *BlockAt<Record60>(m.lParam);
        leafReached = true;
        return LResult{0};
    });
    {
        auto sender = std::make_unique<Record60>();
        for (int i = 0; i < 15; ++i)
            sender->words[i] = 100 + i;
        PostMessage(hub.Handle(), MessageWithBlock(UM_ANALYSIS_LINE, 5, *sender));
        std::fill(std::begin(sender->words), std::end(sender->words), -1);  // sender changes its own
        sender.reset();                                                    // and goes away
    }
    RunEventLoop();
    ASSERT_TRUE(leafReached);
    EXPECT_EQ(seen.words[0], 100);
    EXPECT_EQ(seen.words[14], 114);
}

TEST_F(MessageBusTest, PayloadIsReleasedWhenTheLastHopIsDone) {
    MessageWindow hub;
    std::weak_ptr<const void> watch;
    hub.On(1, [&](const Message& m) {
        watch = m.payload;
        return LResult{0};
    });
    PostMessage(hub.Handle(), MessageWithBlockInWParam(1, std::string("block"), 0));
    RunEventLoop();
    EXPECT_TRUE(watch.expired());
}

TEST_F(MessageBusTest, DroppedMessageReleasesItsPayload) {
    auto target = std::make_unique<MessageWindow>();
    auto message = MessageWithBlock(1, 0, 42);
    std::weak_ptr<const void> watch = message.payload;
    PostMessage(target->Handle(), std::move(message));
    target.reset();
    RunEventLoop();
    EXPECT_TRUE(watch.expired());
}

// ----- sends -----

TEST_F(MessageBusTest, SendIsDirectAndReentrant) {
    MessageWindow a, b;
    int depth = 0;
    a.On(1, [&](const Message& m) {
        ++depth;
        const LResult inner = m.wParam > 0 ? SendMessage(b.Handle(), 1, m.wParam - 1, 0) : 0;
        --depth;
        return inner + 1;
    });
    b.On(1, [&](const Message& m) { return SendMessage(a.Handle(), 1, m.wParam, 0) * 10; });
    // a(2) -> b(1) -> a(1) -> b(0) -> a(0)
    EXPECT_EQ(SendMessage(a.Handle(), 1, 2, 0), 111);
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(TheMessageBus().PendingCount(), 0u);
}

TEST_F(MessageBusTest, UnhandledMessageReturnsZero) {
    MessageWindow a;
    a.On(1, [](const Message&) { return LResult{9}; });
    EXPECT_EQ(SendMessage(a.Handle(), 2, 0, 0), 0);
    EXPECT_TRUE(a.Handles(1));
    EXPECT_FALSE(a.Handles(2));
}

TEST_F(MessageBusTest, ModalLoopInsideAHandlerKeepsDeliveringAndSending) {
    // The hub runs a "modal dialog" (a nested loop) while handling a post;
    // queued posts keep arriving and sends return results inside it.
    MessageWindow hub, pane;
    std::vector<std::string> order;
    LResult sentInsideModal = -1;
    pane.On(2, [&](const Message&) {
        order.push_back("pane 2");
        return LResult{0};
    });
    pane.On(3, [&](const Message&) { return LResult{33}; });
    hub.On(1, [&](const Message&) {
        order.push_back("hub modal open");
        QEventLoop modal;
        QTimer::singleShot(0, &modal, [&] {
            sentInsideModal = SendMessage(pane.Handle(), 3, 0, 0);
            PostMessage(hub.Handle(), 4, 0, 0);
        });
        hub.On(4, [&](const Message&) {
            order.push_back("hub 4 inside modal");
            modal.quit();
            return LResult{0};
        });
        modal.exec();
        order.push_back("hub modal closed");
        return LResult{0};
    });
    PostMessage(hub.Handle(), 1, 0, 0);
    PostMessage(pane.Handle(), 2, 0, 0);
    while (order.size() < 4 || TheMessageBus().PendingCount() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    EXPECT_EQ(sentInsideModal, 33);
    EXPECT_EQ(order, (std::vector<std::string>{"hub modal open", "pane 2", "hub 4 inside modal", "hub modal closed"}));
}

TEST_F(MessageBusTest, SpySeesPostsDeliveriesAndSends) {
    MessageSpy spy;
    MessageWindow a;
    PostMessage(a.Handle(), 7, 1, 2);
    SendMessage(a.Handle(), 8, 3, 4);
    RunEventLoop();
    ASSERT_EQ(spy.Of(SpiedMessage::Kind::Posted, a.Handle()).size(), 1u);
    ASSERT_EQ(spy.Of(SpiedMessage::Kind::Delivered, a.Handle(), 7).size(), 1u);
    const auto sent = spy.Of(SpiedMessage::Kind::Sent, a.Handle());
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].wParam, 3u);
    EXPECT_EQ(sent[0].lParam, 4);
}

}  // namespace
