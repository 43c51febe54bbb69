#pragma once

#include "support/TestEnv.h"

namespace kw::test {

// The prompt of the last message box shown, or a null string when none was.
inline QString lastPrompt(const TestEnv &env)
{
    return env.box.shown.isEmpty() ? QString() : env.box.shown.last().prompt;
}

} // namespace kw::test
