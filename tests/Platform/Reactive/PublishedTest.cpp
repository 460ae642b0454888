#include "Platform/Reactive/Published.h"

#include "Platform/Reactive/CancellableSet.h"
#include "Support/Counted.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using Reactive::Cancellable;
using Reactive::CancellableSet;
using Reactive::Published;
using ::testing::ElementsAre;

namespace {

// Subscribes and records every value it receives.
struct Recorder {
    std::vector<int> values;
    Cancellable subscription;

    void subscribeTo(Published<int>& published) {
        subscription = published.subscribe([this](const int& value) { values.push_back(value); });
    }
};

} // namespace

// Subscribing and assigning

TEST(PublishedTest, SubscribeDeliversTheCurrentValueAtOnce) {
    Published<std::string> published("initial");
    std::vector<std::string> received;
    const auto subscription =
        published.subscribe([&](const std::string& value) { received.push_back(value); });
    EXPECT_EQ(received, std::vector<std::string>{"initial"});
    EXPECT_EQ(published.value(), "initial");
}

TEST(PublishedTest, EveryAssignmentStoresThenNotifiesEqualValuesIncluded) {
    Published<int> published(0);
    std::vector<int> received;
    std::vector<int> storedDuringDelivery;
    const auto subscription = published.subscribe([&](const int& value) {
        received.push_back(value);
        storedDuringDelivery.push_back(published.value());
    });

    published.set(1);
    published.set(1);
    published = 2;
    published = 2;

    EXPECT_THAT(received, ElementsAre(0, 1, 1, 2, 2));
    EXPECT_EQ(storedDuringDelivery, received);
    EXPECT_EQ(published.value(), 2);
}

TEST(PublishedTest, SubscribersAreNotifiedInSubscriptionOrder) {
    Published<int> published(0);
    std::vector<std::string> calls;
    const auto first = published.subscribe([&](const int&) { calls.emplace_back("first"); });
    const auto second = published.subscribe([&](const int&) { calls.emplace_back("second"); });
    const auto third = published.subscribe([&](const int&) { calls.emplace_back("third"); });
    calls.clear();

    published.set(1);
    EXPECT_THAT(calls, ElementsAre("first", "second", "third"));
}

// Cancelling outside a delivery

TEST(PublishedTest, CancellingOrDestroyingTheTokenStopsDeliveryAndReleasesTheHandler) {
    Published<int> published(0);
    int live = 0;
    std::vector<int> cancelledReceived;
    std::vector<int> destroyedReceived;
    auto cancelled = published.subscribe(
        [&, counted = Counted(live)](const int& value) { cancelledReceived.push_back(value); });
    auto destroyed = std::make_unique<Cancellable>(published.subscribe(
        [&, counted = Counted(live)](const int& value) { destroyedReceived.push_back(value); }));
    EXPECT_EQ(live, 2);

    cancelled.cancel();
    EXPECT_EQ(live, 1);
    destroyed.reset();
    EXPECT_EQ(live, 0);

    published.set(1);
    EXPECT_THAT(cancelledReceived, ElementsAre(0));
    EXPECT_THAT(destroyedReceived, ElementsAre(0));
}

TEST(PublishedTest, CancellingOneSubscriberLeavesTheOthers) {
    Published<int> published(0);
    Recorder first;
    Recorder second;
    Recorder third;
    first.subscribeTo(published);
    second.subscribeTo(published);
    third.subscribeTo(published);

    second.subscription.cancel();
    published.set(1);
    third.subscription.cancel();
    published.set(2);

    EXPECT_THAT(first.values, ElementsAre(0, 1, 2));
    EXPECT_THAT(second.values, ElementsAre(0));
    EXPECT_THAT(third.values, ElementsAre(0, 1));
}

TEST(PublishedTest, AMovedTokenKeepsTheSubscription) {
    Published<int> published(0);
    std::vector<int> received;
    auto original = published.subscribe([&](const int& value) { received.push_back(value); });
    auto moved = std::move(original);
    original.cancel();

    published.set(1);
    moved.cancel();
    published.set(2);

    EXPECT_THAT(received, ElementsAre(0, 1));
}

TEST(PublishedTest, ATokenOutlivingItsPublishedIsHarmless) {
    int live = 0;
    Cancellable cancelled;
    Cancellable destroyed;
    {
        Published<int> published(0);
        cancelled = published.subscribe([counted = Counted(live)](const int&) {});
        destroyed = published.subscribe([counted = Counted(live)](const int&) {});
        EXPECT_EQ(live, 2);
    }
    EXPECT_EQ(live, 0);
    cancelled.cancel();
    destroyed = Cancellable();
    EXPECT_EQ(live, 0);
}

