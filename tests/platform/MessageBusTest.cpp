// The message bus: order of posted messages across windows, drop on destroy,
// payloads through relays, re-entrant sends, sends inside a modal loop.
#include "platform/MessageBus.h"
#include "platform/MessageRecords.h"
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

class MessageBusTest : public ::testing::Test {
protected:
    void SetUp() override { TheMessageBus().ProcessPosted(); }
    void TearDown() override { TheMessageBus().ProcessPosted(); }
    static void Deliver() {
        QCoreApplication::sendPostedEvents();
        TheMessageBus().ProcessPosted();
    }
    // A window that logs "name id" (and the parameters unless 0) for every
    // message without a handler of its own.
    std::unique_ptr<MessageWindow> Logging(const std::string& name) {
        auto window = std::make_unique<MessageWindow>();
        window->OnAny([this, name](const Message& m) {
            const bool params = m.wParam != 0 || m.lParam != 0;
            log.push_back(name + " " + std::to_string(m.id) +
                          (params ? " " + std::to_string(m.wParam) + " " + std::to_string(m.lParam) : ""));
            return LResult{0};
        });
        return window;
    }
    std::vector<std::string> log;
};

TEST_F(MessageBusTest, PostsArriveInPostOrderAcrossWindowsAndHandlerPostsGoLast) {
    auto a = Logging("a"), b = Logging("b"), c = Logging("c");
    b->On(1, [&](const Message&) {
        log.push_back("b 1");
        PostMessage(a->Handle(), 3, 0, 0);  // behind what is already queued
        return LResult{0};
    });
    PostMessage(b->Handle(), 1, 0, 0);
    PostMessage(c->Handle(), 2, 0xFFFF'FFFF'FFFF'FFF0ull, -123456789012345);
    PostMessage(b->Handle(), 4, 0, 0);
    while (TheMessageBus().PendingCount() > 0)
        QCoreApplication::processEvents();  // the real event loop path
    EXPECT_EQ(log, (std::vector<std::string>{"b 1", "c 2 18446744073709551600 -123456789012345", "b 4", "a 3"}));
}

TEST_F(MessageBusTest, MessagesForAWindowThatIsGoneAreDropped) {
    auto keeper = Logging("keeper"), doomed = Logging("doomed"), victim = Logging("victim");
    keeper->On(9, [&](const Message&) {
        victim->Destroy();  // by an earlier handler, with a message for it still queued
        return LResult{0};
    });
    const WindowHandle gone = doomed->Handle();
    const WindowHandle last = victim->Handle();
    PostMessage(gone, 1, 0, 0);
    PostMessage(keeper->Handle(), 2, 0, 0);
    PostMessage(keeper->Handle(), 9, 0, 0);
    PostMessage(victim->Handle(), 3, 0, 0);
    PostMessage(gone, 4, 0, 0);
    doomed.reset();
    Deliver();
    EXPECT_EQ(log, std::vector<std::string>{"keeper 2"});

    MessageSpy spy;
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(PostMessage(gone, 5, 0, 0));
    EXPECT_EQ(SendMessage(gone, 5, 0, 0), 0);
    EXPECT_FALSE(PostMessage(kNoWindow, 5, 0, 0));
    EXPECT_EQ(TheMessageBus().PendingCount(), 0u);
    EXPECT_EQ(spy.Of(SpiedMessage::Kind::Dropped).size(), 3u);
    MessageWindow next;
    EXPECT_GT(next.Handle(), last) << "handles are never reused";
}

TEST_F(MessageBusTest, HandlerMayDestroyItsOwnWindow) {
    auto window = std::make_unique<MessageWindow>();
    window->On(1, [&](const Message&) {
        window.reset();
        return LResult{1};
    });
    EXPECT_EQ(SendMessage(window->Handle(), 1, 0, 0), 1);
    EXPECT_EQ(window, nullptr);
}

TEST_F(MessageBusTest, PayloadLivesThroughEveryRelayHopAndGoesWithTheLastOne) {
    // sender -> hub -> view -> leaf, each hop a new post of the same message
    MessageWindow hub, view, leaf;
    hub.On(UM_ANALYSIS_LINE,
           [&](const Message& m) { return LResult{PostMessage(view.Handle(), WithParams(m, 0, m.lParam))}; });
    view.On(UM_ANALYSIS_LINE, [&](const Message& m) { return LResult{PostMessage(leaf.Handle(), m)}; });
    GraphPoint seen{};
    std::weak_ptr<const void> watch;
    leaf.On(UM_ANALYSIS_LINE, [&](const Message& m) {
        const GraphPoint* block = BlockIn<GraphPoint>(m, m.lParam);
        EXPECT_TRUE(block && !m.sent);
        if (block)
            seen = *block;
        EXPECT_FALSE(watch.expired()) << "the message owns its block";
        return LResult{0};
    });
    {
        GraphPoint sent;
        for (int i = 0; i < 15; ++i)
            sent.words[i] = 100 + i;
        Message message = MessageWithBlock(UM_ANALYSIS_LINE, 5, sent);
        watch = message.payload;
        PostMessage(hub.Handle(), std::move(message));
        sent.words[0] = sent.words[14] = -1;  // the sender changes its own block, then goes away
    }
    Deliver();
    EXPECT_EQ(seen.words[0], 100);
    EXPECT_EQ(seen.words[14], 114);
    EXPECT_TRUE(watch.expired());

    auto target = std::make_unique<MessageWindow>();
    Message dropped = MessageWithBlockInWParam(1, std::string("block"), 0);
    watch = dropped.payload;
    PostMessage(target->Handle(), std::move(dropped));
    target.reset();
    Deliver();
    EXPECT_TRUE(watch.expired()) << "a dropped message releases its payload";
}

TEST_F(MessageBusTest, SendIsDirectAndReentrant) {
    MessageWindow a, b;
    a.On(1, [&](const Message& m) {
        EXPECT_TRUE(m.sent);
        return (m.wParam > 0 ? SendMessage(b.Handle(), 1, m.wParam - 1, 0) : 0) + 1;
    });
    b.On(1, [&](const Message& m) { return SendMessage(a.Handle(), 1, m.wParam, 0) * 10; });
    // a(2) -> b(1) -> a(1) -> b(0) -> a(0)
    EXPECT_EQ(SendMessage(a.Handle(), 1, 2, 0), 111);
    EXPECT_EQ(SendMessage(a.Handle(), 2, 0, 0), 0) << "no handler";
    EXPECT_EQ(TheMessageBus().PendingCount(), 0u);
}

TEST_F(MessageBusTest, ModalLoopInsideAHandlerKeepsDeliveringAndSending) {
    // The hub runs a nested loop (a modal dialog) while handling a post:
    // queued posts keep arriving and sends return results inside it.
    auto hub = Logging("hub"), pane = Logging("pane");
    pane->On(3, [](const Message&) { return LResult{33}; });
    LResult sentInsideModal = -1;
    QEventLoop modal;
    hub->On(1, [&](const Message&) {
        QTimer::singleShot(0, &modal, [&] {
            sentInsideModal = SendMessage(pane->Handle(), 3, 0, 0);
            PostMessage(hub->Handle(), 4, 0, 0);
        });
        modal.exec();
        log.push_back("hub modal closed");
        return LResult{0};
    });
    hub->On(4, [&](const Message&) {
        log.push_back("hub 4");
        modal.quit();
        return LResult{0};
    });
    PostMessage(hub->Handle(), 1, 0, 0);
    PostMessage(pane->Handle(), 2, 0, 0);
    while (log.size() < 3 || TheMessageBus().PendingCount() > 0)
        QCoreApplication::processEvents();
    EXPECT_EQ(sentInsideModal, 33);
    EXPECT_EQ(log, (std::vector<std::string>{"pane 2", "hub 4", "hub modal closed"}));
}

}  // namespace
