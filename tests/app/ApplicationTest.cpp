#include "app/Application.h"

#include "platform/Dialogs.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ApplicationTest, EscapingExceptionsAreShownAndOnlyTheToolkitsKeepTheirMessage) {
    RecordingDialogs dialogs;
    ScopedDialogs installed(dialogs);
    EXPECT_TRUE(RunShowingExceptions([] { return true; }));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_FALSE(RunShowingExceptions([]() -> bool { throw Exception("Index out of bounds"); }));
    EXPECT_FALSE(RunShowingExceptions([]() -> bool { throw std::runtime_error("lost"); }));
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(dialogs.Messages[0].Text, QStringLiteral("Index out of bounds"));
    EXPECT_TRUE(dialogs.Messages[1].Text.isEmpty());
}

} // namespace
