// The message a call raised, for tests that check the exact text of the toolkit's errors.
#pragma once

#include <QString>
#include <functional>

// The message of the Exception the call raised; empty when it raised none.
QString MessageOf(const std::function<void()>& call);
