#include "Platform/Async/TaskContext.h"

#include <gtest/gtest.h>

TEST(TaskContextTest, CancellationFlowsFromParentToChildrenOnly) {
    auto parent = Async::TaskContext::makeRoot();
    auto child = Async::TaskContext::makeChild(*parent);
    auto grandchild = Async::TaskContext::makeChild(*child);
    auto sibling = Async::TaskContext::makeChild(*parent);

    child->cancel();
    EXPECT_TRUE(child->isCancelled());
    EXPECT_TRUE(grandchild->isCancelled());
    EXPECT_FALSE(parent->isCancelled());
    EXPECT_FALSE(sibling->isCancelled());

    parent->cancel();
    EXPECT_TRUE(sibling->isCancelled());
}

TEST(TaskContextTest, ChildOfACancelledParentStartsCancelled) {
    auto parent = Async::TaskContext::makeRoot();
    parent->cancel();
    EXPECT_TRUE(Async::TaskContext::makeChild(*parent)->isCancelled());
}

TEST(TaskContextTest, ChildOutlivingItsParentKeepsWorking) {
    auto parent = Async::TaskContext::makeRoot();
    auto child = Async::TaskContext::makeChild(*parent);
    parent.reset();
    EXPECT_FALSE(child->isCancelled());
    child->cancel();
    EXPECT_TRUE(child->isCancelled());
}
