#include "script/DevilComp.h"
#include "script/DevilEngine.h"

#include <gtest/gtest.h>

#include <memory>

using namespace hgl;
using namespace angle_script;

// Every operator and operand type pair is checked against an exact reference by
// the comparison fuzz target, whose boundary sweep every build replays.

// Operands whose type has no comparison are refused and stay with the caller.
TEST(DevilComp, OperandsWithoutAComparisonAreRefused)
{
    DevilEngine e;
    std::unique_ptr<DevilValueInterface> s(CreateDevilScriptValue(&e, u"f", u"s", ttString));
    std::unique_ptr<DevilValueInterface> one(new DevilInteger(&e, 1));
    EXPECT_EQ(CreateDevilComp(ttEqual, s.get(), one.get()), nullptr);
    EXPECT_EQ(CreateDevilComp(ttAssignment, one.get(), one.get()), nullptr);
    EXPECT_EQ(CreateDevilComp(ttEqual, nullptr, one.get()), nullptr);
}
