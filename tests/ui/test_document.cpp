// The document's history: one step per change, a burst of the same slider as one step, and the limits a
// redraw fits belonging to the change they follow.
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "config/startup.h"
#include "ui/document.h"

namespace kelvora {
namespace {

class History : public testing::Test {
  protected:
    void SetUp() override {
        defaultstate(start);
        doc.setstate(start);
    }
    // The state with pHo at v.
    ModelState with(float v) const {
        ModelState s = doc.state();
        s.params[pHo].value = v;
        return s;
    }
    float pho() const { return doc.state().params[pHo].value; }
    ModelState start;
    Document doc;
};

// A change that changes nothing is no step; undo restores the whole state and says so.
TEST_F(History, StepsOfOneBurstAreOneStep) {
    QSignalSpy restored(&doc, &Document::restored);
    doc.apply(doc.state(), QStringLiteral("Change pHo"));
    EXPECT_EQ(doc.history().count(), 0);
    doc.apply(with(7.1f), QStringLiteral("Change pHo"), pHo);
    doc.apply(with(7.2f), QStringLiteral("Change pHo"), pHo);
    EXPECT_EQ(doc.history().count(), 1);
    EXPECT_EQ(restored.count(), 0);
    doc.history().undo();
    EXPECT_EQ(restored.count(), 1);
    EXPECT_EQ(pho(), start.params[pHo].value);
    doc.history().redo();
    EXPECT_EQ(pho(), 7.2f);
}

TEST_F(History, AnEndedBurstOrAnotherKeyStartsANewStep) {
    // The second step's merge key, and whether the burst ended before it.
    for (const auto& [second, endburst] :
         {std::pair{int(pHo), true}, {int(pHi), false}, {Document::nomerge, false}}) {
        doc.setstate(start);
        doc.apply(with(7.1f), QStringLiteral("a"), pHo);
        if (endburst) doc.endburst();
        doc.apply(with(7.2f), QStringLiteral("b"), second);
        EXPECT_EQ(doc.history().count(), 2);
        doc.history().undo();
        EXPECT_EQ(pho(), 7.1f);
    }
}

TEST_F(History, FittedLimitsJoinTheChangeTheyFollowOrAreAStepOfTheirOwn) {
    doc.apply(with(7.1f), QStringLiteral("Change pHo"));
    ModelState fitted = doc.state();
    fitted.xmin = -150.0;
    doc.settle(fitted, QStringLiteral("Automatic limits"));
    EXPECT_EQ(doc.history().count(), 1);
    fitted.xmin = -140.0;
    doc.settle(fitted, QStringLiteral("Automatic limits"));
    EXPECT_EQ(doc.history().count(), 2);
    doc.history().undo();
    doc.history().undo();
    doc.history().redo();
    EXPECT_EQ(doc.state().xmin, -150.0);
}

} // namespace
} // namespace kelvora
