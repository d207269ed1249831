#include "app/Application.h"

#include "platform/Dialogs.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class ApplicationTest : public testing::Test {
protected:
    RecordingDialogs dialogs;
    ScopedDialogs installed{dialogs};
};

TEST_F(ApplicationTest, ToolkitExceptionIsShownWithItsMessage) {
    EXPECT_FALSE(RunShowingExceptions([]() -> bool { throw Exception("Index out of bounds"); }));
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(dialogs.Messages[0].Text, QStringLiteral("Index out of bounds"));
}

TEST_F(ApplicationTest, OtherExceptionsAreShownWithAnEmptyMessage) {
    EXPECT_FALSE(RunShowingExceptions([]() -> bool { throw std::runtime_error("lost"); }));
    EXPECT_FALSE(RunShowingExceptions([]() -> bool { throw 42; }));
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_TRUE(dialogs.Messages[0].Text.isEmpty());
    EXPECT_TRUE(dialogs.Messages[1].Text.isEmpty());
}

TEST_F(ApplicationTest, BodyThatRaisesNothingShowsNothingAndKeepsItsAnswer) {
    EXPECT_TRUE(RunShowingExceptions([] { return true; }));
    EXPECT_FALSE(RunShowingExceptions([] { return false; }));
    EXPECT_TRUE(dialogs.Messages.empty());
}

} // namespace