TEST(PublishedTest, ReleasingAHandlerMayCancelTheSubscriptionsItOwns) {
    Published<int> published(0);
    Recorder first;
    Recorder owned;
    Recorder last;
    first.subscribeTo(published);
    // Like a controller kept alive by its own handler, holding further subscriptions.
    auto ownedSubscriptions = std::make_shared<CancellableSet>();
    auto owner = published.subscribe([ownedSubscriptions](const int&) {});
    owned.subscribeTo(published);
    ownedSubscriptions->insert(std::move(owned.subscription));
    ownedSubscriptions.reset();
    last.subscribeTo(published);

    owner.cancel();
    published.set(1);

    EXPECT_THAT(first.values, ElementsAre(0, 1));
    EXPECT_THAT(owned.values, ElementsAre(0));
    EXPECT_THAT(last.values, ElementsAre(0, 1));
}

// Re-entrant delivery

TEST(PublishedTest, EachNotificationCarriesTheValueOfItsOwnAssignment) {
    Published<std::string> published("a");
    std::vector<std::string> first;
    std::vector<std::string> second;
    const auto assigning = published.subscribe([&](const std::string& value) {
        first.push_back(value);
        if (value == "b") {
            published.set("c");
        }
    });
    const auto recording =
        published.subscribe([&](const std::string& value) { second.push_back(value); });

    published.set("b");

    EXPECT_THAT(first, ElementsAre("a", "b", "c"));
    // The nested assignment is delivered in full before the outer one goes on.
    EXPECT_THAT(second, ElementsAre("a", "c", "b"));
    EXPECT_EQ(published.value(), "c");
}

TEST(PublishedTest, AnAssignmentDuringTheFirstDeliveryReachesTheNewSubscriber) {
    Published<std::string> published("initial");
    std::vector<std::string> earlier;
    const auto recording =
        published.subscribe([&](const std::string& value) { earlier.push_back(value); });
    std::vector<std::string> received;
    std::string valueAfterAssigning;
    const auto assigning = published.subscribe([&](const std::string& value) {
        received.push_back(value);
        if (value == "initial") {
            published.set("assigned");
            valueAfterAssigning = value;
        }
    });

    EXPECT_THAT(received, ElementsAre("initial", "assigned"));
    EXPECT_EQ(valueAfterAssigning, "initial");
    EXPECT_THAT(earlier, ElementsAre("initial", "assigned"));
}

TEST(PublishedTest, DestroyingThePublishedDuringTheFirstDeliveryIsHarmless) {
    auto published = std::make_unique<Published<std::string>>("initial");
    int live = 0;
    std::optional<std::string> valueAfterDestroying;
    auto subscription = published->subscribe(
        [&, counted = Counted(live),
         label = std::string(" seen by the destroying handler")](const std::string& value) {
            published.reset();
            // Both the delivered value and the handler's own captures are still alive.
            valueAfterDestroying = value + label;
        });

    EXPECT_EQ(valueAfterDestroying, "initial seen by the destroying handler");
    EXPECT_EQ(live, 0);
    subscription.cancel();
    EXPECT_EQ(live, 0);
}

TEST(PublishedTest, ASubscriptionMadeDuringDeliveryGetsTheCurrentValueOnly) {
    Published<int> published(0);
    Recorder late;
    std::vector<int> lateValuesWhenSubscribed;
    const auto subscribing = published.subscribe([&](const int& value) {
        if (value == 1) {
            late.subscribeTo(published);
            lateValuesWhenSubscribed = late.values;
        }
    });
    Recorder after;
    after.subscribeTo(published);

    published.set(1);
    EXPECT_THAT(lateValuesWhenSubscribed, ElementsAre(1));
    EXPECT_THAT(late.values, ElementsAre(1));
    EXPECT_THAT(after.values, ElementsAre(0, 1));

    published.set(2);
    EXPECT_THAT(late.values, ElementsAre(1, 2));
}

TEST(PublishedTest, ASubscriberCancellingItselfDuringDeliveryRunsToTheEnd) {
    Published<int> published(0);
    int live = 0;
    int liveAfterCancelling = -1;
    std::vector<int> received;
    Cancellable subscription;
    subscription = published.subscribe([&, counted = Counted(live)](const int& value) {
        received.push_back(value);
        if (value == 1) {
            subscription.cancel();
            // Its own captures must still be alive while it runs.
            liveAfterCancelling = counted.liveCount();
        }
    });
    Recorder after;
    after.subscribeTo(published);

    published.set(1);
    EXPECT_EQ(liveAfterCancelling, 1);
    EXPECT_EQ(live, 0);
    EXPECT_THAT(after.values, ElementsAre(0, 1));

    published.set(2);
    EXPECT_THAT(received, ElementsAre(0, 1));
    EXPECT_THAT(after.values, ElementsAre(0, 1, 2));
}

