#pragma once

#include <gtest/gtest.h>

#include <QtGlobal>

// Skips a test that this machine cannot run for want of `why`, a tool it lacks or a screen reader
// of the user's in the way; under CI, where a skipped test would hide what it proves, fails it.
#define SKIP_OR_FAIL(why)                                                                          \
    do {                                                                                           \
        if (qEnvironmentVariable("CI") == QLatin1String("true")) {                                 \
            FAIL() << (why) << " (under CI, where no test may be skipped)";                        \
        }                                                                                          \
        GTEST_SKIP() << (why);                                                                     \
    } while (false)