TEST(PublishedTest, ASubscriberCancelledByAnotherDuringDeliveryIsNotCalledAgain) {
    Published<int> published(0);
    int live = 0;
    Recorder earlier;
    earlier.subscribeTo(published);
    Cancellable later;
    std::vector<int> laterReceived;
    const auto cancelling = published.subscribe([&](const int& value) {
        if (value == 1) {
            earlier.subscription.cancel();
            later.cancel();
        }
    });
    later = published.subscribe(
        [&, counted = Counted(live)](const int& value) { laterReceived.push_back(value); });
    EXPECT_EQ(live, 1);

    published.set(1);
    EXPECT_EQ(live, 0);
    published.set(2);

    EXPECT_THAT(earlier.values, ElementsAre(0, 1));
    EXPECT_THAT(laterReceived, ElementsAre(0));
}

TEST(PublishedTest, ACancellationDuringANestedDeliveryHoldsForTheOuterOne) {
    Published<int> published(0);
    const auto assigning = published.subscribe([&](const int& value) {
        if (value == 1) {
            published.set(2);
        }
    });
    Recorder cancelled;
    const auto cancelling = published.subscribe([&](const int& value) {
        if (value == 2) {
            cancelled.subscription.cancel();
        }
    });
    cancelled.subscribeTo(published);

    published.set(1);
    EXPECT_THAT(cancelled.values, ElementsAre(0));
}

TEST(PublishedTest, ReleasingAHandlerAfterDeliveryMayCancelTheSubscriptionsItOwns) {
    Published<int> published(0);
    Recorder first;
    Recorder owned;
    Recorder last;
    first.subscribeTo(published);
    auto ownedSubscriptions = std::make_shared<CancellableSet>();
    Cancellable owner;
    owner = published.subscribe([&owner, ownedSubscriptions](const int& value) {
        if (value == 1) {
            owner.cancel();
        }
    });
    owned.subscribeTo(published);
    ownedSubscriptions->insert(std::move(owned.subscription));
    ownedSubscriptions.reset();
    last.subscribeTo(published);

    published.set(1);
    published.set(2);

    EXPECT_THAT(first.values, ElementsAre(0, 1, 2));
    // Still called by the delivery in which its owner cancelled.
    EXPECT_THAT(owned.values, ElementsAre(0, 1));
    EXPECT_THAT(last.values, ElementsAre(0, 1, 2));
}

TEST(PublishedTest, TokensStillMatchTheirSubscribersAfterCancellationsDuringDelivery) {
    Published<int> published(0);
    Recorder first;
    Recorder second;
    Recorder third;
    Recorder fourth;
    first.subscribeTo(published);
    const auto cancelling = published.subscribe([&](const int& value) {
        if (value == 1) {
            second.subscription.cancel();
        }
    });
    second.subscribeTo(published);
    third.subscribeTo(published);

    published.set(1);
    fourth.subscribeTo(published);
    third.subscription.cancel();
    published.set(2);

    EXPECT_THAT(first.values, ElementsAre(0, 1, 2));
    EXPECT_THAT(second.values, ElementsAre(0));
    EXPECT_THAT(third.values, ElementsAre(0, 1));
    EXPECT_THAT(fourth.values, ElementsAre(1, 2));
}

TEST(PublishedTest, DestroyingThePublishedDuringDeliveryFinishesThatDelivery) {
    auto published = std::make_unique<Published<std::string>>("initial");
    int live = 0;
    std::optional<std::string> valueAfterDestroying;
    auto destroying = published->subscribe([&, counted = Counted(live)](const std::string& value) {
        if (value == "last") {
            published.reset();
            valueAfterDestroying = value;
        }
    });
    std::vector<std::string> received;
    auto recording = published->subscribe(
        [&, counted = Counted(live)](const std::string& value) { received.push_back(value); });

    published->set("last");

    EXPECT_EQ(valueAfterDestroying, "last");
    EXPECT_THAT(received, ElementsAre("initial", "last"));
    EXPECT_EQ(live, 0);
    destroying.cancel();
    recording.cancel();
    EXPECT_EQ(live, 0);
}
